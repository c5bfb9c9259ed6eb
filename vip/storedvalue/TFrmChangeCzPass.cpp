#include "vip/storedvalue/TFrmChangeCzPass.h"

#include "host/sdk/MessageBox.h"
#include "host/sdk/Notices.h"
#include "host/sdk/RetailConnect.h"
#include "host/sdk/VipCodes.h"
#include "host/sdk/ui/DialogFields.h"
#include "host/sdk/ui/GuardedHandler.h"
#include "host/sdk/ui/Refuse.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

namespace {

QLineEdit* passwordEdit(const char* name) {
    QLineEdit* edit = DialogFields::NumberEdit(name, KeyFilter::Digits, 6);
    edit->setEchoMode(QLineEdit::Password);
    return edit;
}

void clear(std::initializer_list<QLineEdit*> edits) {
    for (QLineEdit* edit : edits)
        edit->clear();
}

} // namespace

TFrmChangeCzPass::TFrmChangeCzPass(Mode mode, int cardId, const QString& cardNo, int posId, QWidget* parent)
    : TBaseDialog(parent)
    , m_mode(mode)
    , m_cardId(cardId)
    , m_cardNo(cardNo)
    , m_posId(posId)
    , m_old(passwordEdit("OldEdit"))
    , m_new(passwordEdit("NewEdit"))
    , m_newTwo(passwordEdit("NewTwoEdit")) {
    setObjectName(QStringLiteral("TFrmChangeCzPass"));
    setWindowTitle(mode == Check ? QStringLiteral("请输入密码") : QStringLiteral("修改储值密码"));
    auto* form = new QFormLayout;
    form->addRow(DialogFields::Label(QStringLiteral("卡号：") + cardNo, "lbCodeNo"));
    form->addRow(mode == Check ? QStringLiteral("输入密码") : QStringLiteral("原 密 码"), m_old);
    form->addRow(QStringLiteral("新 密 码"), m_new);
    form->addRow(QStringLiteral("再录一次"), m_newTwo);
    form->setRowVisible(m_new, mode == Change);
    form->setRowVisible(m_newTwo, mode == Change);
    QHBoxLayout* buttons =
        ConfirmButtons(QStringLiteral("确认[&Y]"), QStringLiteral("退出[&X]"), [this] { onConfirm(); });
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
}

QString TFrmChangeCzPass::LockedText() {
    return QStringLiteral("此会员卡的储值密码已连续输错5次，储值功能已被锁定。"
                          "请系统管理员在会员卡资料中重新设置储值密码后解锁。");
}

// In the password edits Enter confirms a check and does nothing in a change, and
// the arrows do not move on: a password is typed, not walked through.
bool TFrmChangeCzPass::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && (watched == m_old || watched == m_new || watched == m_newTwo)) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (m_mode == Check)
                RunGuardedAction(this, [this] { onConfirm(); });
            return true;
        }
        if (key == Qt::Key_Up || key == Qt::Key_Down)
            return true;
    }
    return TBaseDialog::eventFilter(watched, event);
}

void TFrmChangeCzPass::onConfirm() {
    if (m_mode == Check)
        confirmCheck();
    else
        confirmChange();
}

void TFrmChangeCzPass::refuseAnswer(VipCzStore::PasswordResult result, QLineEdit* field,
                                    const QString& wrongText) {
    if (result == VipCzStore::PasswordLocked) {
        Messagebox(LockedText(), QStringLiteral("提示"), MB::IconWarning);
        SetModalResult(mrCancel);
        throw AbortAction();
    }
    field->clear();
    Refuse(field, wrongText, QStringLiteral("提示"), MB::IconWarning);
}

void TFrmChangeCzPass::confirmCheck() {
    const VipCzStore::PasswordResult result = m_store.CheckPassword(m_cardNo, m_old->text().trimmed());
    if (result == VipCzStore::PasswordRight) {
        SetModalResult(mrOk);
        return;
    }
    refuseAnswer(result, m_old, QStringLiteral("所录入的密码错误，请重新录入"));
}

void TFrmChangeCzPass::confirmChange() {
    const QString oldPassword = m_old->text().trimmed();
    const VipCzStore::PasswordResult checked = m_store.CheckPassword(m_cardNo, oldPassword);
    if (checked != VipCzStore::PasswordRight)
        refuseAnswer(checked, m_old, QStringLiteral("所录入的原密码错误，请重新录入"));
    if (m_new->text().size() < 6) {
        clear({m_new, m_newTwo});
        Refuse(m_new, QStringLiteral("新密码位数不够6位，请重新录入"), QStringLiteral("提示"),
               MB::IconWarning);
    }
    const QString newPassword = m_new->text().trimmed();
    if (newPassword != m_newTwo->text().trimmed()) {
        clear({m_new, m_newTwo});
        Refuse(m_new, QStringLiteral("新密码不一致，请重新录入。"), QStringLiteral("提示"), MB::IconWarning);
    }
    const VipCzStore::PasswordResult changed = m_store.ChangePassword(m_cardId, oldPassword, newPassword);
    if (changed == VipCzStore::PasswordCardGone)
        return;
    if (changed != VipCzStore::PasswordRight)
        refuseAnswer(changed, m_old, QStringLiteral("所录入的原密码错误，请重新录入"));
    if (m_posId == 0 && TLmConnect::IsConnectUse(TRetailConnect::ClassType)) {
        TRetailConnect connection;
        if (connection.SaveVipPassowrd(m_cardNo, newPassword) != 0)
            connection.ShowErrorMessage(m_cardNo);
    }
    if (SendSMSMessageByBillFunc)
        SendSMSMessageByBillFunc(NoticeKind::PasswordChanged, m_cardId, true, 0, 0, m_cardId, 0, 0);
    SetModalResult(mrOk);
}
