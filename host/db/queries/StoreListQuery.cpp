#include "host/db/queries/ListQueryRegistry.h"

// Window 265, the store pickers: every live store, unmarked, in the stores' own order.
//   @viptype           the caller's card type id (0: none); only the counts use it.
//   @withConnectType1  1 also lists the stores of connection type 1, 0 leaves them out.
//   @ExceptPosID       a store to leave out (0: none; no store has id 0).
// poscount:  live cards of the type whose stored value is kept at this store. Such
//            a store cannot leave the type's store set.
// poscount1: on stores of connection type 0 only, live cards of the type whose
//            stored value is kept "实时应用" (store 0), usable at any of them; while
//            there are such cards, at least one of those stores must stay chosen.
namespace {

const ListQueryRegistration registration(
    265, QStringLiteral(
             "SELECT '' AS SelName, p.posid, p.PosCode, p.PosName, p.ConnectType, p.PosType, "
             "COALESCE(own.n, 0) AS poscount, "
             "CASE WHEN p.ConnectType = 0 THEN shared.n ELSE 0 END AS poscount1 "
             "FROM posinfo p "
             "LEFT JOIN (SELECT PosId, COUNT(*) AS n FROM vipcard "
             "           WHERE CardType = @viptype AND VipCz = 1 AND deleted = 0 GROUP BY PosId) own "
             "  ON own.PosId = p.posid "
             "CROSS JOIN (SELECT COUNT(*) AS n FROM vipcard "
             "            WHERE CardType = @viptype AND VipCz = 1 AND deleted = 0 AND PosId = 0) shared "
             "WHERE p.deleted = 0 AND p.posid <> @ExceptPosID "
             "AND (p.ConnectType <> 1 OR @withConnectType1 = 1) "
             "ORDER BY p.RowIndex, p.posid"));

} // namespace
