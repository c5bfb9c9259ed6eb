#include "tests/support/UserInput.h"

#include <QAbstractButton>
#include <QApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace UserInput {

void enter(QWidget* widget, const QString& value) {
    for (const QChar ch : value) {
        if (ch.unicode() < 0x80) {
            QTest::keyClick(widget, ch.toLatin1());
        } else {
            QInputMethodEvent composed;
            composed.setCommitString(QString(ch));
            QApplication::sendEvent(widget, &composed);
        }
    }
}

void type(QWidget& dialog, const char* name, const QString& value, bool leave) {
    auto* edit = get<QLineEdit>(dialog, name);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    enter(edit, value);
    if (leave)
        QTest::keyClick(edit, Qt::Key_Tab);
}

void click(QWidget& dialog, const char* name) {
    auto* button = get<QAbstractButton>(dialog, name);
    const QPoint at =
        qobject_cast<QPushButton*>(button) ? button->rect().center() : QPoint(6, button->height() / 2);
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, at);
}

} // namespace UserInput
