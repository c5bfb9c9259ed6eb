#include "vip/storedvalue/TVipServiceQuery.h"

#include "host/sdk/Limit.h"
#include "host/sdk/MessageBox.h"
#include "host/sdk/Ucomvar.h"
#include "host/sdk/ui/TQueryGrid.h"
#include "vip/base/ModuleGlobals.h"
#include "vip/storedvalue/ServiceRuleExports.h"
#include "vip/storedvalue/VipCzStore.h"

#include <QAction>
#include <QLabel>
#include <QVBoxLayout>

namespace {

constexpr int ManageRight = 902;
constexpr int AddRight = 903;
constexpr int EditRight = 904;
constexpr int DeleteRight = 905;

void requireRight(int right) {
    if (!HasLimit(right))
        ShowErrorAndAbort(QStringLiteral("您没有当前操作的权限"), QStringLiteral("提示"));
}

} // namespace

TVipServiceQuery::TVipServiceQuery(QWidget* parent)
    : TBaseQuery(parent) {
    setWindowTitle(QStringLiteral("服务项目"));
    SetModelId(ModelId);
    SetHelpItem(QStringLiteral("服务项目管理.htm"));
}

void TVipServiceQuery::OnIniButton() {
    // A store whose data the head office keeps only looks at the items.
    if (HasLimit(ManageRight) && !AppClass().Flag(14)) {
        AddButtonAndGetAction(QStringLiteral("新增[&A]"), &TVipServiceQuery::OnAddExcetue)
            ->setEnabled(HasLimit(AddRight));
        QAction* edit = AddButtonAndGetAction(QStringLiteral("修改[&M]"), &TVipServiceQuery::OnEditExcetue);
        edit->setEnabled(HasLimit(EditRight));
        SetEditAction(edit);
        AddButtonAndGetAction(QStringLiteral("查看[&S]"), &TVipServiceQuery::OnBrowseExcetue);
        AddButtonAndGetAction(QStringLiteral("删除[&D]"), &TVipServiceQuery::OnDelExcetue)
            ->setEnabled(HasLimit(DeleteRight));
        return;
    }
    SetEditAction(AddButtonAndGetAction(QStringLiteral("查看[&S]"), &TVipServiceQuery::OnBrowseExcetue));
}

void TVipServiceQuery::SetGrid() {
    AddGridColumn(QStringLiteral("PUSERCODE"), QStringLiteral("项目编号"), 100);
    AddGridColumn(QStringLiteral("vsFullName"), QStringLiteral("项目名称"), 200);
    AddGridColumn(QStringLiteral("Standard"), QStringLiteral("规格"), 80);
    AddGridColumn(QStringLiteral("Unit"), QStringLiteral("单位"), 50);
    AddGridColumn(QStringLiteral("startTimes"), QStringLiteral("起购次数"), 70);
    AddGridColumn(QStringLiteral("discountTypeName"), QStringLiteral("赠送方式"), 70);
    AddGridColumn(QStringLiteral("ruleCount"), QStringLiteral("规则数"), 60);

    m_ruleCaption = new QLabel(QStringLiteral("项目规则"));
    m_ruleCaption->setObjectName(QStringLiteral("lblRule"));
    m_ruleGrid = new TQueryGrid;
    m_ruleGrid->setObjectName(QStringLiteral("GridRule"));
    m_ruleGrid->setSortingEnabled(false);
    m_ruleGrid->setMinimumHeight(140);
    m_ruleGrid->GridModel()->SetColumns(
        {{QStringLiteral("buyTimes"), QStringLiteral("购买次数"), 70},
         {QStringLiteral("oncePrice"), QStringLiteral("单价"), 80, true, GridColumn::Money},
         {QStringLiteral("PriceTotal"), QStringLiteral("金额"), 90, true, GridColumn::Money},
         {QStringLiteral("gainTimes"), QStringLiteral("赠送次数"), 70},
         {QStringLiteral("numTotal"), QStringLiteral("总数量"), 70},
         {QStringLiteral("ValidityDays"), QStringLiteral("有效天数"), 70}});
    auto* panel = new QVBoxLayout(GetBottomPanel());
    panel->setContentsMargins(0, 0, 0, 0);
    panel->addWidget(m_ruleCaption);
    panel->addWidget(m_ruleGrid);
}

int TVipServiceQuery::currentItem() const {
    return CurrentRow() < 0 ? 0 : GDataVar(QStringLiteral("ruleId")).toInt();
}

void TVipServiceQuery::AfterRowChanged() {
    ClientDataSet rules;
    const int prec = currentItem();
    if (prec > 0)
        VipCzStore().ServiceRuleRows(prec, rules);
    m_ruleGrid->GridModel()->SetRows(std::move(rules));
    m_ruleCaption->setText(prec > 0 ? QStringLiteral("项目规则(") + GData(QStringLiteral("vsFullName")) +
                                          QLatin1Char(')')
                                    : QStringLiteral("项目规则"));
}

void TVipServiceQuery::OnAddExcetue() {
    requireRight(AddRight);
    if (ShowVipServiceRuleEdit(this, 0, vsrAdd))
        AfterSave(QStringLiteral("ruleId"), newRuleId);
}

void TVipServiceQuery::OnEditExcetue() {
    requireRight(EditRight);
    const int prec = currentItem();
    if (prec > 0 && ShowVipServiceRuleEdit(this, prec, vsrEdit))
        AfterSave(QStringLiteral("ruleId"), prec);
}

void TVipServiceQuery::OnBrowseExcetue() {
    const int prec = currentItem();
    if (prec > 0)
        ShowVipServiceRuleEdit(this, prec, vsrBrowse);
}

void TVipServiceQuery::OnDelExcetue() {
    requireRight(DeleteRight);
    const int prec = currentItem();
    if (prec == 0)
        return;
    if (Messagebox(QStringLiteral("真的要删除服务项目 ") + GData(QStringLiteral("vsFullName")) +
                       QStringLiteral(" ？"),
                   QStringLiteral("确认"), MB::OkCancel | MB::IconQuestion) != IDOK)
        return;
    if (VipCzStore().DeleteServiceItem(prec) == VipCzStore::ServiceInUse) {
        ShowMsg(QStringLiteral("已经使用的服务项目不能删除!"), QStringLiteral("删除"));
        return;
    }
    RefreshData();
}
