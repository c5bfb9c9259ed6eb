#include "vip/cardtypes/CardTypeStoredValuePage.h"

#include "host/sdk/ui/DialogFields.h"
#include "vip/cardtypes/CardTypeRuleGrid.h"
#include "vip/cardtypes/CheckRuleBands.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace DialogFields;
using F = CardTypeRuleModel::Field;

CardTypeStoredValuePage::CardTypeStoredValuePage(QWidget* parent)
    : QWidget(parent)
    , m_onlyStoredValue(CheckBox("chkIsOnlyJS", QStringLiteral("只能使用会员储值结算")))
    , m_points(new QComboBox)
    , m_grid(new CardTypeRuleGrid(QStringLiteral("GridCZ"),
                                  new CardTypeRuleModel({{F::From, QStringLiteral("储值金额下限")},
                                                         {F::To, QStringLiteral("储值金额上限")},
                                                         {F::Base, QStringLiteral("储值基数")},
                                                         {F::Grant, QStringLiteral("赠送金额")},
                                                         {F::Comment, QStringLiteral("备注"), 160}},
                                                        false),
                                  true)) {
    m_points->setObjectName(QStringLiteral("cboCzIntegerType"));
    m_points->addItems({QStringLiteral("储值支付部分要积分"), QStringLiteral("储值支付部分不积分"),
                        QStringLiteral("储值支付整单不积分")});
    auto* remove = new QPushButton(QStringLiteral("删除行[&D]"));
    remove->setObjectName(QStringLiteral("btnDelCZ"));

    auto* top = new QHBoxLayout;
    top->addWidget(m_onlyStoredValue);
    top->addSpacing(20);
    top->addWidget(Label(QStringLiteral("储值积分：")));
    top->addWidget(m_points);
    top->addStretch();
    top->addWidget(remove);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_grid);
    connect(remove, &QPushButton::clicked, m_grid, &CardTypeRuleGrid::DeleteCurrentRow);
}

void CardTypeStoredValuePage::Load(const ClientDataSet* type, const ClientDataSet& bands) {
    m_onlyStoredValue->setChecked(type && type->FieldByName(QStringLiteral("IsOnlyJS")).AsBoolean());
    const int points = type ? type->FieldByName(QStringLiteral("CZIntegerType")).AsInteger() : 0;
    m_points->setCurrentIndex(points >= 0 && points < m_points->count() ? points : 0);
    m_grid->RuleModel()->Load(bands);
}

void CardTypeStoredValuePage::Check(const QString& typeName) {
    CheckRuleBands(
        *m_grid, BandTable::StoredValue,
        QStringLiteral("【%1】类型储值设置存在断档数据，将会造成不可预料的错误，你要忽略此问题强制保存吗？")
            .arg(typeName));
}

void CardTypeStoredValuePage::Fill(VipCardTypeSettings& settings) const {
    settings.onlyStoredValue = m_onlyStoredValue->isChecked();
    settings.czIntegerType = m_points->currentIndex();
    settings.storedValueBands = m_grid->RuleModel()->Rules();
}
