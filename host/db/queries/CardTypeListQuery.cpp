#include "host/db/queries/ListQueryRegistry.h"

// Window 7: the live card types, one row each, for the card-type lists and the
// card-type picker. The empty and zero columns are filled by the window after each
// load (price-list names, member-day and birthday switches, weekday names), so a
// window that computes them finds its fields in place.
namespace {

const ListQueryRegistration registration(
    7, QStringLiteral(
           "SELECT CTypeId AS ctypeid, TypeName, Discount, Comment, RepeatNum, "
           "IfVipPrice, AutoDiscount, IfVipPriceDisCount, IfPromotionPriceDisCount, vipPriceType, "
           "'' AS vippricetypestr, FixedDiscount, automembertotal, UsePtypeDisCount, IsSaleLimit, "
           "AutoIntegral, FixedIntegral, TimesIntegral, StepIntegral, PtypeIntegral, PtypePTIntegral, "
           "CanUseRemainTotal, EsPriceNotIntegral, ClearIntegral, ClearCycle, "
           "IsCZPreferential, IsCZService, IsOnlyJS, IsIntroduceJS, "
           "UseVipDay AS usevipday, 0 AS usevipdaybool, VIPDayOrder, "
           "CASE WHEN UseVipDay = 0 THEN '' WHEN VIPDayOrder = 2 THEN '按周指定' ELSE '按月指定' END "
           "AS VIPDayOrderName, "
           "MonthDayList, '' AS VipMonthdayStr, XIntegral, vipdayDisCount, UseDisAndVipPrice, UseVipPrice, "
           "DayList, '' AS VipdayStr, WeekVIPDayXIntegral, WeekVIPDayDisCount, "
           // The weekly member day earns points unless its multiplier is 0.
           "CASE WHEN WeekVIPDayXIntegral > 0 THEN 1 ELSE 0 END AS WeekVIPDayUseIntegral, "
           "WeekVIPDayUseDis, WeekVIPDayUseVipPrice, "
           "usebirthday, 0 AS birthday, 0 AS birthdaymonth, BirthdyDisCount, BirthdyXIntegral, "
           "BirthdyMontyDisCount, BirthdyMonthXIntegral, "
           "PosRange, CanAllPos, CASE WHEN CanAllPos = 1 THEN '全部门店' ELSE '部分门店' END AS UsePos, "
           "PosNames AS PosName "
           "FROM viptype WHERE deleted = 0 ORDER BY CTypeId"));

} // namespace
