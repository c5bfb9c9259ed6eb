#include "vip/points/TFExchange.h"

#include "host/sdk/Ucomvar.h"
#include "host/sdk/VipCodes.h"
#include "host/sdk/ui/CallQueryClass.h"
#include "host/sdk/ui/DialogFields.h"
#include "host/sdk/ui/GuardedHandler.h"
#include "host/sdk/ui/Refuse.h"
#include "host/sdk/ui/TBaseQuery.h"
#include "host/sdk/ui/TPtypeSelectDlg.h"
#include "vip/coupons/ETCKinds.h"
#include "vip/points/ExchangeRuleGrid.h"
#include "vip/points/VipPointsStore.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

using F = ExchangeRuleModel::Field;

namespace {

constexpr qint64 MostPoints = 10000000;
const QString Caption = QStringLiteral("积分兑换设置");

// Coupon cards are exchanged only in the editions that sell them.
bool couponCardsOffered() {
    const int edition = MEDVERSION();
    return (edition == 1 || edition == 2 || edition == 3 || edition == 5) && !AppClass().Flag(12);
}

QDateEdit* dateBox(const char* name) {
    auto* box = new QDateEdit(QDate::currentDate());
    box->setObjectName(QLatin1String(name));
    box->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    box->setCalendarPopup(true);
    return box;
}

QString rowText(int row, const QString& text) {
    return QStringLiteral("第") + QString::number(row + 1) + QStringLiteral("行，") + text;
}

} // namespace

TFExchange::TFExchange(QWidget* parent)
    : TBaseDialog(parent)
    , m_typeName(DialogFields::Edit("edtTypeName", 8))
    , m_start(dateBox("dtSDate"))
    , m_end(dateBox("dtEDate"))
    , m_memo(DialogFields::Edit("edtMemo", 100))
    , m_way(new QComboBox)
    , m_czAuto(DialogFields::CheckBox("chkCzAuto", QStringLiteral("自动兑换")))
    , m_pages(new QStackedWidget) {
    setObjectName(QStringLiteral("TFExchange"));
    setWindowTitle(Caption);
    m_typeName->setReadOnly(true);
    m_end->setDate(QDate::currentDate().addYears(1));
    m_way->setObjectName(QStringLiteral("cbChangeType"));
    const QList<QPair<int, QString>> ways = {{ExchangeWay::Cash, QStringLiteral("现金兑换")},
                                             {ExchangeWay::StoredValue, QStringLiteral("储值兑换")},
                                             {ExchangeWay::Goods, QStringLiteral("商品兑换")},
                                             {ExchangeWay::CouponCards, QStringLiteral("购物卡兑换")}};
    for (const auto& [way, name] : ways) {
        auto* grid = new ExchangeRuleGrid(QStringLiteral("grid%1").arg(way), new ExchangeRuleModel(way));
        connect(grid, &ExchangeRuleGrid::chooseItem, this,
                [this, grid](int row) { RunGuardedAction(this, [&] { chooseItem(grid, row); }); });
        m_grids.insert(way, grid);
        m_pages->addWidget(grid);
        if (way != ExchangeWay::CouponCards || couponCardsOffered())
            m_way->addItem(name, way);
    }
    connect(m_way, &QComboBox::currentIndexChanged, this, [this] { OnWayChanged(); });

    auto* fields = new QGridLayout;
    fields->addWidget(DialogFields::Label(QStringLiteral("会员类型：  ")), 0, 0);
    fields->addWidget(m_typeName, 0, 1);
    fields->addWidget(DialogFields::Label(QStringLiteral("兑换方式：  ")), 0, 2);
    fields->addWidget(m_way, 0, 3);
    fields->addWidget(DialogFields::Label(QStringLiteral("开始日期：  ")), 1, 0);
    fields->addWidget(m_start, 1, 1);
    fields->addWidget(DialogFields::Label(QStringLiteral("结束日期：  ")), 1, 2);
    fields->addWidget(m_end, 1, 3);
    fields->addWidget(DialogFields::Label(QStringLiteral("备注：  ")), 2, 0);
    fields->addWidget(m_memo, 2, 1, 1, 3);

    auto* deleteRow = new QPushButton(QStringLiteral("删除行[&D]"));
    deleteRow->setObjectName(QStringLiteral("btnDeleteRow"));
    ConnectGuarded(deleteRow, &QPushButton::clicked, this, &TFExchange::OnDeleteRow);
    QHBoxLayout* buttons =
        ConfirmButtons(QStringLiteral("确定"), QStringLiteral("取消"), [this] { OnSave(); });
    buttons->insertWidget(0, m_czAuto);
    buttons->insertWidget(1, deleteRow);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(m_pages, 1);
    layout->addLayout(buttons);
    resize(560, 400);
    OnWayChanged();
}

