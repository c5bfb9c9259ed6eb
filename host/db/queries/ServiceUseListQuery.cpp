#include "host/db/queries/ListQueryRegistry.h"

// Window 893: what each live card holds of each service item it was ever sold or
// given, one row per card and item: the uses still valid on @Today and the money
// behind them (lots past their last day count for nothing).
namespace {

const ListQueryRegistration registration(
    893, QStringLiteral(
             "SELECT c.id AS VipID, c.CardNo, c.Name, c.Tel, COALESCE(t.TypeName, '') AS CardTypeName, "
             "c.PosId AS posId, s.prec AS pRec, p.UserCode AS PUSERCODE, p.FullName AS PFULLNAME, "
             "CAST(SUM(CASE WHEN s.ValidityPeriod IS NULL OR s.ValidityPeriod >= @Today THEN s.remainTimes "
             "ELSE 0 END) AS INTEGER) AS remainTimes, "
             "CAST(SUM(CASE WHEN s.ValidityPeriod IS NULL OR s.ValidityPeriod >= @Today THEN s.Total "
             "ELSE 0 END) AS BIGINT) AS remainTotal, "
             "MIN(CASE WHEN s.remainTimes > 0 AND s.ValidityPeriod >= @Today THEN s.ValidityPeriod END) "
             "AS ValidityPeriod "
             "FROM vipCardService s JOIN vipcard c ON c.id = s.VipCardId AND c.deleted = 0 "
             "JOIN ptype p ON p.rec = s.prec LEFT JOIN viptype t ON t.CTypeId = c.CardType "
             "GROUP BY c.id, c.CardNo, c.Name, c.Tel, t.TypeName, c.PosId, s.prec, p.UserCode, p.FullName "
             "ORDER BY c.CardNo, p.UserCode"));

} // namespace
