#include "host/sdk/ui/FocusFrame.h"

#include <QWidget>

namespace {

// Frames and padding are kept off check boxes and radio buttons: they would move the
// indicator under the mouse the moment the box takes the focus.
const char* const FocusStyle = R"(
QLineEdit:focus, QAbstractSpinBox:focus, QComboBox:focus, QTextEdit:focus, QPlainTextEdit:focus,
QAbstractItemView:focus {
    border: 2px solid #1a73e8;
}
QPushButton:focus, QToolButton:focus {
    border: 2px solid #1a73e8;
    border-radius: 3px;
    background-color: #e3eefc;
    padding: 2px 6px;
}
QCheckBox:focus, QRadioButton:focus {
    background-color: #e3eefc;
    color: #1a73e8;
}
)";

} // namespace

void ShowFocusFrame(QWidget* window) {
    window->setStyleSheet(window->styleSheet() + QLatin1String(FocusStyle));
}
