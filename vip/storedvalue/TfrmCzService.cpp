#include "vip/storedvalue/TfrmCzService.h"

#include "host/sdk/MessageBox.h"
#include "host/sdk/Ucomvar.h"
#include "host/sdk/VipCodes.h"
#include "host/sdk/ui/DialogFields.h"
#include "host/sdk/ui/GuardedHandler.h"
#include "host/sdk/ui/PrintService.h"
#include "host/sdk/ui/Refuse.h"
#include "host/sdk/ui/TAtypeSelectDlg.h"
#include "vip/storedvalue/TFrmChangeCzPass.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

namespace {

using Column = ServiceGridModel::Column;
constexpr int MostUses = 9999;

QList<Column> saleColumns() {
    using K = ServiceGridModel::Kind;
    return {
        {QStringLiteral("PUSERCODE"), QStringLiteral("项目编号"), 80},
        {QStringLiteral("PFULLNAME"), QStringLiteral("项目名称"), 140},
        {QStringLiteral("startTimes"), QStringLiteral("起购次数"), 60, K::Count},
        {QStringLiteral("remainTimes"), QStringLiteral("原有次数"), 60, K::Count, false, true},
        {QStringLiteral("BuyTimes"), QStringLiteral("充值次数"), 60, K::Count, true, true},
        // Prices come from the item's ladder alone: the sale procedure refuses any other.
        {QStringLiteral("oncePrice"), QStringLiteral("单价"), 60, K::Amount},
        {QStringLiteral("money"), QStringLiteral("应缴金额"), 80, K::Amount, false, true},
        {QStringLiteral("gainTimes"), QStringLiteral("赠送次数"), 60, K::Count, false, true},
        {QStringLiteral("ValidityPeriod"), QStringLiteral("有效期"), 90},
    };
}

} // namespace

TfrmCzService::TfrmCzService(QWidget* parent)
    : TfrmCzServiceBase(StoredValueChange::ServiceSale, saleColumns(), parent)
    , m_account(DialogFields::Edit("EditZH"))
    , m_accountButton(new QPushButton(QStringLiteral("..."))) {
    setObjectName(QStringLiteral("TfrmCzService"));
    setWindowTitle(QStringLiteral("会员卡服务项目充值"));
    m_accountButton->setObjectName(QStringLiteral("btnZH"));
    m_accountButton->setFocusPolicy(Qt::NoFocus);
    auto* row = new QHBoxLayout(m_extra);
    row->setContentsMargins(0, 0, 0, 0);
    QLabel* label = DialogFields::Label(QStringLiteral("收款帐户[&H]："));
    label->setBuddy(m_account);
    row->addWidget(label);
    row->addWidget(m_account, 1);
    row->addWidget(m_accountButton);
    row->addStretch();
    ConnectGuarded(m_accountButton, &QPushButton::clicked, this, [this] { chooseAccount(false); });
}

void TfrmCzService::HidePassword() {
    m_password->hide();
    m_passwordLabel->hide();
}

void TfrmCzService::showEvent(QShowEvent* event) {
    TfrmCzServiceBase::showEvent(event);
    if (m_accountPreset)
        return;
    m_accountPreset = true;
    RunGuarded([this] {
        const QString typeId = QLatin1String(ServiceAccount::SaleDefault);
        const QString name = m_store.AccountName(typeId);
        if (name.isEmpty())
            return;
        m_account->setText(name);
        m_accountTypeId = typeId;
        m_accountName = name;
    });
}

bool TfrmCzService::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_account) {
        if (event->type() == QEvent::KeyPress && focusWidget() == watched) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                RunGuardedAction(this, [this] { chooseAccount(true); });
                return true;
            }
        }
        if (event->type() == QEvent::MouseButtonDblClick) {
            RunGuardedAction(this, [this] { chooseAccount(false); });
            return true;
        }
        // Typed text never stands for an account: only a chosen one is kept.
        if (event->type() == QEvent::FocusOut) {
            if (m_account->text().isEmpty()) {
                m_accountTypeId.clear();
                m_accountName.clear();
            } else {
                m_account->setText(m_accountName);
            }
        }
    }
    return TfrmCzServiceBase::eventFilter(watched, event);
}

