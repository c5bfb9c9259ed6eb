#include "tests/support/ModalDriver.h"

#include <QDialog>
#include <QTest>

int ModalDriver::showModal(QDialog& dialog) {
    m_shown.append(QString::fromLatin1(dialog.metaObject()->className()));
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.show();
    dialog.activateWindow();
    // Shortcuts and focus only work in the active window, as on a real screen.
    if (!QTest::qWaitForWindowActive(&dialog))
        qWarning("ModalDriver: %s did not become the active window", qPrintable(m_shown.last()));
    if (m_handlers.isEmpty()) {
        ++m_unhandled;
        dialog.reject();
        return dialog.result();
    }
    const Handler handler = m_handlers.dequeue();
    handler(dialog);
    if (dialog.isVisible()) {
        ++m_leftOpen;
        dialog.reject();
    }
    return dialog.result();
}
