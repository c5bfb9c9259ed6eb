#include "vip/cardtypes/CardTypePointsPage.h"

#include "host/sdk/MessageBox.h"
#include "host/sdk/VipCodes.h"
#include "host/sdk/ui/DialogFields.h"
#include "host/sdk/ui/GuardedHandler.h"
#include "host/sdk/ui/NumberText.h"
#include "host/sdk/ui/Refuse.h"
#include "host/sdk/ui/TPropertySelectDlg.h"
#include "host/sdk/ui/TPtypeSelectDlg.h"
#include "vip/cardtypes/CardTypeRuleGrid.h"
#include "vip/cardtypes/CheckRuleBands.h"
#include "vip/cardtypes/VipCardTypeStore.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

using namespace DialogFields;
using F = CardTypeRuleModel::Field;

namespace {

constexpr int AmountDigits = 6;
constexpr int AmountHigh = 100000;
constexpr int AllIndependentStores = -1;
constexpr int NoIndependentStore = 0;

QString moneyText(const ClientDataSet& rows, const char* field) {
    return DoubleToString(rows.FieldByName(QLatin1String(field)).AsMoney().toDouble());
}

// "每次消费 [amount] 元积 [points] 分"
QWidget* amountRow(QLabel* caption, QLineEdit* amount, QLineEdit* points) {
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(caption);
    layout->addWidget(amount);
    layout->addWidget(Label(QStringLiteral("元积")));
    layout->addWidget(points);
    layout->addWidget(Label(QStringLiteral("分")));
    layout->addStretch();
    return row;
}

CardTypeRuleModel* itemModel(const QString& codeCaption, const QString& nameCaption) {
    return new CardTypeRuleModel({{F::ItemCode, codeCaption},
                                  {F::ItemName, nameCaption, 160},
                                  {F::From, QStringLiteral("消费金额")},
                                  {F::Grant, QStringLiteral("积分")},
                                  {F::Comment, QStringLiteral("备注"), 160}},
                                 true);
}

} // namespace

