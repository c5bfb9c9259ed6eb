#include "vip/coupons/TETCCardListBase.h"

#include "host/sdk/ui/TQueryGrid.h"
#include "vip/coupons/ETCKinds.h"
#include "vip/coupons/TETCCardCondition.h"

#include <QDate>

TETCCardListBase::TETCCardListBase(int kind, int modelId, QWidget* parent)
    : TBaseQuery(parent)
    , m_kind(kind) {
    SetModelId(modelId);
    SetLoadAllRecord(true);
}

TBaseCondition* TETCCardListBase::QueryCase() {
    auto* condition = new TETCCardCondition(m_kind, this);
    condition->CreateBtn(QStringLiteral("查询[&S]"), [this] { RefreshData(); });
    return condition;
}

void TETCCardListBase::InitParamList() {
    TBaseQuery::InitParamList();
    CompleteParams();
}

void TETCCardListBase::ParamRefresh() {
    TBaseQuery::ParamRefresh();
    CompleteParams();
}

void TETCCardListBase::CompleteParams() {
    TParamObject& p = Params();
    // The panel's last creation day is shown inclusive; the query stops before the next.
    p.Add(QStringLiteral("@ECreateDate"), p.Value(QStringLiteral("@ECreateDay")).toDate().addDays(1));
    const QList<std::pair<const char*, QVariant>> switches = {
        {"@Stop", -1}, {"@Flag", -1}, {"@VIPID", 0}, {"@CardNo", QString()}};
    for (const auto& [name, value] : switches) {
        if (!p.Has(QLatin1String(name)))
            p.Add(QLatin1String(name), value);
    }
}

void TETCCardListBase::AddCardColumns() {
    const QString value = m_kind == 0 ? QStringLiteral("金额/优惠/折扣") : ETCKinds::ValueCaption(m_kind);
    AddGridColumn(QStringLiteral("CardNo"), QStringLiteral("卡号"), 120);
    AddGridColumn(QStringLiteral("TypeName"), QStringLiteral("种类"), 60, m_kind == 0);
    AddGridColumn(QStringLiteral("NAME"), QStringLiteral("类型名称"), 120);
    AddGridColumn(QStringLiteral("Total"), value, 80, true, GridColumn::Money);
    AddGridColumn(QStringLiteral("UsedTotal"), QStringLiteral("已用金额"), 80, m_kind != 2 && m_kind != 3,
                  GridColumn::Money);
    AddGridColumn(QStringLiteral("RemainTotal"), QStringLiteral("余额"), 80, m_kind != 2 && m_kind != 3,
                  GridColumn::Money);
    AddGridColumn(QStringLiteral("FlagName"), QStringLiteral("状态"), 60);
    AddGridColumn(QStringLiteral("IsStop"), QStringLiteral("停用"), 40, true, GridColumn::YesNo);
    AddGridColumn(QStringLiteral("VIPCode"), QStringLiteral("绑定会员卡"), 110);
    AddGridColumn(QStringLiteral("VIPName"), QStringLiteral("会员姓名"), 80);
    AddGridColumn(QStringLiteral("StartDate"), QStringLiteral("生效日期"), 80, true, GridColumn::Date);
    AddGridColumn(QStringLiteral("EndDate"), QStringLiteral("失效日期"), 80, true, GridColumn::Date);
    AddGridColumn(QStringLiteral("LPosName"), QStringLiteral("适用门店"), 120);
    AddGridColumn(QStringLiteral("CreateDate"), QStringLiteral("创建日期"), 80, true, GridColumn::Date);
    AddGridColumn(QStringLiteral("CreateEName"), QStringLiteral("创建人"), 70);
    AddGridColumn(QStringLiteral("ID"), QStringLiteral("ID"), 40, false);
}

void TETCCardListBase::MainGridAfterDrawCell(int row, const QString&, CellStyle& style) {
    if (GDataVar(QStringLiteral("Flag"), row).toInt() == 0)
        style.font = WindowsColor(0xFF00FF);
    if (GDataVar(QStringLiteral("IsStop"), row).toInt() != 0)
        style.font = WindowsColor(0x0000FF);
    if (GDataVar(QStringLiteral("Used"), row).toInt() != 0)
        style.font = WindowsColor(0xFF0000);
}

QList<int> TETCCardListBase::ChosenRows() const {
    QList<int> rows = GetMainGrid()->SelectedRows();
    if (rows.isEmpty() && CurrentRow() >= 0)
        rows.append(CurrentRow());
    return rows;
}

bool TETCCardListBase::Empty() const {
    return RowCount() == 0 || CurrentRow() < 0;
}

QList<ETCCardBatch::Item> TETCCardListBase::ChosenCards() const {
    QList<ETCCardBatch::Item> cards;
    for (int row : ChosenRows())
        cards.append({GDataVar(QStringLiteral("ID"), row).toInt(), GData(QStringLiteral("CardNo"), row), {}});
    return cards;
}
