#include "vip/storedvalue/TCzOperatorfrm.h"

#include "host/sdk/MessageBox.h"
#include "host/sdk/Notices.h"
#include "host/sdk/RetailConnect.h"
#include "host/sdk/Ucomvar.h"
#include "host/sdk/VipCodes.h"
#include "host/sdk/ui/DialogFields.h"
#include "host/sdk/ui/GuardedHandler.h"
#include "host/sdk/ui/NumberText.h"
#include "host/sdk/ui/Refuse.h"
#include "host/sdk/ui/TAtypeSelectDlg.h"
#include "vip/storedvalue/StoredValueExports.h"
#include "vip/storedvalue/TFrmChangeCzPass.h"

#include <QDate>
#include <QDateTime>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QUuid>

namespace {

// The account a recharge or refund goes through unless the cashier picks another,
// and the class of accounts the cashier picks from.
const QString PresetAccount = QStringLiteral("0000100003");
const QString AccountClass = QStringLiteral("00001");
const Money Most = Money::fromUnits(100000);

QLineEdit* shownOnly(const char* name, int maxLength = 0) {
    QLineEdit* edit = DialogFields::Edit(name, maxLength);
    edit->setReadOnly(true);
    return edit;
}

// How the host shows a typed amount once it is rounded to the cent: "12.345" is
// "12.35", "12.50" is "12.5".
QString shortest(Money amount) {
    return DoubleToString(amount.rounded(2).toDouble(), 2);
}

bool leftByTheUser(QEvent* event) {
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
}

bool isEnter(QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

TCzOperatorfrm::TCzOperatorfrm(int changeType, QWidget* parent)
    : TBaseDialog(parent)
    , m_changeType(changeType)
    , m_operationId(QUuid::createUuid().toString(QUuid::WithoutBraces))
    , m_cardNo(DialogFields::Edit("CardNoEdit", 100))
    , m_name(shownOnly("NameEdit"))
    , m_identity(shownOnly("SfEdit", 20))
    , m_oldTotal(shownOnly("RzOldUseTotal"))
    , m_amount(DialogFields::NumberEdit("ReCzPrice", KeyFilter::DigitsDotMinus, 9))
    , m_gift(shownOnly("edtgiftTotal", 9))
    , m_handler(shownOnly("reEType"))
    , m_account(DialogFields::Edit("EditZH"))
    , m_accountButton(new QPushButton(QStringLiteral("...")))
    , m_comment(DialogFields::Edit("CommentEdit", 255))
    , m_useTotal(DialogFields::Label(QString(), "lbUseTotal"))
    , m_date(DialogFields::Label(QString(), "lbDate")) {
    setObjectName(QStringLiteral("TCzOperatorfrm"));
    setWindowTitle(refund() ? QStringLiteral("会员卡退款") : QStringLiteral("会员卡充值"));
    m_accountButton->setObjectName(QStringLiteral("btnZH"));
    m_accountButton->setFocusPolicy(Qt::NoFocus);

    auto* grid = new QGridLayout;
    int row = 0;
    const auto add = [&](const QString& caption, QWidget* field, QWidget* beside = nullptr) {
        QLabel* label = DialogFields::Label(caption);
        label->setBuddy(field);
        grid->addWidget(label, row, 0);
        grid->addWidget(field, row, 1);
        if (beside)
            grid->addWidget(beside, row, 2);
        ++row;
    };
    add(QStringLiteral("会员卡号[&V]"), m_cardNo);
    add(QStringLiteral("持卡人"), m_name);
    add(QStringLiteral("身份证号"), m_identity);
    add(QStringLiteral("此前可用余额"), m_oldTotal);
    add(refund() ? QStringLiteral("退款金额[&C]") : QStringLiteral("充值金额[&C]"), m_amount);
    add(QStringLiteral("赠送金额[&G]"), m_gift);
    add(QStringLiteral("经手人"), m_handler);
    add(refund() ? QStringLiteral("退款帐户[&H]") : QStringLiteral("收款帐户[&H]"), m_account,
        m_accountButton);
    add(QStringLiteral("备注[&M]"), m_comment);
    add(refund() ? QStringLiteral("退款后可用余额") : QStringLiteral("充值后可用余额"), m_useTotal);
    add(refund() ? QStringLiteral("退款日期") : QStringLiteral("充值日期"), m_date);

    auto* savePrint = new QPushButton(QStringLiteral("保存打印[&P]"));
    savePrint->setObjectName(QStringLiteral("btnSavePrint"));
    auto* save = new QPushButton(QStringLiteral("保存[&S]"));
    save->setObjectName(QStringLiteral("btnSave"));
    auto* exit = new QPushButton(QStringLiteral("退出[&X]"));
    exit->setObjectName(QStringLiteral("btnExit"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(savePrint);
    buttons->addWidget(save);
    buttons->addWidget(exit);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);

    ConnectGuarded(savePrint, &QPushButton::clicked, this, [this] { onSave(true); });
    ConnectGuarded(save, &QPushButton::clicked, this, [this] { onSave(false); });
    connect(exit, &QPushButton::clicked, this, &TBaseDialog::reject);
    ConnectGuarded(m_accountButton, &QPushButton::clicked, this, [this] { chooseAccount(false); });
    CardClear();
}

bool TCzOperatorfrm::refund() const {
    return m_changeType == StoredValueChange::Refund;
}

QString TCzOperatorfrm::today() const {
    return QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"));
}

void TCzOperatorfrm::SetCardNo(const QString& cardNo, bool editable) {
    m_cardNo->setText(cardNo);
    m_cardNo->setEnabled(editable);
}

void TCzOperatorfrm::CardClear() {
    m_cardNoLoaded.clear();
    m_card = {};
    m_cardNo->clear();
    m_name->clear();
    m_identity->clear();
    m_account->clear();
    m_accountTypeId.clear();
    m_accountName.clear();
    m_comment->clear();
    m_priorText = QStringLiteral("0");
    m_prior = Money();
    m_after = Money();
    m_oldTotal->setText(QStringLiteral("0"));
    m_amount->setText(QStringLiteral("0"));
    m_gift->setText(QStringLiteral("0"));
    m_useTotal->setText(QStringLiteral("0"));
    m_handler->setText(Ucomvar().szLoginUserName);
    m_date->setText(today());
    // Another card is another operation.
    m_operationId = QUuid::createUuid().toString(QUuid::WithoutBraces);
}

void TCzOperatorfrm::refuseLoad(const QString& text, const QString& caption, int icon) {
    Messagebox(text, caption, icon);
    CardClear();
}

bool TCzOperatorfrm::GetCardInfo() {
    const TComVar& session = Ucomvar();
    const bool store = MEDVERSION() == 2;
    std::optional<int> onlyStore;
    if (store && session.lConnectType != 0)
        onlyStore = session.lPublicPosid;
    const std::optional<VipCzStore::Card> found = m_store.LoadCard(m_cardNo->text().trimmed(), onlyStore);
    const QString ownStoreOnly = QStringLiteral("此会员卡储值功能只能在对应独立门店使用！");
    QString refusal;
    if (!found)
        refusal = QStringLiteral("没有此会员卡号或该会员卡不能在当前门店储值操作！");
    else if (!found->isLife)
        refusal = QStringLiteral("此会员卡没有激活！");
    else if (!found->vipCz)
        refusal = QStringLiteral("此会员卡没有启用储值功能！");
    else if (!store && found->posId != 0)
        refusal = QStringLiteral("配送中心不能对独立门店的储值卡进行充值和退款！");
    else if (store && session.lConnectType == 0 && found->posId != 0)
        refusal = ownStoreOnly;
    else if (store && session.lConnectType != 0 && found->posId > 0 && found->posId != session.lPublicPosid)
        refusal = ownStoreOnly;
    if (!refusal.isEmpty()) {
        refuseLoad(refusal);
        return false;
    }
    if (store && !m_store.CanUseInPos(found->cardType, session.lPublicPosid)) {
        refuseLoad(QStringLiteral("该卡不能在本门店使用，请确认该卡适用的门店！"),
                   QStringLiteral("输入错误！"), MB::IconError);
        return false;
    }
    const QString stopped = QStringLiteral("已经停用的会员卡不能操作储值功能！");
    if (found->deleted)
        refusal = stopped;
    else if (found->lose)
        refusal = QStringLiteral("已经挂失的会员卡不能操作储值功能！");
    else if (found->stopUse)
        refusal = stopped;
    else if (found->locked)
        refusal = TFrmChangeCzPass::LockedText();
    if (!refusal.isEmpty()) {
        refuseLoad(refusal);
        return false;
    }

    m_card = *found;
    m_cardNoLoaded = found->cardNo;
    m_cardNo->setText(found->cardNo);
    m_name->setText(found->name);
    m_identity->setText(found->identityCard);
    m_prior = found->cz;
    m_priorText = found->cz.toString(2);
    m_after = m_prior;
    m_oldTotal->setText(m_priorText);
    m_useTotal->setText(m_priorText);
    m_amount->setText(QStringLiteral("0"));
    m_gift->setText(QStringLiteral("0"));
    m_account->clear();
    m_accountTypeId.clear();
    m_accountName.clear();
    m_comment->clear();
    m_handler->setText(session.szLoginUserName);
    m_date->setText(today());
    return true;
}

void TCzOperatorfrm::showEvent(QShowEvent* event) {
    TBaseDialog::showEvent(event);
    if (m_accountPreset)
        return;
    m_accountPreset = true;
    RunGuarded([this] {
        const QString name = m_store.AccountName(PresetAccount);
        if (name.isEmpty())
            return;
        m_account->setText(name);
        m_accountTypeId = PresetAccount;
        m_accountName = name;
    });
    m_amount->setFocus();
}

bool TCzOperatorfrm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_amount || watched == m_gift) {
        if (isEnter(event) && focusWidget() == watched) {
            RunGuardedAction(this, [this] { onAmountEnter(); });
            return true;
        }
        if (event->type() == QEvent::FocusOut && leftByTheUser(event) && !m_enterMoves)
            RunGuardedAction(this, [this, watched] { onAmountExit(watched == m_amount); });
    } else if (watched == m_account) {
        if (isEnter(event) && focusWidget() == watched) {
            RunGuardedAction(this, [this] { chooseAccount(true); });
            return true;
        }
        if (event->type() == QEvent::MouseButtonDblClick) {
            RunGuardedAction(this, [this] { chooseAccount(false); });
            return true;
        }
        if (event->type() == QEvent::FocusOut && leftByTheUser(event))
            onAccountExit();
    } else if (watched == m_cardNo && event->type() == QEvent::FocusOut && leftByTheUser(event)) {
        RunGuardedAction(this, [this] { onCardNoExit(); });
    }
    return TBaseDialog::eventFilter(watched, event);
}

void TCzOperatorfrm::onCardNoExit() {
    if (m_cardNo->text().trimmed() == m_cardNoLoaded)
        return;
    const QString cardNo = m_cardNo->text().trimmed();
    if (GetCardInfo() && m_card.usePass && !CheckPassword(cardNo, QString()))
        CardClear();
}

void TCzOperatorfrm::chooseAccount(bool fromEnter) {
    const std::optional<BaseInfoItem> chosen = TAtypeSelectDlg::Select(AccountClass, this);
    if (!chosen) {
        if (fromEnter) {
            m_account->clear();
            m_accountTypeId.clear();
            m_accountName.clear();
        }
        return;
    }
    m_account->setText(chosen->name);
    m_accountTypeId = chosen->typeId;
    m_accountName = chosen->name;
    m_account->setToolTip(QStringLiteral("%1 %2").arg(chosen->code, chosen->name));
    focusNextChild();
}

// Typed text never stands for an account: only a chosen one is kept.
void TCzOperatorfrm::onAccountExit() {
    if (m_account->text().isEmpty()) {
        m_accountTypeId.clear();
        m_accountName.clear();
    } else if (m_accountTypeId.isEmpty() || m_accountTypeId == QLatin1String("0")) {
        m_account->clear();
    } else {
        m_account->setText(m_accountName);
    }
}

Money TCzOperatorfrm::amount() const {
    return Money::fromText(m_amount->text()).rounded(2);
}

void TCzOperatorfrm::roundAmount() {
    m_amount->setText(shortest(Money::fromText(m_amount->text())));
}

void TCzOperatorfrm::showBalanceAfter() {
    const Money change = amount() + Money::fromText(m_gift->text());
    m_after = refund() ? m_prior - change : m_prior + change;
    m_useTotal->setText(m_after.toString(2));
}

void TCzOperatorfrm::onAmountExit(bool askGift) {
    roundAmount();
    if (amount().isZero())
        return;
    if (askGift)
        m_gift->setText(shortest(m_store.GiftFor(amount(), m_card.cardType)));
    showBalanceAfter();
}

void TCzOperatorfrm::onAmountEnter() {
    m_amount->setText(amount().toString(2));
    m_gift->setText(shortest(Money::fromText(m_gift->text())));
    showBalanceAfter();
    // Moving on by Enter is not leaving the field: the gift stays as it is.
    m_enterMoves = true;
    focusNextChild();
    m_enterMoves = false;
}

void TCzOperatorfrm::onSave(bool print) {
    if (amount().isZero())
        Refuse(m_amount, QStringLiteral("必须输入金额！"));
    if (!SaveData())
        return;
    if (print)
        RunGuarded([this] { Print(); });
    SetModalResult(mrOk);
}

bool TCzOperatorfrm::SaveData() {
    roundAmount();
    if (!amount().isZero())
        showBalanceAfter();
    const auto refuse = [this](QWidget* field, const QString& text) {
        m_useTotal->setText(m_priorText);
        Refuse(field, text);
    };
    if (m_cardNoLoaded.isEmpty())
        refuse(m_cardNo, QStringLiteral("没有输入会员卡，请输入会员卡。"));
    if (m_accountTypeId.isEmpty() || m_accountTypeId == QLatin1String("0"))
        refuse(m_account, QStringLiteral("没有输入帐户，请输入帐户。"));
    if (amount() > Most)
        refuse(m_amount, QStringLiteral("金额超出最大许可值100000，请重新录入。"));
    if (amount() < Money())
        refuse(m_amount, QStringLiteral("金额必须大于0，请重新录入。"));
    if (m_after < Money())
        refuse(m_amount, QStringLiteral("退款金额不能超过此前可用余额。"));

    const TComVar& session = Ucomvar();
    bool storeRecorded = session.bPJVer;
    for (int flag : {10, 11, 13, 14, 19, 21})
        storeRecorded = storeRecorded || AppClass().Flag(flag);
    VipCzStore::Operation op;
    op.cardNo = m_cardNoLoaded;
    op.changeType = m_changeType;
    op.amount = amount();
    op.gift = Money::fromText(m_gift->text());
    op.userRec = session.nLoginUserRec;
    op.accountRec = m_store.AccountRec(m_accountTypeId);
    op.posId = storeRecorded ? session.lPublicPosid : 0;
    op.memo = m_comment->text();
    op.date = today();
    op.operationId = m_operationId;
    const VipCzStore::Outcome outcome = m_store.Operate(op);
    switch (outcome.result) {
    case VipCzStore::Saved:
        break;
    case VipCzStore::AboveBalance:
        Messagebox(QStringLiteral("保存失败，退款金额大于当前可用余额，请重新保存或放弃本次操作。"),
                   QStringLiteral("提示"), MB::IconWarning);
        return false;
    case VipCzStore::NotPositive:
        Messagebox(QStringLiteral("保存失败，金额必须大于0，请重新录入。"), QStringLiteral("提示"),
                   MB::IconWarning);
        m_amount->setText(QStringLiteral("0"));
        m_amount->setFocus();
        return false;
    case VipCzStore::Locked:
        Messagebox(TFrmChangeCzPass::LockedText(), QStringLiteral("提示"), MB::IconWarning);
        return false;
    default:
        Messagebox(QStringLiteral("保存失败，请重新保存或放弃本次充值。"), QStringLiteral("提示"),
                   MB::IconWarning);
        return false;
    }

    if (!refund() && SendSMSMessageByBillFunc)
        SendSMSMessageByBillFunc(NoticeKind::StoredValueChanged, outcome.changeId, false, 0, 1, m_card.id,
                                 StoredValueChange::Recharge, 0);
    tellMember();
    m_billCode = outcome.billCode;
    forwardToHeadOffice(outcome);
    return true;
}

void TCzOperatorfrm::tellMember() {
    const QString amountText = m_amount->text();
    const QString giftText = m_gift->text();
    QStringList lines{QDateTime::currentDateTime().toString(QStringLiteral("yyyy年MM月dd日 HH:mm:ss"))};
    lines << (refund() ? QStringLiteral("您进行的会员卡退款操作已完成")
                       : QStringLiteral("您进行的会员卡充值操作已完成"));
    lines << (refund() ? QStringLiteral("退款金额：-") : QStringLiteral("充值金额：")) + amountText;
    if (giftText != QLatin1String("0"))
        lines << (refund() ? QStringLiteral("赠送金额：-") : QStringLiteral("赠送金额：")) + giftText;
    lines << QStringLiteral("当前可用余额：") + DoubleToString(m_after.toDouble(), 2);
    SenWXVip(m_cardNoLoaded, lines.join(QLatin1Char('\n')),
             refund() ? QStringLiteral("会员卡退款") : QStringLiteral("会员卡充值"));
}

// The head office keeps the chain's cards (store 0); a refusal there is told but
// never undoes the local save.
void TCzOperatorfrm::forwardToHeadOffice(const VipCzStore::Outcome& outcome) {
    if (!TLmConnect::IsConnectUse(TRetailConnect::ClassType) || m_card.posId != 0)
        return;
    TRetailConnect connection;
    if (connection.SaveVipInfo(outcome.changeId, 0) != 0)
        connection.ShowErrorMessage(m_cardNoLoaded);
}

QString TCzOperatorfrm::PrintTemplateName() const {
    return refund() ? QStringLiteral("会员卡退费.Rwx") : QStringLiteral("会员卡充值.Rwx");
}

void TCzOperatorfrm::PrintItems(TParamObject& items) const {
    items.Add(QStringLiteral("会员卡号"), m_cardNo->text());
    items.Add(QStringLiteral("持卡人"), m_name->text());
    items.Add(QStringLiteral("身份证号"), m_identity->text());
    items.Add(QStringLiteral("此前可用余额"), m_oldTotal->text());
    items.Add(refund() ? QStringLiteral("退费金额") : QStringLiteral("充值金额"), m_amount->text());
    items.Add(refund() ? QStringLiteral("付款帐户") : QStringLiteral("收款帐户"), m_account->text());
    items.Add(QStringLiteral("当前可用余额"), m_useTotal->text());
    items.Add(QStringLiteral("赠送金额"), m_gift->text());
    items.Add(QStringLiteral("经手人"), m_handler->text());
    items.Add(refund() ? QStringLiteral("付款日期") : QStringLiteral("收款日期"), m_date->text());
    items.Add(QStringLiteral("备注"), m_comment->text());
    items.Add(QStringLiteral("关联会计凭证"), m_billCode);
}
