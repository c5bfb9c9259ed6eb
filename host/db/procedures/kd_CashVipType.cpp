#include "host/data/StoredProcedure.h"

// kd_CashVipType: every live card type with the rule columns bills apply and its
// change stamp MD, for the module's card-type rule cache. No parameters; returns 0.
namespace {

int kdCashVipType(ProcedureContext& call) {
    call.returnRows(QStringLiteral(
        "SELECT CTypeId, TypeName, Discount, AutoDiscount, automembertotal, UsePtypeDisCount, AutoIntegral, "
        "useintegral AS UseIntegral, XIntegral, IfVipPrice, IfVipPriceDisCount, IfPromotionPriceDisCount, "
        "UseDisAndVipPrice, UseVipPrice, vipPriceType, IsSaleLimit, EsPriceNotIntegral, CanUseRemainTotal, "
        "CanAllPos, CZIntegerType, UseVipDay, VIPDayOrder, DayList, MonthDayList, vipdayDisCount, "
        "WeekVIPDayDisCount, WeekVIPDayXIntegral, WeekVIPDayUseDis, WeekVIPDayUseVipPrice, usebirthday, "
        "BirthdyDisCount, BirthdyMontyDisCount, BirthdyXIntegral, BirthdyMonthXIntegral, NotVIPDayFlags, MD "
        "FROM viptype WHERE deleted = 0 ORDER BY CTypeId"));
    return 0;
}

const ProcedureRegistration registration(QStringLiteral("kd_CashVipType"), kdCashVipType);

} // namespace