void TFExchange::Setup(int ctypeId, const QString& typeName, int exchangeId, int changeType,
                       const QString& groupId, bool onlyAutomatic) {
    m_group = groupId.isEmpty() ? ExchangeGroup{.changeType = changeType}
                                : VipPointsStore().LoadExchangeGroup(groupId, changeType);
    m_group.ctypeId = ctypeId;
    m_exchangeId = exchangeId;
    setWindowTitle(Caption + QStringLiteral("---卡类型：") + typeName);
    m_typeName->setText(typeName);
    if (!m_group.groupId.isEmpty()) {
        m_start->setDate(m_group.startDate);
        m_end->setDate(m_group.endDate);
        m_memo->setText(m_group.memo);
        m_czAuto->setChecked(m_group.czAuto);
        if (ExchangeRuleGrid* grid = m_grids.value(m_group.changeType))
            grid->RuleModel()->Load(m_group.rules);
    }
    int wayItem = m_way->findData(m_group.changeType);
    // A group of a way this edition does not offer is still shown as it is.
    if (wayItem < 0 && m_grids.contains(m_group.changeType)) {
        m_way->addItem(QStringLiteral("购物卡兑换"), m_group.changeType);
        wayItem = m_way->count() - 1;
    }
    m_way->setCurrentIndex(std::max(wayItem, 0));
    OnWayChanged();
    m_onlyAutomatic = onlyAutomatic && exchangeId > 0 && changeType == ExchangeWay::StoredValue;
    if (m_onlyAutomatic) {
        for (QWidget* field :
             std::initializer_list<QWidget*>{m_start, m_end, m_memo, m_way, m_pages,
                                             findChild<QPushButton*>(QStringLiteral("btnDeleteRow"))})
            field->setEnabled(false);
    }
}

ExchangeRuleGrid* TFExchange::currentGrid() const {
    return m_grids.value(m_way->currentData().toInt());
}

void TFExchange::OnWayChanged() {
    ExchangeRuleGrid* grid = currentGrid();
    if (!grid)
        return;
    m_pages->setCurrentWidget(grid);
    m_czAuto->setVisible(grid->RuleModel()->Way() == ExchangeWay::StoredValue);
}

void TFExchange::OnDeleteRow() {
    currentGrid()->DeleteCurrentRow();
}

void TFExchange::chooseItem(ExchangeRuleGrid* grid, int row) {
    if (m_onlyAutomatic)
        return;
    if (grid->RuleModel()->Way() == ExchangeWay::Goods)
        chooseProducts(grid, row);
    else if (grid->RuleModel()->Way() == ExchangeWay::CouponCards)
        chooseCoupon(grid, row);
}

void TFExchange::chooseProducts(ExchangeRuleGrid* grid, int row) {
    ExchangeRuleModel* model = grid->RuleModel();
    const QList<BaseInfoItem> chosen = TPtypeSelectDlg::Select(this);
    // The first product takes this row; the others follow it, each on a row of its own.
    for (int i = 0; i < chosen.size(); ++i) {
        const int target = row + i;
        if (i > 0 && !model->IsRowEmpty(target))
            model->InsertEmptyRow(target);
        model->SetProduct(target, chosen[i].rec, chosen[i].code, chosen[i].name);
    }
    if (!chosen.isEmpty())
        grid->FocusCell(row, F::Points);
}

void TFExchange::chooseCoupon(ExchangeRuleGrid* grid, int row) {
    ExchangeRuleModel* model = grid->RuleModel();
    const int kind = model->CouponKind(row) != 0 ? model->CouponKind(row) : CouponKind::CashCoupon;
    TParamObject params;
    params.Add(QStringLiteral("@SelectOneRow"), 1);
    params.Add(QStringLiteral("@FormStyle"), TBaseQuery::PickStyle);
    params.Add(QStringLiteral("@Type"), kind);
    // Voided and deleted types cannot be handed out for points.
    params.Add(QStringLiteral("@Enable"), 1);
    if (CallQueryClass(ETCKinds::TypeListClass(kind), params) != mrOk ||
        params.AsInteger(QStringLiteral("@ID")) <= 0)
        return;
    model->SetCoupon(row, params.AsInteger(QStringLiteral("@ID")), kind,
                     params.AsString(QStringLiteral("@NAME")));
    grid->FocusCell(row, F::Points);
}

