#include "vip/storedvalue/TfrmCzServiceConsume.h"

#include "host/sdk/MessageBox.h"
#include "host/sdk/Ucomvar.h"
#include "host/sdk/VipCodes.h"
#include "host/sdk/ui/PrintService.h"
#include "host/sdk/ui/Refuse.h"

#include <QLabel>
#include <QLineEdit>

namespace {

QList<ServiceGridModel::Column> consumeColumns() {
    using K = ServiceGridModel::Kind;
    return {
        {QStringLiteral("PUSERCODE"), QStringLiteral("项目编号"), 80},
        {QStringLiteral("PFULLNAME"), QStringLiteral("项目名称"), 160},
        {QStringLiteral("ValidityTimes"), QStringLiteral("有效次数"), 65, K::Count, false, true},
        {QStringLiteral("ConsumeTimes"), QStringLiteral("消费次数"), 65, K::Count, true, true},
        {QStringLiteral("oncePrice"), QStringLiteral("oncePrice"), 60, K::Amount, false, false, false},
    };
}

} // namespace

TfrmCzServiceConsume::TfrmCzServiceConsume(QWidget* parent)
    : TfrmCzServiceBase(StoredValueChange::ServiceConsumption, consumeColumns(), parent) {
    setObjectName(QStringLiteral("TfrmCzServiceConsume"));
    setWindowTitle(QStringLiteral("会员卡服务项目消费"));
    m_extra->hide();
}

void TfrmCzServiceConsume::WaivePasswordFor(const QString& cardNo) {
    m_passwordWaivedFor = m_passwordTyped ? QString() : cardNo;
}

void TfrmCzServiceConsume::showEvent(QShowEvent* event) {
    TfrmCzServiceBase::showEvent(event);
    m_money->hide();
    m_moneyLabel->hide();
}

void TfrmCzServiceConsume::CardLoaded() {
    if (!m_cardLoaded) {
        for (int row : m_model->ItemRows())
            m_model->SetValue(row, QStringLiteral("ValidityTimes"), QVariant());
        m_password->clear();
        return;
    }
    for (int row : m_model->ItemRows())
        showHeld(row);
    if (!m_card.usePass || m_passwordWaivedFor == m_cardNoLoaded)
        placeOnlyItem();
}

void TfrmCzServiceConsume::PasswordEntered() {
    if (m_cardLoaded)
        placeOnlyItem();
}

void TfrmCzServiceConsume::placeOnlyItem() {
    if (m_model->Prec(0) != 0)
        return;
    const QList<int> items = m_store.ItemsHeld(m_card.id);
    if (items.size() == 1)
        SetItem(0, items.first());
}

void TfrmCzServiceConsume::showHeld(int row) {
    const VipCzStore::HeldUses held = m_store.UsesHeld(m_card.id, m_model->Prec(row));
    m_model->SetValue(row, QStringLiteral("ValidityTimes"),
                      held.times > 0 ? QVariant(held.times) : QVariant());
    m_model->SetValue(
        row, QStringLiteral("oncePrice"),
        QVariant::fromValue(held.times > 0 ? Money::fromRaw(held.total.raw() / held.times) : Money()));
}

void TfrmCzServiceConsume::ItemPlaced(int row) {
    if (m_model->CountAt(row, QStringLiteral("ConsumeTimes")) == 0)
        m_model->SetValue(row, QStringLiteral("ConsumeTimes"), 1);
    showHeld(row);
    SelectCell(row, QStringLiteral("ConsumeTimes"));
}

void TfrmCzServiceConsume::CellEdited(int, const QString&) {}

bool TfrmCzServiceConsume::GridHoldsEntries() const {
    return m_model->Prec(0) != 0 || m_model->FooterCount(QStringLiteral("ConsumeTimes")) != 0;
}

QString TfrmCzServiceConsume::SwitchQuestion() const {
    return QStringLiteral("切换卡号将刷新或清空表格数据，是否继续切换?");
}

