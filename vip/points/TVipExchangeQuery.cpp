#include "vip/points/TVipExchangeQuery.h"

#include "host/sdk/Limit.h"
#include "host/sdk/MessageBox.h"
#include "host/sdk/VipCodes.h"
#include "host/sdk/ui/GuardedHandler.h"
#include "host/sdk/ui/TQueryGrid.h"
#include "vip/points/ExchangeSetExports.h"
#include "vip/points/VipPointsStore.h"

#include <QAction>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QTreeWidget>

namespace {

constexpr int AddRight = 932;
constexpr int EditRight = 933;
constexpr int DeleteRight = 934;
const QString QuantityField = QStringLiteral("exchangeNum");

} // namespace

TVipExchangeQuery::TVipExchangeQuery(QWidget* parent)
    : TBaseQuery(parent)
    , m_types(new QTreeWidget)
    , m_way(new QComboBox) {
    setWindowTitle(QStringLiteral("积分兑换设置"));
    SetModelId(ModelId);
    m_types->setObjectName(QStringLiteral("tvVipType"));
    m_types->setHeaderHidden(true);
    m_types->setMaximumWidth(200);
    SetSidePanel(m_types);
    m_way->setObjectName(QStringLiteral("cbChangeType"));
    m_way->addItem(QStringLiteral("<全部>"), 0);
    m_way->addItem(QStringLiteral("现金兑换"), ExchangeWay::Cash);
    m_way->addItem(QStringLiteral("储值兑换"), ExchangeWay::StoredValue);
    m_way->addItem(QStringLiteral("商品兑换"), ExchangeWay::Goods);
    m_way->addItem(QStringLiteral("购物卡兑换"), ExchangeWay::CouponCards);
    auto* top = new QHBoxLayout(GetTopPanel());
    top->setContentsMargins(4, 2, 4, 2);
    top->addWidget(new QLabel(QStringLiteral("兑换方式: ")));
    top->addWidget(m_way);
    top->addStretch(1);
    fillTypes();
    connect(m_types, &QTreeWidget::currentItemChanged, this,
            [this] { RunGuarded([this] { RefreshData(); }); });
    connect(m_way, &QComboBox::currentIndexChanged, this, [this] {
        RunGuarded([this] {
            nameQuantityColumn();
            RefreshData();
        });
    });
}

void TVipExchangeQuery::fillTypes() {
    auto* root = new QTreeWidgetItem(m_types, {QStringLiteral("会员类型")});
    root->setData(0, Qt::UserRole, 0);
    for (const auto& [id, name] : VipPointsStore().PointsCardTypes()) {
        auto* type = new QTreeWidgetItem(root, {name});
        type->setData(0, Qt::UserRole, id);
    }
    m_types->expandAll();
    m_types->setCurrentItem(root);
}

void TVipExchangeQuery::OnIniButton() {
    AddButtonAndGetAction(QStringLiteral("新增[&A]"), &TVipExchangeQuery::OnAddExcetue)
        ->setEnabled(HasLimit(AddRight));
    QAction* edit = AddButtonAndGetAction(QStringLiteral("修改[&M]"), &TVipExchangeQuery::OnEditExcetue);
    edit->setEnabled(HasLimit(EditRight));
    SetEditAction(edit);
    AddButtonAndGetAction(QStringLiteral("删除[&D]"), &TVipExchangeQuery::OnDelExcetue)
        ->setEnabled(HasLimit(DeleteRight));
}