// Every leaf account may take the money; the members' stored-value account takes it
// from the card.
void TfrmCzService::chooseAccount(bool fromEnter) {
    const std::optional<BaseInfoItem> chosen = TAtypeSelectDlg::Select(QString(), this);
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
}

bool TfrmCzService::paidFromStoredValue() const {
    return m_accountTypeId == QLatin1String(ServiceAccount::MemberStoredValue);
}

void TfrmCzService::ItemPlaced(int row) {
    const std::optional<VipCzStore::ServiceItem> item = m_store.LoadServiceItem(m_model->Prec(row));
    m_model->SetValue(row, QStringLiteral("startTimes"),
                      item && item->startTimes > 0 ? QVariant(item->startTimes) : QVariant());
    const int held = m_store.UsesHeld(m_card.id, m_model->Prec(row)).times;
    m_model->SetValue(row, QStringLiteral("remainTimes"), held >= 1 ? QVariant(held) : QVariant());
    price(row);
    SelectCell(row, QStringLiteral("BuyTimes"));
}

void TfrmCzService::CellEdited(int row, const QString& field) {
    if (field != QLatin1String("BuyTimes"))
        return;
    if (m_model->CountAt(row, field) > MostUses)
        m_model->SetValue(row, field, MostUses);
    price(row);
}

// The row's price, gift and last day for its count, as the item's ladder gives them.
void TfrmCzService::price(int row) {
    const int prec = m_model->Prec(row);
    const int count = m_model->CountAt(row, QStringLiteral("BuyTimes"));
    const auto clear = [&](const QStringList& fields) {
        for (const QString& f : fields)
            m_model->SetValue(row, f, QVariant());
    };
    if (prec == 0) {
        clear({QStringLiteral("oncePrice"), QStringLiteral("gainTimes"), QStringLiteral("money"),
               QStringLiteral("ValidityPeriod")});
        return;
    }
    const std::optional<VipCzStore::ServicePrice> price = m_store.PriceService(prec, std::max(count, 1));
    if (!price)
        return;
    m_model->SetValue(row, QStringLiteral("oncePrice"),
                      price->oncePrice.isZero() ? QVariant() : QVariant::fromValue(price->oncePrice));
    if (count == 0) {
        clear({QStringLiteral("gainTimes"), QStringLiteral("money"), QStringLiteral("ValidityPeriod")});
        return;
    }
    m_model->SetValue(row, QStringLiteral("gainTimes"),
                      price->gainTimes > 0 ? QVariant(price->gainTimes) : QVariant());
    m_model->SetValue(row, QStringLiteral("money"), QVariant::fromValue(price->oncePrice * count));
    m_model->SetValue(row, QStringLiteral("ValidityPeriod"),
                      price->lastDay.isEmpty() ? QVariant() : QVariant(price->lastDay));
}

QString TfrmCzService::SwitchQuestion() const {
    return QStringLiteral("切换卡号将清空表格数据，是否继续切换?");
}

QString TfrmCzService::ProtectedColumn() const {
    return QStringLiteral("BuyTimes");
}

Money TfrmCzService::MoneyTotal() const {
    return m_model->FooterAmount(QStringLiteral("money"));
}

void TfrmCzService::CheckData() {
    if (m_cardNoLoaded.isEmpty())
        Refuse(m_cardNo, QStringLiteral("没有输入会员卡，请输入会员卡。"));
    CheckPasswordTyped(paidFromStoredValue());
    if (m_accountTypeId.isEmpty() || m_accountTypeId == QLatin1String("0"))
        Refuse(m_account, QStringLiteral("没有输入帐户，请输入帐户。"));
    for (int row : m_model->ItemRows()) {
        const int count = m_model->CountAt(row, QStringLiteral("BuyTimes"));
        const auto refuse = [&](const QString& text) {
            SelectCell(row, QStringLiteral("BuyTimes"));
            ShowMsg(text);
            throw AbortAction();
        };
        // Prices follow the ladder at the moment of the save.
        price(row);
        if (count == 0)
            refuse(QStringLiteral("请输入充值次数！"));
        if (m_model->CountAt(row, QStringLiteral("startTimes")) > count)
            refuse(QStringLiteral("未达起购次数，请重新输入充值次数！"));
        if (m_model->AmountAt(row, QStringLiteral("oncePrice")).isZero())
            refuse(QStringLiteral("没有单价的服务项目不能充值！"));
    }
    RefreshFooter();
    if (MoneyTotal() <= Money()) {
        ShowMsg(QStringLiteral("金额必须大于0，请重新选择项目或录入充值次数。"));
        throw AbortAction();
    }
}

