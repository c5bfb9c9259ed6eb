#include "vip/cardtypes/CardTypeIntroducePage.h"

#include "host/sdk/ui/DialogFields.h"
#include "host/sdk/ui/NumberText.h"
#include "host/sdk/ui/Refuse.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace DialogFields;

namespace {

constexpr int FormRowsShift = 20;

QLineEdit* percentEdit(const char* name) {
    QLineEdit* edit = NumberEdit(name, KeyFilter::DigitsDot, 6);
    KeepRate(edit);
    return edit;
}

QString number(const ClientDataSet& type, const char* field) {
    return DoubleToString(type.FieldByName(QLatin1String(field)).AsFloat());
}

} // namespace

CardTypeIntroducePage::CardTypeIntroducePage(QWidget* parent)
    : QWidget(parent)
    , m_layout(new QVBoxLayout(this))
    , m_limitNum(NumberEdit("edtNewLimitNum", KeyFilter::Digits, 2))
    , m_limitDays(NumberEdit("edtNewLimitDays", KeyFilter::Digits, 4))
    , m_unified(Radio("rbtnJSRjsAll", QStringLiteral("统一设置积分奖励规则")))
    , m_byType(Radio("rbtnJSRjsType", QStringLiteral("按新会员类型设置积分奖励规则")))
    , m_openReward(new QGroupBox(QStringLiteral("开卡奖励积分")))
    , m_buyReward(new QGroupBox(QStringLiteral("消费奖励积分")))
    , m_hint(Label(QStringLiteral("请使用'介绍会员奖励设置'功能"), "lblJSRjsTypeHint"))
    , m_introducerPoints(NumberEdit("edtNewJS", KeyFilter::Digits, 4))
    , m_newMemberPoints(NumberEdit("edtNewGetJS", KeyFilter::Digits, 4))
    , m_firstPer(percentEdit("edtNewJsFirstPer"))
    , m_per(percentEdit("edtNewJsPer")) {
    KeepWhole(m_limitNum);
    KeepWhole(m_limitDays);

    auto* limits = new QGridLayout;
    limits->addWidget(Label(QStringLiteral("介绍会员获奖励人数上限")), 0, 0);
    limits->addWidget(m_limitNum, 0, 1);
    limits->addWidget(Label(QStringLiteral("人")), 0, 2);
    limits->addWidget(Label(QStringLiteral("介绍会员获奖励期限")), 1, 0);
    limits->addWidget(m_limitDays, 1, 1);
    limits->addWidget(Label(QStringLiteral("天")), 1, 2);
    limits->setColumnStretch(3, 1);
    auto* opening = new QFormLayout(m_openReward);
    opening->addRow(QStringLiteral("介绍人奖励积分"), m_introducerPoints);
    opening->addRow(QStringLiteral("新会员奖励积分"), m_newMemberPoints);
    auto* buying = new QFormLayout(m_buyReward);
    buying->addRow(QStringLiteral("新会员首次消费积分奖励介绍人比例(%)"), m_firstPer);
    buying->addRow(QStringLiteral("新会员以后消费积分奖励介绍人比例(%)"), m_per);
    auto* choice = new QHBoxLayout;
    choice->addWidget(m_unified);
    choice->addWidget(m_byType);
    choice->addStretch();

    m_layout->addLayout(limits);
    m_layout->addLayout(choice);
    m_layout->addWidget(m_openReward);
    m_layout->addWidget(m_buyReward);
    m_layout->addWidget(m_hint);
    m_layout->addStretch();
    m_unified->setChecked(true);
    connect(m_unified, &QRadioButton::toggled, this, &CardTypeIntroducePage::updateState);
    updateState();
}

void CardTypeIntroducePage::Load(const ClientDataSet* type) {
    for (QLineEdit* field :
         {m_limitNum, m_limitDays, m_introducerPoints, m_newMemberPoints, m_firstPer, m_per})
        field->setText(QStringLiteral("0"));
    m_unified->setChecked(true);
    if (!type)
        return;
    m_limitNum->setText(type->FieldByName(QStringLiteral("IntroduceJSLimitNum")).AsString());
    m_limitDays->setText(type->FieldByName(QStringLiteral("LimitDays")).AsString());
    m_introducerPoints->setText(number(*type, "IntroducerJS"));
    m_newMemberPoints->setText(number(*type, "NewMemberJS"));
    m_firstPer->setText(number(*type, "IntroducerJSfirstPer"));
    m_per->setText(number(*type, "IntroducerJSPer"));
    if (type->FieldByName(QStringLiteral("IntroducerJSgainType")).AsInteger() == 1)
        m_byType->setChecked(true);
}

void CardTypeIntroducePage::ForceUnified() {
    m_unified->setChecked(true);
    m_byType->hide();
    // Without the by-type choice the limit rows sit lower, level with the rewards.
    m_layout->insertSpacing(0, FormRowsShift);
}

void CardTypeIntroducePage::updateState() {
    const bool unified = m_unified->isChecked();
    m_openReward->setVisible(unified);
    m_buyReward->setVisible(unified);
    m_hint->setVisible(!unified);
}

void CardTypeIntroducePage::Check() {
    const auto percent = [](QLineEdit* field, const QString& share) {
        const double value = StringToDouble(field->text());
        if (value < 0 || value > 100)
            Refuse(field, share + QStringLiteral("超出许可范围0到100，请重新录入！"),
                   QStringLiteral("输入错误"));
    };
    percent(m_firstPer, QStringLiteral("新会员首次消费积分奖励介绍人比例"));
    percent(m_per, QStringLiteral("新会员以后消费积分奖励介绍人比例"));
}

void CardTypeIntroducePage::Fill(VipCardTypeSettings& s) const {
    s.introduceByType = m_byType->isChecked();
    s.limitNumText = m_limitNum->text();
    s.limitDaysText = m_limitDays->text();
    s.introducerPoints = StringToDouble(m_introducerPoints->text());
    s.newMemberPoints = StringToDouble(m_newMemberPoints->text());
    s.introducerFirstPer = StringToDouble(m_firstPer->text());
    s.introducerPer = StringToDouble(m_per->text());
}
