#include "vip/cardtypes/VipCardTypeParams.h"

#include "vip/cardtypes/VipWeekdays.h"

namespace {

int wholeOrZero(const QString& text) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? value : 0;
}

int flag(bool on) {
    return on ? 1 : 0;
}

} // namespace

TParamObject VipCardTypeParams::Of(const VipCardTypeSettings& s) {
    using S = VipCardTypeSettings;
    const bool priceOnly = s.mode == S::MemberPrice;
    const bool withPrice = s.mode != S::MemberDiscount;
    const bool day = s.memberDay;
    const bool monthFilled = !s.monthDayList.trimmed().isEmpty();
    const bool weekFilled = !s.weekDayList.trimmed().isEmpty();
    int useVipDay = 0;
    if (day)
        useVipDay = monthFilled && !weekFilled ? 1 : (weekFilled && !monthFilled ? 2 : 3);
    bool weekDiscountOk = false;
    const int weekDiscount = static_cast<int>(s.weekDiscountText.trimmed().toDouble(&weekDiscountOk));

    TParamObject p;
    p.Add(QStringLiteral("@CTypeId"), s.typeId);
    p.Add(QStringLiteral("@TypeName"), s.name.trimmed());
    p.Add(QStringLiteral("@Discount"), priceOnly ? 100.0 : (s.discountKind == S::FixedRate ? s.rate : 0.0));
    p.Add(QStringLiteral("@Comment"), s.comment);
    p.Add(QStringLiteral("@CanAllPos"), s.posRange ? flag(s.allStores) : 1);
    p.Add(QStringLiteral("@CanUseRemainTotal"), flag(s.useRemainTotal));
    p.Add(QStringLiteral("@ChangeIntegralPos"), s.changeIntegralPos);
    p.Add(QStringLiteral("@UseVipDay"), useVipDay);
    p.Add(QStringLiteral("@DayList"), day ? VipWeekdays::ToDigits(s.weekDayList) : QString());
    p.Add(QStringLiteral("@UseDisAndVipPrice"), day ? flag(s.monthUseDiscount) : 0);
    p.Add(QStringLiteral("@XIntegral"), day ? s.monthMultiplier : 0.0);
    p.Add(QStringLiteral("@IsSaleLimit"), flag(s.saleLimit));
    p.Add(QStringLiteral("@AutoDiscount"), flag(!priceOnly));
    p.Add(QStringLiteral("@automembertotal"), priceOnly ? 0 : flag(s.discountKind == S::SegmentedDiscount));
    p.Add(QStringLiteral("@AutoIntegral"), flag(s.autoIntegral));
    p.Add(QStringLiteral("@IfVipPrice"), flag(withPrice));
    p.Add(QStringLiteral("@IfVipPriceDisCount"), flag(withPrice));
    p.Add(QStringLiteral("@IfPromotionPriceDisCount"), flag(priceOnly));
    p.Add(QStringLiteral("@vipPriceType"), s.vipPriceType);
    p.Add(QStringLiteral("@UsePtypeDisCount"), priceOnly ? 0 : flag(s.discountKind == S::ProductDiscount));
    p.Add(QStringLiteral("@EsPriceNotIntegral"), 0);
    p.Add(QStringLiteral("@vipdayDisCount"), day ? s.monthDiscount : 0);
    p.Add(QStringLiteral("@usebirthday"), static_cast<int>(s.birthday));
    p.Add(QStringLiteral("@useintegral"), 0);
    p.Add(QStringLiteral("@UseVipPrice"), day ? flag(s.monthUseVipPrice) : 0);
    p.Add(QStringLiteral("@BirthdyDisCount"),
          s.birthday == S::BirthdayDay ? s.birthdayDiscount : (s.birthday == S::BirthdayMonth ? 100 : 0));
    p.Add(QStringLiteral("@BirthdyXIntegral"),
          s.birthday == S::BirthdayDay && day ? s.birthdayMultiplier : 0.0);
    p.Add(QStringLiteral("@BirthdyMontyDisCount"),
          s.birthday == S::BirthdayMonth ? s.birthdayDiscount : (s.birthday == S::BirthdayDay ? 100 : 0));
    p.Add(QStringLiteral("@BirthdyMonthXIntegral"),
          s.birthday == S::BirthdayMonth && day ? s.birthdayMultiplier : 0.0);
    p.Add(QStringLiteral("@MonthDayList"), day ? s.monthDayList : QString());
    p.Add(QStringLiteral("@RepeatNum"), wholeOrZero(s.repeatNumText));
    p.Add(QStringLiteral("@IsOnlyJS"), flag(s.onlyStoredValue && s.storedValue));
    p.Add(QStringLiteral("@IsCZPreferential"), flag(s.storedValue));
    p.Add(QStringLiteral("@IsIntroduceJS"), flag(s.introduce));
    p.Add(QStringLiteral("@IntroduceJSLimitNum"), wholeOrZero(s.limitNumText));
    p.Add(QStringLiteral("@IntroducerJS"), s.introducerPoints);
    p.Add(QStringLiteral("@NewMemberJS"), s.newMemberPoints);
    p.Add(QStringLiteral("@IntroducerJSPer"), s.introducerPer);
    p.Add(QStringLiteral("@LimitDays"), wholeOrZero(s.limitDaysText));
    p.Add(QStringLiteral("@WeekVIPDayDisCount"), day ? (weekDiscountOk ? weekDiscount : 100) : 0);
    p.Add(QStringLiteral("@WeekVIPDayXIntegral"), day ? s.weekMultiplier : 0.0);
    p.Add(QStringLiteral("@WeekVIPDayUseVipPrice"), day ? flag(s.weekUseVipPrice) : 0);
    p.Add(QStringLiteral("@NotVIPDayFlags"), s.notVipDayFlags);
    p.Add(QStringLiteral("@WeekVIPDayUseDis"), day ? flag(s.weekUseDiscount) : 0);
    p.Add(QStringLiteral("@VIPDayOrder"), day ? s.dayOrderItem + 1 : 0);
    p.Add(QStringLiteral("@FixedDiscount"), priceOnly ? 0 : flag(s.discountKind == S::FixedRate));
    p.Add(QStringLiteral("@FixedIntegral"), flag(s.pointsRule == S::FixedPoints));
    p.Add(QStringLiteral("@StepIntegral"), flag(s.pointsRule == S::StepPoints));
    p.Add(QStringLiteral("@PosRange"), flag(s.posRange));
    p.Add(QStringLiteral("@IsCZService"), s.servicesSwitchedOff ? 0 : flag(s.serviceItems));
    p.Add(QStringLiteral("@TimesIntegral"), flag(s.pointsRule == S::TimesPoints));
    p.Add(QStringLiteral("@PtypeIntegral"), flag(s.pointsRule == S::ProductPoints));
    p.Add(QStringLiteral("@PtypePTIntegral"), flag(s.pointsRule == S::AttributePoints));
    p.Add(QStringLiteral("@ClearIntegral"), flag(s.clearIntegral));
    p.Add(QStringLiteral("@ClearCycle"), wholeOrZero(s.clearMonthsText));
    p.Add(QStringLiteral("@IntroducerJSgainType"), flag(s.introduceByType));
    p.Add(QStringLiteral("@IntroducerJSfirstPer"), s.introducerFirstPer);
    p.Add(QStringLiteral("@CZIntegerType"), s.czIntegerType);
    // A type changed since it was read is not overwritten.
    if (s.stamp)
        p.Add(QStringLiteral("@MD"), *s.stamp);
    return p;
}
