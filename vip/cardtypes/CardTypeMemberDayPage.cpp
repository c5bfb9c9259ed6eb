#include "vip/cardtypes/CardTypeMemberDayPage.h"

#include "host/sdk/ui/DialogFields.h"
#include "host/sdk/ui/NumberText.h"
#include "host/sdk/ui/Refuse.h"
#include "vip/cardtypes/CardTypeRuleExports.h"
#include "vip/cardtypes/VipWeekdays.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QVBoxLayout>

using namespace DialogFields;

namespace {

constexpr double MultiplierHigh = 10;
// As long as the fixed rate's field, whose text a member day takes over.
constexpr int DiscountLength = 6;
constexpr int DiscountLow = 1;
constexpr int DiscountHigh = 100;
constexpr int MonthDays = 1;
constexpr int WeekDays = 2;

QLineEdit* rateEdit(const char* name) {
    QLineEdit* edit = NumberEdit(name, KeyFilter::DigitsDot, 6);
    KeepRate(edit);
    return edit;
}

// Discounts are whole percentages.
QLineEdit* discountEdit(const char* name) {
    QLineEdit* edit = NumberEdit(name, KeyFilter::Digits, DiscountLength);
    KeepWhole(edit);
    return edit;
}

// The chosen days are only ever filled by the picker beside them.
QLineEdit* dayList(const char* name) {
    QLineEdit* edit = Edit(name);
    edit->setReadOnly(true);
    return edit;
}

QPushButton* pickerButton(const char* name) {
    auto* button = new QPushButton(QStringLiteral("..."));
    button->setObjectName(QLatin1String(name));
    button->setFixedWidth(32);
    return button;
}

QString number(const ClientDataSet& type, const char* field) {
    return DoubleToString(type.FieldByName(QLatin1String(field)).AsFloat());
}

} // namespace

CardTypeMemberDayPage::CardTypeMemberDayPage(QWidget* parent)
    : QWidget(parent)
    , m_order(new QComboBox)
    , m_days(new QStackedWidget)
    , m_monthList(dayList("Remonthlist"))
    , m_monthPoints(rateEdit("ReNum"))
    , m_monthDiscount(discountEdit("LmE_VipDayDisCount"))
    , m_monthUseDiscount(CheckBox("cbUseDisAndVip", QStringLiteral("会员卡折扣有效")))
    , m_monthUseVipPrice(CheckBox("cbUseVipprice", QStringLiteral("会员价有效")))
    , m_weekList(dayList("Reweeklist"))
    , m_weekPoints(rateEdit("edtWeekVIPDayXIntegral"))
    , m_weekDiscount(discountEdit("edtWeekVIPDayDisCount"))
    , m_weekUseDiscount(CheckBox("chkWeekVIPDayUseDis", QStringLiteral("会员卡折扣有效")))
    , m_weekUseVipPrice(CheckBox("chkWeekVIPDayUseVipPrice", QStringLiteral("会员价有效")))
    , m_birthdayDay(CheckBox("CheckBox1", QStringLiteral("当日有效")))
    , m_birthdayMonth(CheckBox("CheckBox2", QStringLiteral("当月有效")))
    , m_birthdayDiscountLabel(Label(QStringLiteral("会员生日折扣"), "lblBirthdayDiscount"))
    , m_birthdayDiscount(discountEdit("LmE_BitthyDisCount"))
    , m_birthdayPointsLabel(Label(QStringLiteral("会员生日"), "lblBirthdayPoints"))
    , m_birthdayPoints(rateEdit("ReBirthyNum"))
    , m_otherDiscount(CheckBox("chkNotVipDayDiscount", QStringLiteral("会员卡折扣有效")))
    , m_otherVipPrice(CheckBox("chkNotVipDayVipPrice", QStringLiteral("会员价有效")))
    , m_otherPoints(CheckBox("chkNotVipDayIntegral", QStringLiteral("积分有效")))
    , m_otherProductDiscount(CheckBox("chkNotVipDayPtypeDis", QStringLiteral("商品折扣有效"))) {
    m_order->setObjectName(QStringLiteral("cbxVIPOrder"));
    m_order->addItems({QStringLiteral("按月指定"), QStringLiteral("按周指定")});
    m_days->setObjectName(QStringLiteral("stkVipDay"));
    m_days->addWidget(
        buildDays({QStringLiteral("月会员日设置"), QStringLiteral("gbMonthVipDay"), "btnMonthDays", MonthDays,
                   m_monthList, m_monthPoints, m_monthDiscount, m_monthUseDiscount, m_monthUseVipPrice}));
    m_days->addWidget(
        buildDays({QStringLiteral("周会员日设置"), QStringLiteral("gbWeekVipDay"), "btnWeekDays", WeekDays,
                   m_weekList, m_weekPoints, m_weekDiscount, m_weekUseDiscount, m_weekUseVipPrice}));

    auto* order = new QHBoxLayout;
    order->addWidget(Label(QStringLiteral("会员日指定方式")));
    order->addWidget(m_order);
    order->addStretch();
    auto* note = Label(QStringLiteral("说明：折扣以百分比表示，100为不打折；倍积分为0时当天消费不积分。"));
    note->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(order);
    layout->addWidget(m_days);
    layout->addWidget(buildBirthday());
    layout->addWidget(buildOtherDays());
    layout->addWidget(note);
    layout->addStretch();

    connect(m_order, &QComboBox::currentIndexChanged, m_days, &QStackedWidget::setCurrentIndex);
    connect(m_birthdayDay, &QCheckBox::toggled, this, [this](bool on) { chooseBirthday(m_birthdayDay, on); });
    connect(m_birthdayMonth, &QCheckBox::toggled, this,
            [this](bool on) { chooseBirthday(m_birthdayMonth, on); });
    // A birthday option the user picks starts from what the monthly member day gives.
    for (QCheckBox* option : {m_birthdayDay, m_birthdayMonth}) {
        connect(option, &QCheckBox::clicked, this, [this] {
            if (!m_shown)
                return;
            m_birthdayDiscount->setText(m_monthDiscount->text());
            m_birthdayPoints->setText(m_monthPoints->text());
        });
    }
}

