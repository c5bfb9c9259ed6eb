#include "host/db/procedures/ETCCardRows.h"
#include "host/db/queries/ListQueryRegistry.h"

// Window 838: the live cards of the coupon type "@ETCID" in one group of the
// counts ("@Flag": 1 expired, 2 usable, 3 used up, 4 voided, as of "@Today"), each
// with its value, what its uses took, when it was last used and where; "@PosID"
// (not 0) keeps the uses of that store only, for an independent store.
namespace {

const ListQueryRegistration registration(
    838,
    ETCCardRows::select().replace(
        QStringLiteral(" FROM ETCList e "),
        QStringLiteral(", (SELECT MAX(u.UseDate) FROM ETCUse u WHERE u.ETCListID = e.ID AND "
                       "(@PosID = 0 OR u.PosID = @PosID)) AS LastUseDate FROM ETCList e ")) +
        QStringLiteral(
            "WHERE e.deleted = 0 AND e.ETCID = @ETCID AND CASE "
            "WHEN @Flag = 1 THEN CASE WHEN e.Flag <> 3 AND e.Used = 0 AND e.EndDate < @Today THEN 1 ELSE 0 "
            "END "
            "WHEN @Flag = 2 THEN CASE WHEN e.Flag = 1 AND e.IsStop = 0 AND e.Used = 0 AND "
            "(e.StartDate IS NULL OR e.StartDate <= @Today) AND (e.EndDate IS NULL OR e.EndDate >= @Today) "
            "THEN 1 ELSE 0 END "
            "WHEN @Flag = 3 THEN e.Used "
            "ELSE CASE WHEN e.Flag = 3 THEN 1 ELSE 0 END END = 1 "
            "ORDER BY e.CardNo, e.ID"));

} // namespace
