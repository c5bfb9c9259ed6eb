#include "host/ui/FirstStartDialog.h"

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
const QString Caption = QStringLiteral("设置系统管理员");
} // namespace

FirstStartDialog::FirstStartDialog(QWidget* parent)
    : TBaseDialog(parent)
    , m_code(DialogFields::Edit("UserCodeEdit", 30))
    , m_name(DialogFields::Edit("UserNameEdit", 60))
    , m_password(DialogFields::Edit("NewPasswordEdit", 64))
    , m_again(DialogFields::Edit("NewPasswordAgainEdit", 64)) {
    setWindowTitle(Caption);
    m_code->setText(QStringLiteral("admin"));
    m_name->setText(QStringLiteral("系统管理员"));
    m_password->setEchoMode(QLineEdit::Password);
    m_again->setEchoMode(QLineEdit::Password);

    auto* form = new QFormLayout;
    form->addRow(DialogFields::Label(QStringLiteral("这是新数据库，请先设置系统管理员的登录密码。")));
    form->addRow(QStringLiteral("用户编号："), m_code);
    form->addRow(QStringLiteral("用户名称："), m_name);
    form->addRow(QStringLiteral("密码："), m_password);
    form->addRow(QStringLiteral("再输一次："), m_again);
    form->addRow(DialogFields::Label(LoginService::PasswordRuleText));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(
        ConfirmButtons(QStringLiteral("确定[&O]"), QStringLiteral("取消[&C]"), [this] { OnConfirm(); }));
    m_password->setFocus();
}

bool FirstStartDialog::EnsureAdministrator() {
    if (UserAdmin(dmClient()).HasAdministrator())
        return true;
    FirstStartDialog dialog;
    return dialog.ShowModal() == mrOk;
}

void FirstStartDialog::OnConfirm() {
    if (m_code->text().trimmed().isEmpty())
        Refuse(m_code, QStringLiteral("请输入用户编号。"), Caption);
    if (m_name->text().trimmed().isEmpty())
        Refuse(m_name, QStringLiteral("请输入用户名称。"), Caption);
    if (!LoginService::AcceptablePassword(m_password->text()))
        Refuse(m_password, LoginService::PasswordRuleText, Caption);
    if (m_again->text() != m_password->text())
        Refuse(m_again, QStringLiteral("两次输入的密码不一致。"), Caption);
    const int result =
        UserAdmin(dmClient()).CreateFirstAdministrator(m_code->text(), m_name->text(), m_password->text());
    // Another workstation may have set the database up meanwhile; its administrator stands.
    if (result == UserAdmin::AdministratorExists) {
        ShowMsg(UserAdmin::Message(result), Caption);
        SetModalResult(mrOk);
        return;
    }
    if (result < 0)
        ShowErrorAndAbort(UserAdmin::Message(result), Caption);
    SetModalResult(mrOk);
}
