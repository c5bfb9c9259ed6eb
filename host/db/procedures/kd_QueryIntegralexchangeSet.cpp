#include "host/data/Database.h"
#include "host/data/StoredProcedure.h"
#include "host/db/procedures/VipExchangeRule.h"
#include "host/sdk/DbError.h"
#include "host/sdk/VipCodes.h"

#include <QDate>

// kd_QueryIntegralexchangeSet: the exchange rules live for the card type @CardID, on
// the day @DealDate ("yyyy-mm-dd") and the way @ChangeType (the ledger's: 7 cash, 8
// stored value, 9 goods, 13 coupon cards), in the order they were set up, with the
// exchange list's columns: the rule (ExChangeID, UseIntegral, exchangeNum,
// diffprice), its product (PRec, PUserCode, PFullName), its coupon type (ETCID,
// TYPE, TypeName the kind's name, NAME) and the list's own entries, empty. Returns 0.
namespace {

int kdQueryIntegralexchangeSet(ProcedureContext& call) {
    const int cardType = call.integer(QStringLiteral("@CardID"));
    const int way = call.integer(QStringLiteral("@ChangeType"));
    const QDate day = QDate::fromString(call.text(QStringLiteral("@DealDate")).trimmed().left(10),
                                        QStringLiteral("yyyy-MM-dd"));
    if (!day.isValid())
        throw DbError(QStringLiteral("参数 @DealDate 必须是 yyyy-mm-dd 形式的日期。"));
    call.returnRows(
        QStringLiteral(
            "SELECT i.ExChangeID, i.PRec, COALESCE(p.UserCode, '') AS PUserCode, "
            "COALESCE(p.FullName, '') AS PFullName, "
            "CASE et.TYPE WHEN %1 THEN '现金券' WHEN %2 THEN '打折卡' WHEN %3 THEN '优惠券' "
            "ELSE '' END AS TypeName, COALESCE(et.NAME, '') AS NAME, COALESCE(et.TYPE, 0) AS TYPE, "
            "i.ETCID, i.UseIntegral, i.exchangeNum, i.diffprice, 0 AS ExQty, 0 AS ExInt, "
            "0 AS ExTotal, 0 AS difftotal, '' AS CardList ")
                .arg(CouponKind::CashCoupon)
                .arg(CouponKind::DiscountCard)
                .arg(CouponKind::PreferentialCoupon) +
            VipExchangeRule::liveRulesFrom() + QStringLiteral(" ORDER BY i.ExChangeID"),
        {day, day, cardType, way});
    return 0;
}

const ProcedureRegistration registration(QStringLiteral("kd_QueryIntegralexchangeSet"),
                                         kdQueryIntegralexchangeSet);

} // namespace