QGroupBox* CardTypeMemberDayPage::buildDays(const DayGroup& days) {
    auto* box = new QGroupBox(days.caption);
    box->setObjectName(days.objectName);
    QPushButton* pick = pickerButton(days.pickerName);
    auto* grid = new QGridLayout(box);
    grid->addWidget(Label(QStringLiteral("会员日")), 0, 0);
    grid->addWidget(days.list, 0, 1, 1, 3);
    grid->addWidget(pick, 0, 4);
    QLabel* before = Label(QStringLiteral("会员日"));
    QLabel* after = Label(QStringLiteral("倍积分"));
    grid->addWidget(before, 1, 0);
    grid->addWidget(days.points, 1, 1);
    grid->addWidget(after, 1, 2);
    grid->addWidget(Label(QStringLiteral("会员日折扣")), 2, 0);
    grid->addWidget(days.discount, 2, 1);
    grid->addWidget(days.useDiscount, 3, 0, 1, 2);
    grid->addWidget(days.useVipPrice, 3, 2, 1, 2);
    m_pointsWidgets << before << days.points << after;
    QLineEdit* list = days.list;
    const int mode = days.pickerMode;
    connect(pick, &QPushButton::clicked, this,
            [list, mode] { list->setText(ShowVipdaySel(list->text(), mode)); });
    return box;
}

QGroupBox* CardTypeMemberDayPage::buildBirthday() {
    auto* box = new QGroupBox(QStringLiteral("会员生日设置"));
    box->setObjectName(QStringLiteral("gbBirthday"));
    auto* grid = new QGridLayout(box);
    grid->addWidget(m_birthdayDay, 0, 0);
    grid->addWidget(m_birthdayMonth, 0, 1);
    grid->addWidget(m_birthdayDiscountLabel, 1, 0);
    grid->addWidget(m_birthdayDiscount, 1, 1);
    QLabel* after = Label(QStringLiteral("倍积分"));
    grid->addWidget(m_birthdayPointsLabel, 2, 0);
    grid->addWidget(m_birthdayPoints, 2, 1);
    grid->addWidget(after, 2, 2);
    grid->setColumnStretch(3, 1);
    m_pointsWidgets << m_birthdayPointsLabel << m_birthdayPoints << after;
    return box;
}

// Which benefits stay valid on the other days. Kept out of sight: every type that
// has member days keeps all of them valid.
QGroupBox* CardTypeMemberDayPage::buildOtherDays() {
    auto* box = new QGroupBox(QStringLiteral("非会员日设置"));
    box->setObjectName(QStringLiteral("gbNotVipDay"));
    auto* row = new QHBoxLayout(box);
    for (QCheckBox* option : {m_otherDiscount, m_otherVipPrice, m_otherPoints, m_otherProductDiscount}) {
        option->setChecked(true);
        row->addWidget(option);
    }
    box->hide();
    return box;
}

