#include "host/db/queries/ListQueryRegistry.h"

// Window 892, the service uses cards hold: one row per lot (the uses of one sale
// share their last day), of the card @VipID (0: of every live card) and the item
// @pRec (0: every item), with the money still standing behind the uses, in the
// order the lots were sold.
namespace {

const ListQueryRegistration registration(
    892,
    QStringLiteral(
        "SELECT s.id, s.VipCardId AS VipCardid, c.CardNo, c.Name, s.prec, p.UserCode AS PUSERCODE, "
        "p.FullName AS PFULLNAME, s.remainTimes, s.Total AS remainTotal, s.ValidityPeriod "
        "FROM vipCardService s JOIN vipcard c ON c.id = s.VipCardId "
        "JOIN ptype p ON p.rec = s.prec "
        "WHERE c.deleted = 0 AND (@VipID = 0 OR s.VipCardId = @VipID) "
        "AND (@pRec = 0 OR s.prec = @pRec) "
        "ORDER BY s.id"),
    QStringLiteral("id"));

} // namespace