void TFExchange::refuseAt(int row, F field, const QString& text) {
    ExchangeRuleGrid* grid = currentGrid();
    grid->FocusCell(row, field);
    Refuse(grid, text, QStringLiteral("提示"), MB::IconWarning);
}

QList<ExchangeRule> TFExchange::checkedRules() {
    if (m_end->date() < m_start->date())
        Refuse(m_end, QStringLiteral("结束日期不能小于开始日期！"), QStringLiteral("提示"), MB::IconWarning);
    ExchangeRuleGrid* grid = currentGrid();
    const ExchangeRuleModel* model = grid->RuleModel();
    const int way = model->Way();
    const bool amounts = way == ExchangeWay::Cash || way == ExchangeWay::StoredValue;
    QList<ExchangeRule> rules;
    m_rowsOfRules.clear();
    for (int row = 0; row < model->rowCount(); ++row) {
        if (model->IsRowEmpty(row))
            continue;
        if (Money::fromText(model->Text(row, F::Quantity)).isZero())
            refuseAt(row, F::Quantity,
                     rowText(row, amounts ? QStringLiteral("兑换金额不能为0！")
                                          : QStringLiteral("兑换数量不能为0！")));
        bool number = false;
        const qint64 points = model->Text(row, F::Points).toLongLong(&number);
        if (!number)
            refuseAt(row, F::Points, rowText(row, QStringLiteral("所需积分必须是数字！")));
        if (points == 0)
            refuseAt(row, F::Points, rowText(row, QStringLiteral("所需积分不能为0！")));
        if (points < 0 || points > MostPoints)
            refuseAt(row, F::Points, rowText(row, QStringLiteral("所需积分超出范围0~10000000！")));
        if (way == ExchangeWay::CouponCards && model->CouponType(row) == 0)
            refuseAt(row, F::CouponName, rowText(row, QStringLiteral("兑换购物卡 不能为空！")));
        if (way == ExchangeWay::Goods && model->Prec(row) == 0)
            refuseAt(row, F::ProductName, rowText(row, QStringLiteral("兑换商品 不能为空！")));
        rules.append(model->Rule(row));
        m_rowsOfRules.append(row);
    }
    if (rules.isEmpty())
        refuseAt(0, model->FieldOf(0), QStringLiteral("请在表格中输入积分兑换信息！"));
    return rules;
}

void TFExchange::OnSave() {
    VipPointsStore store;
    if (m_onlyAutomatic) {
        if (!store.SetExchangeCzAuto(m_exchangeId, m_czAuto->isChecked()))
            ShowErrorAndAbort(QStringLiteral("该规则已被删除，不能修改！"), QStringLiteral("提示"));
        SetModalResult(mrOk);
        return;
    }
    ExchangeGroup group = m_group;
    group.rules = checkedRules();
    group.changeType = currentGrid()->RuleModel()->Way();
    group.startDate = m_start->date();
    group.endDate = m_end->date();
    group.memo = m_memo->text().trimmed();
    group.czAuto = group.changeType == ExchangeWay::StoredValue && m_czAuto->isChecked();
    const VipPointsStore::ExchangeSave saved = store.SaveExchangeGroup(group, Ucomvar().nLoginUserRec);
    if (saved.result < 0)
        refuseSaved(saved.result, saved.rule >= 0 ? m_rowsOfRules.value(saved.rule) : 0);
    m_group = group;
    SetModalResult(mrOk);
}

void TFExchange::refuseSaved(int result, int row) {
    using S = VipPointsStore;
    switch (result) {
    case S::RuleTypeGone:
        Refuse(m_typeName, QStringLiteral("该会员卡类型已被删除或未启用积分，不能保存！"));
    case S::RulePointsOutOfRange:
        refuseAt(row, F::Points, rowText(row, QStringLiteral("所需积分超出范围0~10000000！")));
    case S::RuleGivesNothing:
        refuseAt(row, F::Quantity, rowText(row, QStringLiteral("兑换数量不能为0！")));
    case S::RuleProductGone:
        refuseAt(row, F::ProductName, rowText(row, QStringLiteral("兑换商品已被删除，请重新选择！")));
    case S::RuleCouponTypeGone:
        refuseAt(row, F::CouponName, rowText(row, QStringLiteral("兑换购物卡已作废或已删除，请重新选择！")));
    case S::RuleDatesReversed:
        Refuse(m_end, QStringLiteral("结束日期不能小于开始日期！"));
    default:
        ShowErrorAndAbort(ErrorWriteDb);
    }
}