QString TfrmCzServiceConsume::ProtectedColumn() const {
    return QStringLiteral("ConsumeTimes");
}

Money TfrmCzServiceConsume::MoneyTotal() const {
    Money sum;
    for (int row : m_model->ItemRows())
        sum += m_model->AmountAt(row, QStringLiteral("oncePrice")) *
               m_model->CountAt(row, QStringLiteral("ConsumeTimes"));
    return sum;
}

void TfrmCzServiceConsume::CheckData() {
    if (m_cardNoLoaded.isEmpty())
        Refuse(m_cardNo, QStringLiteral("没有输入会员卡，请输入会员卡。"));
    CheckPasswordTyped(false);
    const QList<int> rows = m_model->ItemRows();
    for (int row : rows) {
        const int n = row + 1;
        const int held = m_model->CountAt(row, QStringLiteral("ValidityTimes"));
        const int used = m_model->CountAt(row, QStringLiteral("ConsumeTimes"));
        const auto refuse = [&](const QString& text) {
            SelectCell(row, QStringLiteral("ConsumeTimes"));
            ShowMsg(text);
            throw AbortAction();
        };
        if (held == 0)
            refuse(QStringLiteral("第%1行，没有有效次数！").arg(n));
        if (used == 0)
            refuse(QStringLiteral("第%1行，请输入消费次数！").arg(n));
        if (used > held)
            refuse(QStringLiteral("第%1行，消费次数(%2)不能大于有效次数(%3)！").arg(n).arg(used).arg(held));
    }
    if (rows.isEmpty()) {
        ShowMsg(QStringLiteral("没有录入消费信息！"));
        throw AbortAction();
    }
}

bool TfrmCzServiceConsume::SaveData() {
    QList<VipCzStore::ServiceRow> rows;
    QStringList lines;
    for (int row : m_model->ItemRows()) {
        rows.append({m_model->Prec(row), m_model->CountAt(row, QStringLiteral("ConsumeTimes")),
                     m_model->AmountAt(row, QStringLiteral("oncePrice")), -1, QString()});
        lines << QStringLiteral("%1：消费%2次")
                     .arg(m_model->TextAt(row, QStringLiteral("PFULLNAME")))
                     .arg(rows.last().count);
    }
    const TComVar& session = Ucomvar();
    VipCzStore::ServiceSave save{m_cardNoLoaded,
                                 StoredValueChange::ServiceConsumption,
                                 MoneyTotal(),
                                 session.nLoginUserRec,
                                 m_store.AccountRec(QLatin1String(ServiceAccount::Consumption)),
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
        return fail(QStringLiteral("保存失败，请重试!"));
    switch (outcome.result) {
    case 0:
        break;
    case -1:
        return fail(QStringLiteral("保存失败，消费次数大于当前可用次数，请重新保存或放弃本次操作。"));
    case -3:
        return fail(QStringLiteral("保存失败，金额必须大于0，请重新录入。"));
    default:
        return fail(QStringLiteral("保存失败，请重新保存或放弃本次操作。"));
    }
    m_billCode = outcome.billCode;
    TellMember(QStringLiteral("您进行的会员卡服务项目消费操作已完成"), lines);
    ForwardToHeadOffice(rows, save);
    return true;
}

void TfrmCzServiceConsume::PrintSaved() {
    TParamObject items;
    items.Add(QStringLiteral("消费日期"), m_date->text());
    items.Add(QStringLiteral("卡号"), m_cardNo->text());
    items.Add(QStringLiteral("持卡人"), m_name->text());
    items.Add(QStringLiteral("卡类型"), m_typeName->text());
    items.Add(QStringLiteral("经手人"), m_employee->text());
    items.Add(QStringLiteral("备注"), m_comment->text());
    items.Add(QStringLiteral("单据编号"), m_billCode);
    RunPrintManage(QStringLiteral("会员卡服务项目消费.Rwx"), items, m_model);
}
