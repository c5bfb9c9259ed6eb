#include "host/ui/DesktopMessages.h"

#include "host/sdk/ui/ModalService.h"

#include <QApplication>
#include <QHash>
#include <QMessageBox>
#include <QPushButton>

namespace {

QMessageBox::Icon iconOf(int style) {
    switch (style & MB::IconMask) {
    case MB::IconError:
        return QMessageBox::Critical;
    case MB::IconQuestion:
        return QMessageBox::Question;
    case MB::IconWarning:
        return QMessageBox::Warning;
    case MB::IconInformation:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

} // namespace

int DesktopMessages::show(const QString& text, const QString& caption, int style) {
    QMessageBox box(iconOf(style), caption, text, QMessageBox::NoButton, QApplication::activeWindow());
    QHash<QAbstractButton*, int> results;
    const auto add = [&](const QString& label, QMessageBox::ButtonRole role, int result) {
        QPushButton* button = box.addButton(label, role);
        results.insert(button, result);
        return button;
    };
    QPushButton* escape = nullptr;
    switch (style & MB::ButtonMask) {
    case MB::OkCancel:
        box.setDefaultButton(add(QStringLiteral("确定"), QMessageBox::AcceptRole, IDOK));
        escape = add(QStringLiteral("取消"), QMessageBox::RejectRole, IDCANCEL);
        break;
    case MB::YesNo:
        box.setDefaultButton(add(QStringLiteral("是"), QMessageBox::YesRole, IDYES));
        escape = add(QStringLiteral("否"), QMessageBox::NoRole, IDNO);
        break;
    case MB::YesNoCancel:
        box.setDefaultButton(add(QStringLiteral("是"), QMessageBox::YesRole, IDYES));
        add(QStringLiteral("否"), QMessageBox::NoRole, IDNO);
        escape = add(QStringLiteral("取消"), QMessageBox::RejectRole, IDCANCEL);
        break;
    default:
        escape = add(QStringLiteral("确定"), QMessageBox::AcceptRole, IDOK);
        box.setDefaultButton(escape);
        break;
    }
    box.setEscapeButton(escape);
    ModalService::current().showModal(box);
    // A box closed without a button (the window's close box) counts as its escape.
    return results.value(box.clickedButton(), results.value(escape));
}