void CardTypeMemberDayPage::Load(const ClientDataSet* type) {
    const QSignalBlocker dayBlocker(m_birthdayDay);
    const QSignalBlocker monthBlocker(m_birthdayMonth);
    m_order->setCurrentIndex(0);
    m_monthList->clear();
    m_weekList->clear();
    m_monthPoints->setText(QStringLiteral("1"));
    m_monthDiscount->setText(QStringLiteral("100"));
    m_weekPoints->setText(QStringLiteral("1"));
    m_weekDiscount->setText(QStringLiteral("100"));
    m_birthdayDiscount->setText(QStringLiteral("100"));
    m_birthdayPoints->setText(QStringLiteral("1"));
    m_birthdayDay->setChecked(false);
    m_birthdayMonth->setChecked(false);
    if (type) {
        const auto field = [type](const char* name) { return type->FieldByName(QLatin1String(name)); };
        const int order = field("VIPDayOrder").AsInteger();
        m_order->setCurrentIndex(order == 2 ? 1 : 0);
        if (field("UseVipDay").AsInteger() != 0) {
            m_monthList->setText(field("MonthDayList").AsString());
            m_weekList->setText(VipWeekdays::FromDigits(field("DayList").AsString()));
            m_monthPoints->setText(number(*type, "XIntegral"));
            m_monthDiscount->setText(field("vipdayDisCount").AsString());
            m_monthUseDiscount->setChecked(field("UseDisAndVipPrice").AsBoolean());
            m_monthUseVipPrice->setChecked(field("UseVipPrice").AsBoolean());
            m_weekPoints->setText(number(*type, "WeekVIPDayXIntegral"));
            m_weekDiscount->setText(field("WeekVIPDayDisCount").AsString());
            m_weekUseDiscount->setChecked(field("WeekVIPDayUseDis").AsBoolean());
            m_weekUseVipPrice->setChecked(field("WeekVIPDayUseVipPrice").AsBoolean());
            const int birthday = field("usebirthday").AsInteger();
            if (birthday == 1) {
                m_birthdayDay->setChecked(true);
                m_birthdayDiscount->setText(field("BirthdyDisCount").AsString());
                m_birthdayPoints->setText(number(*type, "BirthdyXIntegral"));
            } else if (birthday == 2) {
                m_birthdayMonth->setChecked(true);
                m_birthdayDiscount->setText(field("BirthdyMontyDisCount").AsString());
                m_birthdayPoints->setText(number(*type, "BirthdyMonthXIntegral"));
            }
            for (QCheckBox* option :
                 {m_otherDiscount, m_otherVipPrice, m_otherPoints, m_otherProductDiscount})
                option->setChecked(true);
        }
    }
    m_days->setCurrentIndex(m_order->currentIndex());
    updateBirthdayLabels();
}

void CardTypeMemberDayPage::SetPointsAllowed(bool allowed) {
    for (QWidget* widget : m_pointsWidgets) {
        widget->setVisible(allowed);
        widget->setEnabled(allowed);
    }
    m_otherPoints->setEnabled(allowed);
}

void CardTypeMemberDayPage::OfferFor(VipCardTypeSettings::Mode mode) {
    using S = VipCardTypeSettings;
    const bool discount = mode != S::MemberPrice;
    const bool vipPrice = mode != S::MemberDiscount;
    m_monthUseDiscount->setVisible(discount);
    m_weekUseDiscount->setVisible(discount);
    m_monthUseVipPrice->setVisible(vipPrice);
    m_weekUseVipPrice->setVisible(vipPrice);
}

void CardTypeMemberDayPage::ApplyMemberDay(VipCardTypeSettings::Mode mode, bool on, const QString& rate) {
    using S = VipCardTypeSettings;
    OfferFor(mode);
    if (mode == S::MemberPrice)
        m_weekUseVipPrice->setChecked(true);
    if (mode == S::MemberDiscount) {
        m_monthUseVipPrice->setChecked(false);
        m_weekUseVipPrice->setChecked(false);
    }
    if (!on)
        return;
    for (QLineEdit* discount : {m_monthDiscount, m_weekDiscount, m_birthdayDiscount}) {
        if (StringToDouble(discount->text()) == 100)
            discount->setText(rate);
    }
    if (!m_birthdayDay->isChecked() && !m_birthdayMonth->isChecked())
        m_birthdayDay->setChecked(true);
}