bool TfrmCzService::SaveData() {
    QList<VipCzStore::ServiceRow> rows;
    QStringList lines;
    for (int row : m_model->ItemRows()) {
        const int gain = m_model->CountAt(row, QStringLiteral("gainTimes"));
        rows.append({m_model->Prec(row), m_model->CountAt(row, QStringLiteral("BuyTimes")),
                     m_model->AmountAt(row, QStringLiteral("oncePrice")), gain > 0 ? gain : -1,
                     m_model->TextAt(row, QStringLiteral("ValidityPeriod"))});
        lines << QStringLiteral("%1：充值%2次%3")
                     .arg(m_model->TextAt(row, QStringLiteral("PFULLNAME")))
                     .arg(rows.last().count)
                     .arg(gain > 0 ? QStringLiteral("，赠送%1次").arg(gain) : QString());
    }
    const TComVar& session = Ucomvar();
    VipCzStore::ServiceSave save{m_cardNoLoaded,
                                 StoredValueChange::ServiceSale,
                                 MoneyTotal(),
                                 session.nLoginUserRec,
                                 m_store.AccountRec(m_accountTypeId),
                                 RecordedPosId(),
                                 m_comment->text(),
                                 Today(),
                                 NewId(),
                                 m_uniqueBillId};
    const VipCzStore::ServiceOutcome outcome = m_store.SaveServices(save, rows);
    const auto fail = [](const QString& text) {
        Messagebox(text, QStringLiteral("提示"), MB::IconWarning);
        return false;
    };
    if (outcome.staging)
        return fail(QStringLiteral("充值失败，请重试!"));
    switch (outcome.result) {
    case 0:
        break;
    case -2:
        return fail(QStringLiteral("充值失败，退款金额大于当前可用余额，请重新保存或放弃本次操作。"));
    case -3:
        return fail(QStringLiteral("充值失败，金额必须大于0，请重新录入。"));
    case -7:
        return fail(TFrmChangeCzPass::LockedText());
    default:
        return fail(QStringLiteral("充值失败，请重新保存或放弃本次充值。"));
    }
    m_billCode = outcome.billCode;
    lines << QStringLiteral("金额合计：") + MoneyTotal().toString(2);
    if (paidFromStoredValue())
        lines << QStringLiteral("已从储值余额支付");
    TellMember(QStringLiteral("您进行的会员卡服务项目充值操作已完成"), lines);
    ForwardToHeadOffice(rows, save);
    return true;
}

void TfrmCzService::PrintSaved() {
    TParamObject items;
    items.Add(QStringLiteral("充值日期"), m_date->text());
    items.Add(QStringLiteral("卡号"), m_cardNo->text());
    items.Add(QStringLiteral("持卡人"), m_name->text());
    items.Add(QStringLiteral("卡类型"), m_typeName->text());
    items.Add(QStringLiteral("收款账户"), m_account->text());
    items.Add(QStringLiteral("金额合计"), m_money->text());
    items.Add(QStringLiteral("经手人"), m_employee->text());
    items.Add(QStringLiteral("备注"), m_comment->text());
    items.Add(QStringLiteral("单据编号"), m_billCode);
    RunPrintManage(QStringLiteral("会员卡项目充值.Rwx"), items, m_model);
}

QString TfrmCzService::PrintTemplateName() const {
    return QStringLiteral("会员卡项目充值.RWX");
}

void TfrmCzService::PrintItems(TParamObject& items) const {
    items.Add(QStringLiteral("会员卡号"), m_cardNo->text());
    items.Add(QStringLiteral("持卡人"), m_name->text());
}
