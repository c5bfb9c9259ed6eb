#include "vip/cardtypes/CardTypeDiscountPage.h"

#include "host/sdk/ui/DialogFields.h"
#include "host/sdk/ui/NumberText.h"
#include "host/sdk/ui/Refuse.h"
#include "vip/cardtypes/CardTypeRuleGrid.h"
#include "vip/cardtypes/CheckRuleBands.h"

#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace DialogFields;
using F = CardTypeRuleModel::Field;

CardTypeDiscountPage::CardTypeDiscountPage(QWidget* parent)
    : QWidget(parent)
    , m_fixed(Radio("rbFixedDiscount", QStringLiteral("固定折扣(%)")))
    , m_rate(NumberEdit("reDiscount", KeyFilter::DigitsDot, 6))
    , m_product(Radio("cBox_UsePtypeDisCount", QStringLiteral("商品折扣")))
    , m_segmented(Radio("cBox_automembertotal", QStringLiteral("分段折扣")))
    , m_grid(new CardTypeRuleGrid(QStringLiteral("GridSale"),
                                  new CardTypeRuleModel({{F::From, QStringLiteral("消费金额下限")},
                                                         {F::To, QStringLiteral("消费金额上限")},
                                                         {F::Discount, QStringLiteral("折扣率")},
                                                         {F::Comment, QStringLiteral("备注"), 200}},
                                                        false),
                                  true))
    , m_delete(new QPushButton(QStringLiteral("删除行[&D]"))) {
    m_delete->setObjectName(QStringLiteral("btnDelSale"));
    KeepRate(m_rate);

    auto* kinds = new QGridLayout;
    kinds->addWidget(m_fixed, 0, 0);
    kinds->addWidget(m_rate, 0, 1);
    kinds->addWidget(m_product, 1, 0);
    kinds->addWidget(m_segmented, 2, 0);
    kinds->addWidget(m_delete, 2, 2, Qt::AlignRight);
    kinds->setColumnStretch(2, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(kinds);
    layout->addWidget(m_grid);

    for (QRadioButton* radio : {m_fixed, m_product, m_segmented})
        connect(radio, &QRadioButton::toggled, this, &CardTypeDiscountPage::updateState);
    connect(m_delete, &QPushButton::clicked, m_grid, &CardTypeRuleGrid::DeleteCurrentRow);
}

void CardTypeDiscountPage::Load(const ClientDataSet* type, const ClientDataSet& bands) {
    // A new type starts from the fixed rate; the product discount is ticked first
    // so that a type without any kind set falls back to it rather than to nothing.
    m_product->setChecked(true);
    m_fixed->setChecked(true);
    m_rate->setText(QStringLiteral("100"));
    if (type) {
        if (type->FieldByName(QStringLiteral("UsePtypeDisCount")).AsBoolean())
            m_product->setChecked(true);
        if (type->FieldByName(QStringLiteral("automembertotal")).AsBoolean())
            m_segmented->setChecked(true);
        if (type->FieldByName(QStringLiteral("FixedDiscount")).AsInteger() == 1)
            m_fixed->setChecked(true);
        const double rate = type->FieldByName(QStringLiteral("Discount")).AsFloat();
        m_rate->setText(rate == 0 ? QStringLiteral("100") : DoubleToString(rate));
    }
    m_grid->RuleModel()->Load(bands);
    updateState();
}

QString CardTypeDiscountPage::RateText() const {
    return m_rate->text();
}

void CardTypeDiscountPage::updateState() {
    m_rate->setEnabled(m_fixed->isChecked());
    m_grid->setEnabled(m_segmented->isChecked());
    m_delete->setEnabled(m_segmented->isChecked());
}

void CardTypeDiscountPage::CheckRate() {
    if (m_rate->text().trimmed().isEmpty())
        Refuse(m_rate, QStringLiteral("会员卡折扣设置不完整，不能保存!"), QStringLiteral("输入不完整"));
    // Read as a whole number for the lower end, as typed for the upper one: 100.5
    // is no rate a card can give.
    if (m_fixed->isChecked() && (StringToInt(m_rate->text()) < 1 || StringToDouble(m_rate->text()) > 100))
        Refuse(m_rate, QStringLiteral("输入折扣必须在0至100之间，但不能为0！"), QStringLiteral("输入错误"));
}

void CardTypeDiscountPage::CheckBands(const QString& typeName) {
    if (!m_segmented->isChecked())
        return;
    if (m_grid->RuleModel()->CountedRows() == 0) {
        m_grid->FocusCell(0, F::From);
        Refuse(m_grid, QStringLiteral("启用了分段折扣，必须设置分段折扣！"));
    }
    CheckRuleBands(
        *m_grid, BandTable::Discount,
        QStringLiteral("【%1】类型分段折扣设置存在断档数据，断档部分将无法享有折扣，是否忽略继续保存吗？")
            .arg(typeName));
}

void CardTypeDiscountPage::Fill(VipCardTypeSettings& settings) const {
    using S = VipCardTypeSettings;
    settings.discountKind = m_segmented->isChecked()
                                ? S::SegmentedDiscount
                                : (m_product->isChecked() ? S::ProductDiscount : S::FixedRate);
    settings.rate = StringToDouble(m_rate->text());
    settings.discountBands = m_grid->RuleModel()->Rules();
}
