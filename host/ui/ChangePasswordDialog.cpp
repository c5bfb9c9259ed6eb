#include "host/ui/ChangePasswordDialog.h"

#include "host/sdk/DataModule.h"
#include "host/sdk/MessageBox.h"
#include "host/sdk/ui/DialogFields.h"
#include "host/sdk/ui/Refuse.h"
#include "host/services/LoginService.h"
#include "host/services/UserAdmin.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

QLineEdit* passwordEdit(const char* name) {
    QLineEdit* edit = DialogFields::Edit(name, 64);
    edit->setEchoMode(QLineEdit::Password);
    return edit;
}

} // namespace

ChangePasswordDialog::ChangePasswordDialog(QWidget* parent)
    : TBaseDialog(parent)
    , m_oldPassword(passwordEdit("OldPasswordEdit"))
    , m_newPassword(passwordEdit("NewPasswordEdit"))
    , m_again(passwordEdit("NewPasswordAgainEdit")) {
    setWindowTitle(QStringLiteral("修改密码"));
    build();
}

ChangePasswordDialog::ChangePasswordDialog(int userRec, const QString& userCode, QWidget* parent)
    : TBaseDialog(parent)
    , m_userRec(userRec)
    , m_newPassword(passwordEdit("NewPasswordEdit"))
    , m_again(passwordEdit("NewPasswordAgainEdit")) {
    setWindowTitle(QStringLiteral("重设密码 - %1").arg(userCode));
    build();
}

void ChangePasswordDialog::build() {
    auto* form = new QFormLayout;
    if (m_oldPassword)
        form->addRow(QStringLiteral("原密码："), m_oldPassword);
    form->addRow(QStringLiteral("新密码："), m_newPassword);
    form->addRow(QStringLiteral("再输一次："), m_again);
    form->addRow(DialogFields::Label(LoginService::PasswordRuleText));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(
        ConfirmButtons(QStringLiteral("确定[&O]"), QStringLiteral("取消[&C]"), [this] { OnConfirm(); }));
    setMinimumWidth(320);
}

void ChangePasswordDialog::OnConfirm() {
    const QString caption = windowTitle();
    if (!LoginService::AcceptablePassword(m_newPassword->text()))
        Refuse(m_newPassword, LoginService::PasswordRuleText, caption);
    if (m_again->text() != m_newPassword->text())
        Refuse(m_again, QStringLiteral("两次输入的新密码不一致。"), caption);
    if (m_oldPassword) {
        if (!LoginService(dmClient()).ChangePassword(m_oldPassword->text(), m_newPassword->text())) {
            m_oldPassword->selectAll();
            AbandonAt(m_oldPassword);
        }
    } else {
        const int result = UserAdmin(dmClient()).ResetPassword(m_userRec, m_newPassword->text());
        if (result < 0)
            ShowErrorAndAbort(UserAdmin::Message(result), caption);
    }
    ShowMsg(QStringLiteral("密码已修改。"), caption);
    SetModalResult(mrOk);
}
