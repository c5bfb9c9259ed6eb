#include "host/db/queries/ListQueryRegistry.h"

// Window 845: the uses of the live coupon card "@CardNo", oldest first: where and
// on which bill, the value before, taken and after. A cash coupon's Total is what
// the use took; the other kinds show the card's discount or preferential value.
// "@PosID" (not 0) keeps the uses of that store only, for an independent store.
namespace {

const ListQueryRegistration registration(
    845, QStringLiteral("SELECT u.id, u.UseDate, u.PosID, COALESCE(p.PosName, '') AS PosName, u.BillCode, "
                        "u.BeforeTotal, CASE WHEN e.ETCType = 1 THEN u.Total ELSE e.Total END AS Total, "
                        "u.AfterTotal, e.CardNo, t.NAME "
                        "FROM ETCUse u JOIN ETCList e ON e.ID = u.ETCListID JOIN ETCType t ON t.ID = e.ETCID "
                        "LEFT JOIN posinfo p ON p.posid = u.PosID "
                        "WHERE e.deleted = 0 AND e.CardNo = @CardNo AND (@PosID = 0 OR u.PosID = @PosID) "
                        "ORDER BY u.UseDate, u.id"));

} // namespace