void TVipExchangeQuery::SetGrid() {
    AddGridColumn(QStringLiteral("TypeName"), QStringLiteral("会员类型"), 90);
    AddGridColumn(QStringLiteral("ChangeTypeName"), QStringLiteral("兑换方式"), 80);
    AddGridColumn(QStringLiteral("UseIntegral"), QStringLiteral("所需积分"), 70);
    AddGridColumn(QuantityField, QStringLiteral("兑换金额/数量"), 90, true, GridColumn::Money);
    AddGridColumn(QStringLiteral("PUserCode"), QStringLiteral("商品编号"), 90);
    AddGridColumn(QStringLiteral("PFullName"), QStringLiteral("商品名称"), 140);
    AddGridColumn(QStringLiteral("TypeCN"), QStringLiteral("购物卡类型"), 80);
    AddGridColumn(QStringLiteral("Name"), QStringLiteral("兑换购物卡"), 120);
    AddGridColumn(QStringLiteral("diffprice"), QStringLiteral("补差金额"), 70, true, GridColumn::Money);
    AddGridColumn(QStringLiteral("IsCzAuto"), QStringLiteral("自动兑换"), 60, true, GridColumn::YesNo);
    AddGridColumn(QStringLiteral("SDate"), QStringLiteral("开始日期"), 80, true, GridColumn::Date);
    AddGridColumn(QStringLiteral("EDate"), QStringLiteral("结束日期"), 80, true, GridColumn::Date);
    AddGridColumn(QStringLiteral("Memo"), QStringLiteral("备注"), 120);
    AddGridColumn(QStringLiteral("ExChangeID"), QStringLiteral("规则编号"), 60, false);
}

void TVipExchangeQuery::nameQuantityColumn() {
    const int way = m_way->currentData().toInt();
    const QString caption = way == 0 ? QStringLiteral("兑换金额/数量")
                            : way == ExchangeWay::Cash || way == ExchangeWay::StoredValue
                                ? QStringLiteral("兑换金额")
                                : QStringLiteral("兑换数量");
    QList<GridColumn> columns = GetMainGrid()->GridModel()->Columns();
    for (GridColumn& column : columns) {
        if (column.field == QuantityField)
            column.caption = caption;
    }
    GetMainGrid()->GridModel()->SetColumns(columns);
}

void TVipExchangeQuery::readNarrowing() {
    const QTreeWidgetItem* type = m_types->currentItem();
    Params().Add(QStringLiteral("@CTypeId"), type ? type->data(0, Qt::UserRole).toInt() : 0);
    Params().Add(QStringLiteral("@ChangeType"), m_way->currentData().toInt());
}

void TVipExchangeQuery::InitParamList() {
    TBaseQuery::InitParamList();
    readNarrowing();
}

void TVipExchangeQuery::ParamRefresh() {
    TBaseQuery::ParamRefresh();
    readNarrowing();
}

void TVipExchangeQuery::requireRight(int right) {
    if (!HasLimit(right))
        ShowErrorAndAbort(QStringLiteral("您没有当前操作的权限"), QStringLiteral("提示"));
}

void TVipExchangeQuery::OnAddExcetue() {
    requireRight(AddRight);
    const QTreeWidgetItem* type = m_types->currentItem();
    if (!type || !type->parent())
        ShowErrorAndAbort(QStringLiteral("请先选择具体的会员卡类型！"), QStringLiteral("提示"));
    int way = CurrentRow() >= 0 ? GDataVar(QStringLiteral("ChangeType")).toInt() : 0;
    if (way == 0)
        way = m_way->currentData().toInt();
    if (way == 0)
        way = ExchangeWay::Cash;
    if (ExchangeShow(type->data(0, Qt::UserRole).toInt(), type->text(0), 0, way, QString(), false))
        RefreshData();
}

void TVipExchangeQuery::OnEditExcetue() {
    requireRight(EditRight);
    if (CurrentRow() < 0)
        return;
    const int rule = GDataVar(QStringLiteral("ExChangeID")).toInt();
    if (VipPointsStore().ExchangeRuleInUse(rule))
        ShowErrorAndAbort(QStringLiteral("该规则已经开始使用，不能修改！"), QStringLiteral("提示"));
    if (ExchangeShow(GDataVar(QStringLiteral("CTypeId")).toInt(), GData(QStringLiteral("TypeName")), rule,
                     GDataVar(QStringLiteral("ChangeType")).toInt(), GData(QStringLiteral("groupId")), false))
        RefreshData();
}

void TVipExchangeQuery::OnDelExcetue() {
    requireRight(DeleteRight);
    if (CurrentRow() < 0)
        return;
    if (!Question(QStringLiteral("确实要删除该设置吗？"), QStringLiteral("提示？")))
        return;
    VipPointsStore().DeleteExchangeRule(GDataVar(QStringLiteral("ExChangeID")).toInt());
    RefreshData();
}