// The two birthday options exclude each other and one of them always holds.
void CardTypeMemberDayPage::chooseBirthday(QCheckBox* chosen, bool on) {
    QCheckBox* other = chosen == m_birthdayDay ? m_birthdayMonth : m_birthdayDay;
    other->setChecked(!on);
    updateBirthdayLabels();
}

void CardTypeMemberDayPage::updateBirthdayLabels() {
    const bool month = m_birthdayMonth->isChecked();
    m_birthdayDiscountLabel->setText(month ? QStringLiteral("会员生日月折扣")
                                           : QStringLiteral("会员生日折扣"));
    m_birthdayPointsLabel->setText(month ? QStringLiteral("会员生日月") : QStringLiteral("会员生日"));
}

void CardTypeMemberDayPage::checkMultiplier(QLineEdit* field, const QString& what) {
    FormatRate(field);
    // Text that is no number ("." alone) is no multiplier either; empty counts as 0.
    const QString text = field->text().trimmed();
    bool number = text.isEmpty();
    const double value = number ? 0.0 : text.toDouble(&number);
    if (!number || value < 0 || value > MultiplierHigh)
        Refuse(field, what + QStringLiteral("消费积分倍数超出许可范围0到10，请重新录入！"),
               QStringLiteral("输入错误"));
}

// Discounts are saved as whole percentages; one with decimals (the fixed rate
// taken over) is refused rather than cut.
void CardTypeMemberDayPage::checkDiscount(QLineEdit* field, const QString& what) {
    bool whole = false;
    const int value = field->text().trimmed().toInt(&whole);
    if (!whole && StringToDouble(field->text()) != 0)
        Refuse(field, what + QStringLiteral("折扣必须是整数，请重新录入！"), QStringLiteral("输入错误"));
    if (value < DiscountLow || value > DiscountHigh)
        Refuse(field, what + QStringLiteral("折扣超出许可范围1到100，请重新录入！"),
               QStringLiteral("输入错误"));
}

void CardTypeMemberDayPage::Check(bool memberDayOn) {
    const bool day = m_birthdayDay->isChecked();
    const bool month = m_birthdayMonth->isChecked();
    const QString birthday = month ? QStringLiteral("会员生日月") : QStringLiteral("会员生日");
    if (memberDayOn) {
        checkMultiplier(m_monthPoints, QStringLiteral("月会员日"));
        checkMultiplier(m_weekPoints, QStringLiteral("周会员日"));
        if (day || month)
            checkMultiplier(m_birthdayPoints, birthday);
        checkDiscount(m_monthDiscount, QStringLiteral("月会员日"));
        // An emptied weekly discount is saved as no discount (100).
        bool number = false;
        m_weekDiscount->text().trimmed().toDouble(&number);
        if (number)
            checkDiscount(m_weekDiscount, QStringLiteral("周会员日"));
    }
    if (day || month)
        checkDiscount(m_birthdayDiscount, birthday);
}

void CardTypeMemberDayPage::Fill(VipCardTypeSettings& s) const {
    using S = VipCardTypeSettings;
    s.dayOrderItem = m_order->currentIndex();
    s.monthDayList = m_monthList->text();
    s.weekDayList = m_weekList->text();
    s.monthMultiplier = StringToDouble(m_monthPoints->text());
    s.monthDiscount = StringToInt(m_monthDiscount->text());
    s.monthUseDiscount = m_monthUseDiscount->isChecked();
    s.monthUseVipPrice = m_monthUseVipPrice->isChecked();
    s.weekMultiplier = StringToDouble(m_weekPoints->text());
    s.weekDiscountText = m_weekDiscount->text();
    s.weekUseDiscount = m_weekUseDiscount->isChecked();
    s.weekUseVipPrice = m_weekUseVipPrice->isChecked();
    // Bits 1, 2, 4 and 6, the positions the rule cache reads them from.
    s.notVipDayFlags =
        (m_otherDiscount->isChecked() ? 1 << 1 : 0) | (m_otherVipPrice->isChecked() ? 1 << 2 : 0) |
        (m_otherPoints->isChecked() ? 1 << 4 : 0) | (m_otherProductDiscount->isChecked() ? 1 << 6 : 0);
    s.birthday = m_birthdayDay->isChecked()
                     ? S::BirthdayDay
                     : (m_birthdayMonth->isChecked() ? S::BirthdayMonth : S::NoBirthday);
    s.birthdayDiscount = StringToInt(m_birthdayDiscount->text());
    s.birthdayMultiplier = StringToDouble(m_birthdayPoints->text());
}