CardTypePointsPage::CardTypePointsPage(VipCardTypeStore& store, QWidget* parent)
    : QWidget(parent)
    , m_store(store)
    , m_clear(CheckBox("chkClearIntegral", QStringLiteral("积分自动清零，清零周期")))
    , m_clearMonths(NumberEdit("edtClearIntegral", KeyFilter::Digits, 3))
    , m_exchangeLabel(Label(QStringLiteral("积分兑换独立门店")))
    , m_exchange(new QComboBox)
    , m_remain(CheckBox("rcbUseRemainTotal", QStringLiteral("计算积分累加上次未积分金额")))
    , m_fixed(Radio("rbFixedIntegral", QStringLiteral("单次消费金额积分")))
    , m_times(Radio("rbTimesIntegral", QStringLiteral("消费次数积分")))
    , m_step(Radio("rbStepIntegral", QStringLiteral("分段积分")))
    , m_product(Radio("rbIntegralPtype", QStringLiteral("商品积分")))
    , m_attribute(Radio("rbIntegralPtypePT", QStringLiteral("商品辅助属性积分")))
    , m_amountLabel(Label(QStringLiteral("每次消费"), "lblBuyTotal"))
    , m_amount(NumberEdit("edtbuyTotal", KeyFilter::Digits, AmountDigits))
    , m_points(NumberEdit("edtInteger", KeyFilter::Digits, AmountDigits))
    , m_amountRow(amountRow(m_amountLabel, m_amount, m_points))
    , m_inner(new QTabWidget)
    , m_bandGrid(new CardTypeRuleGrid(QStringLiteral("GridIntegral"),
                                      new CardTypeRuleModel({{F::From, QStringLiteral("消费金额下限")},
                                                             {F::To, QStringLiteral("消费金额上限")},
                                                             {F::Base, QStringLiteral("积分基数")},
                                                             {F::Grant, QStringLiteral("积分")},
                                                             {F::Comment, QStringLiteral("备注"), 160}},
                                                            false),
                                      true))
    , m_productGrid(new CardTypeRuleGrid(QStringLiteral("GridIntegralPtype"),
                                         itemModel(QStringLiteral("商品编号"), QStringLiteral("商品名称")),
                                         false))
    , m_attributeGrid(new CardTypeRuleGrid(QStringLiteral("GridIntegralPtypePT"),
                                           itemModel(QStringLiteral("属性编号"), QStringLiteral("属性名称")),
                                           false))
    , m_otherLabel(Label(QStringLiteral("其它商品每次消费"), "lblOther"))
    , m_otherAmount(NumberEdit("edtpTotal", KeyFilter::Digits, AmountDigits))
    , m_otherPoints(NumberEdit("edtPInteger", KeyFilter::Digits, AmountDigits))
    , m_delete(new QPushButton(QStringLiteral("删除行[&D]"))) {
    m_exchange->setObjectName(QStringLiteral("cbChangeIntegralPos"));
    m_inner->setObjectName(QStringLiteral("pcIntegral"));
    m_delete->setObjectName(QStringLiteral("btnDelIntegral"));
    m_otherRow = amountRow(m_otherLabel, m_otherAmount, m_otherPoints);
    const QList<std::pair<QLineEdit*, QString>> amounts = {
        {m_amount, QStringLiteral("消费金额")},
        {m_points, QStringLiteral("积分")},
        {m_otherAmount, QStringLiteral("其它商品消费金额")},
        {m_otherPoints, QStringLiteral("其它商品积分")}};
    for (const auto& [field, caption] : amounts) {
        KeepWhole(field);
        KeepInRange(field, caption, 0, AmountHigh);
    }

    auto* clearing = new QHBoxLayout;
    clearing->addWidget(m_clear);
    clearing->addWidget(m_clearMonths);
    clearing->addWidget(Label(QStringLiteral("月")));
    clearing->addSpacing(20);
    clearing->addWidget(m_exchangeLabel);
    clearing->addWidget(m_exchange, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(clearing);
    layout->addWidget(m_remain);
    layout->addWidget(buildRuleBox());
    layout->addWidget(m_amountRow);
    layout->addWidget(buildGrids(), 1);
    layout->addWidget(m_otherRow);

    for (QRadioButton* radio : {m_fixed, m_times, m_step, m_product, m_attribute})
        connect(radio, &QRadioButton::toggled, this, &CardTypePointsPage::updateState);
    connect(m_clear, &QCheckBox::toggled, this, &CardTypePointsPage::updateState);
    connect(m_delete, &QPushButton::clicked, this, [this] {
        if (m_active)
            m_active->DeleteCurrentRow();
    });
    connect(m_productGrid, &CardTypeRuleGrid::itemCellDoubleClicked, this,
            [this](int row) { RunGuarded([&] { chooseProducts(row); }); });
    connect(m_attributeGrid, &CardTypeRuleGrid::itemCellDoubleClicked, this,
            [this](int row) { RunGuarded([&] { chooseAttribute(row); }); });
}

QWidget* CardTypePointsPage::buildRuleBox() {
    auto* box = new QWidget;
    auto* rules = new QGridLayout(box);
    rules->setContentsMargins(0, 0, 0, 0);
    rules->addWidget(m_fixed, 0, 0);
    rules->addWidget(m_times, 0, 1);
    rules->addWidget(m_step, 0, 2);
    rules->addWidget(m_product, 1, 0);
    rules->addWidget(m_attribute, 1, 1);
    rules->addWidget(m_delete, 1, 3, Qt::AlignRight);
    rules->setColumnStretch(3, 1);
    return box;
}

QWidget* CardTypePointsPage::buildGrids() {
    m_inner->addTab(m_bandGrid, QStringLiteral("分段积分"));
    m_inner->addTab(m_productGrid, QStringLiteral("商品积分"));
    m_inner->addTab(m_attributeGrid, QStringLiteral("商品辅助属性积分"));
    return m_inner;
}

void CardTypePointsPage::Load(const VipCardTypeData& data) {
    const ClientDataSet* type = data.found() ? &data.type : nullptr;
    m_bandGrid->RuleModel()->Load(data.rulesOf(RuleKind::PointsBands));
    m_productGrid->RuleModel()->Load(data.products);
    m_attributeGrid->RuleModel()->Load(data.attributes);

    const ClientDataSet& fixedRow = data.rulesOf(RuleKind::PointsPerAmount);
    m_amount->setText(fixedRow.IsEmpty() ? QString() : moneyText(fixedRow, "IntegralQuotiety"));
    m_points->setText(fixedRow.IsEmpty() ? QString() : moneyText(fixedRow, "Integral"));

    m_clear->setChecked(false);
    m_clearMonths->setText(QStringLiteral("0"));
    m_remain->setChecked(false);
    m_fixed->setChecked(true);
    m_clearingWasOn = false;
    int exchangeStore = AllIndependentStores;
    if (type) {
        const auto flag = [type](const char* name) {
            return type->FieldByName(QLatin1String(name)).AsInteger() == 1;
        };
        m_clearingWasOn = flag("ClearIntegral");
        m_clear->setChecked(m_clearingWasOn);
        if (m_clearingWasOn)
            m_clearMonths->setText(type->FieldByName(QStringLiteral("ClearCycle")).AsString());
        m_remain->setChecked(flag("CanUseRemainTotal"));
        if (flag("StepIntegral") ||
            (!flag("FixedIntegral") && !flag("TimesIntegral") && !flag("PtypeIntegral") &&
             !flag("PtypePTIntegral") && !data.rulesOf(RuleKind::PointsBands).IsEmpty()))
            m_step->setChecked(true);
        else if (flag("PtypeIntegral"))
            m_product->setChecked(true);
        else if (flag("PtypePTIntegral"))
            m_attribute->setChecked(true);
        else if (flag("TimesIntegral"))
            m_times->setChecked(true);
        exchangeStore = type->FieldByName(QStringLiteral("ChangeIntegralPos")).AsInteger();
    }
    const ClientDataSet& timesRow = data.rulesOf(RuleKind::PointsPerPurchase);
    if (m_times->isChecked() && !timesRow.IsEmpty()) {
        m_amount->setText(moneyText(timesRow, "IntegralQuotiety"));
        m_points->setText(moneyText(timesRow, "Integral"));
    }
    const ClientDataSet& other = m_attribute->isChecked() ? data.otherAttributes : data.otherProducts;
    m_otherAmount->setText(other.IsEmpty() ? QString() : moneyText(other, "BuyToTalBegin"));
    m_otherPoints->setText(other.IsEmpty() ? QString() : moneyText(other, "Integral"));
    fillExchangeStores(data.exchangeStores, exchangeStore);
    updateState();
}

void CardTypePointsPage::fillExchangeStores(const QList<NamedId>& stores, int current) {
    m_exchange->clear();
    m_exchange->addItem(QStringLiteral("<所有独立门店都可修改>"), AllIndependentStores);
    m_exchange->addItem(QStringLiteral("<所有独立门店都不允许修改>"), NoIndependentStore);
    for (const NamedId& store : stores)
        m_exchange->addItem(store.name, store.id);
    // A store that is no longer offered falls back to "all may change".
    const int item = m_exchange->findData(current);
    m_exchange->setCurrentIndex(item < 0 ? 0 : item);
}

void CardTypePointsPage::HideExchangeStores() {
    m_exchangeLabel->hide();
    m_exchange->hide();
}

void CardTypePointsPage::updateState() {
    m_clearMonths->setEnabled(m_clear->isChecked());
    if (!m_clear->isChecked())
        m_clearMonths->setText(QStringLiteral("0"));

    const bool single = m_fixed->isChecked() || m_times->isChecked();
    m_amountLabel->setText(m_times->isChecked() ? QStringLiteral("单次消费满") : QStringLiteral("每次消费"));
    m_amount->setEnabled(single);
    m_points->setEnabled(single);
    if (!single) {
        m_amount->clear();
        m_points->clear();
    }
    m_active = m_step->isChecked()
                   ? m_bandGrid
                   : (m_product->isChecked() ? m_productGrid
                                             : (m_attribute->isChecked() ? m_attributeGrid : nullptr));
    m_inner->setVisible(m_active != nullptr);
    for (int page = 0; page < m_inner->count(); ++page)
        m_inner->setTabVisible(page, m_inner->widget(page) == m_active);
    if (m_active)
        m_inner->setCurrentWidget(m_active);
    m_delete->setVisible(m_active != nullptr);
    m_otherRow->setVisible(itemRuleChosen());
    m_otherLabel->setText(m_attribute->isChecked() ? QStringLiteral("其它商品属性每次消费")
                                                   : QStringLiteral("其它商品每次消费"));
}

bool CardTypePointsPage::itemRuleChosen() const {
    return m_product->isChecked() || m_attribute->isChecked();
}

void CardTypePointsPage::requireRowAboveHoldsItem(CardTypeRuleGrid& grid, int row) {
    if (row > 0 && grid.RuleModel()->Prec(row - 1) == 0)
        Refuse(&grid, QStringLiteral("当前行不能录入数据,因为上一行数据为空！"), QStringLiteral("出错提示"),
               MB::IconError);
}

void CardTypePointsPage::refuseChosenTwice(CardTypeRuleGrid& grid, int rec, int row) {
    if (grid.RuleModel()->RowOfItem(rec, row) >= 0)
        Refuse(&grid, QStringLiteral("选择的商品已经包含在表格中，请重新选择！"));
}

void CardTypePointsPage::chooseProducts(int row) {
    CardTypeRuleModel* model = m_productGrid->RuleModel();
    requireRowAboveHoldsItem(*m_productGrid, row);
    const QList<BaseInfoItem> chosen = TPtypeSelectDlg::Select(window());
    for (const BaseInfoItem& product : chosen)
        refuseChosenTwice(*m_productGrid, product.rec, row);
    // The first product takes this row; the others follow it, each on a row of its own.
    for (int i = 0; i < chosen.size(); ++i) {
        const int target = row + i;
        if (i > 0 && model->Prec(target) != 0)
            model->InsertEmptyRow(target);
        model->SetItem(target, chosen[i].rec, chosen[i].code, chosen[i].name);
    }
    if (!chosen.isEmpty())
        m_productGrid->FocusCell(row, F::From);
}

void CardTypePointsPage::chooseAttribute(int row) {
    CardTypeRuleModel* model = m_attributeGrid->RuleModel();
    requireRowAboveHoldsItem(*m_attributeGrid, row);
    // The selector opens on the group the grid's attributes already come from.
    const int group = model->Prec(0) != 0 ? m_store.AttributeGroup(model->Prec(0)) : 0;
    const std::optional<BaseInfoItem> picked = TPropertySelectDlg::Select(group, window());
    if (!picked)
        return;
    const std::optional<BaseInfoItem> attribute = m_store.Attribute(picked->typeId);
    if (!attribute)
        return;
    refuseChosenTwice(*m_attributeGrid, attribute->rec, row);
    model->SetItem(row, attribute->rec, attribute->code, attribute->name);
    m_attributeGrid->FocusCell(row, F::From);
}

void CardTypePointsPage::checkItemRows(CardTypeRuleGrid& grid, const QString& rule) {
    const QList<VipTypeRuleRow> rows = grid.RuleModel()->Rules();
    if (rows.isEmpty())
        Refuse(&grid, QStringLiteral("启用了%1，必须设置%1规则！").arg(rule));
    // A product or attribute deleted by someone else, since the type was saved or
    // while this dialog was open, would make the save fail half-way; it is shown and
    // named here instead.
    QList<int> items;
    for (const VipTypeRuleRow& row : rows)
        items.append(row.prec);
    const bool products = &grid == m_productGrid;
    const QSet<int> gone = products ? m_store.GoneProducts(items) : m_store.GoneAttributes(items);
    grid.RuleModel()->MarkGone(gone);
    for (int i = 0; i < rows.size(); ++i) {
        const QString n = QStringLiteral("第%1").arg(i + 1);
        const auto refuse = [&](const QString& text, F field) {
            grid.FocusCell(i, field);
            Refuse(&grid, n + text);
        };
        if (gone.contains(rows[i].prec))
            refuse(products ? QStringLiteral("行商品已被删除，请删除该行或重新选择商品！")
                            : QStringLiteral("行商品属性已被删除，请删除该行或重新选择属性！"),
                   F::ItemName);
        if (rows[i].from.isZero())
            refuse(QStringLiteral("行消费金额为0，不能保存！"), F::From);
        if (rows[i].grant.isZero())
            refuse(QStringLiteral("行积分为0，不能保存！"), F::Grant);
    }
}

void CardTypePointsPage::Check(const QString& typeName) {
    if (m_fixed->isChecked() || m_times->isChecked()) {
        if (Money::fromText(m_amount->text()).isZero())
            Refuse(m_amount, m_amountLabel->text() + QStringLiteral("金额不能为0，不能保存！"));
        if (Money::fromText(m_points->text()).isZero())
            Refuse(m_points, QStringLiteral("积分不能为0，不能保存！"));
        return;
    }
    if (m_step->isChecked()) {
        if (m_bandGrid->RuleModel()->CountedRows() == 0)
            Refuse(m_bandGrid, QStringLiteral("启用了分段积分，必须设置分段积分规则！"));
        CheckRuleBands(
            *m_bandGrid, BandTable::Points,
            QStringLiteral(
                "【%1】类型分段积分设置存在断档数据，将会造成不可预料的错误，你要忽略此问题强制保存吗？")
                .arg(typeName));
        return;
    }
    if (m_product->isChecked())
        checkItemRows(*m_productGrid, QStringLiteral("商品积分"));
    else
        checkItemRows(*m_attributeGrid, QStringLiteral("商品辅助属性积分"));
}

void CardTypePointsPage::CheckCatchAll() {
    if (!itemRuleChosen())
        return;
    const bool amount = !Money::fromText(m_otherAmount->text()).isZero();
    const bool points = !Money::fromText(m_otherPoints->text()).isZero();
    if (amount && !points)
        Refuse(m_otherPoints, QStringLiteral("请输入%1积分！").arg(m_otherLabel->text()));
    if (!amount && points)
        Refuse(m_otherAmount, QStringLiteral("请输入%1金额！").arg(m_otherLabel->text()));
}

void CardTypePointsPage::Fill(VipCardTypeSettings& s) const {
    using S = VipCardTypeSettings;
    s.pointsRule = m_times->isChecked()       ? S::TimesPoints
                   : m_step->isChecked()      ? S::StepPoints
                   : m_product->isChecked()   ? S::ProductPoints
                   : m_attribute->isChecked() ? S::AttributePoints
                                              : S::FixedPoints;
    s.pointsAmount = Money::fromText(m_amount->text());
    s.points = Money::fromText(m_points->text());
    s.pointBands = m_bandGrid->RuleModel()->Rules();
    s.productRows = m_productGrid->RuleModel()->Rules();
    s.attributeRows = m_attributeGrid->RuleModel()->Rules();
    s.otherAmount = Money::fromText(m_otherAmount->text());
    s.otherPoints = Money::fromText(m_otherPoints->text());
    s.useRemainTotal = m_remain->isChecked();
    s.clearIntegral = m_clear->isChecked();
    s.clearingWasOn = m_clearingWasOn;
    s.clearMonthsText = m_clearMonths->text();
    s.changeIntegralPos = m_exchange->count() == 0 ? AllIndependentStores : m_exchange->currentData().toInt();
}
