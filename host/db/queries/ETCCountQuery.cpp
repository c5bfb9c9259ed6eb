#include "host/db/queries/ListQueryRegistry.h"

// Window 837: per coupon type, how many of its live cards there are and how many
// are expired (an end before "@Today", neither voided nor used up), usable
// (activated, running, not used up, within their dates), used up and voided, with
// the value each group holds.
namespace {

const QString usable = QStringLiteral(
    "e.Flag = 1 AND e.IsStop = 0 AND e.Used = 0 AND (e.StartDate IS NULL OR e.StartDate <= @Today) "
    "AND (e.EndDate IS NULL OR e.EndDate >= @Today)");
const QString expired = QStringLiteral("e.Flag <> 3 AND e.Used = 0 AND e.EndDate < @Today");

const ListQueryRegistration registration(
    837,
    QStringLiteral("SELECT t.ID AS ETCID, t.TYPE AS ETCType, "
                   "CASE t.TYPE WHEN 1 THEN '现金券' WHEN 2 THEN '打折卡' ELSE '优惠券' END AS TypeName, "
                   "t.NAME, t.RangLimit AS TypeTotal, COUNT(e.ID) AS CardCount, "
                   "SUM(CASE WHEN %1 THEN 1 ELSE 0 END) AS ExpiredCount, "
                   "SUM(CASE WHEN %2 THEN 1 ELSE 0 END) AS UsableCount, "
                   "SUM(CASE WHEN %2 THEN e.Total - e.UsedTotal ELSE 0 END) AS UsableTotal, "
                   "SUM(CASE WHEN e.Used = 1 THEN 1 ELSE 0 END) AS UsedCount, "
                   "COALESCE(SUM(e.UsedTotal), 0) AS UsedTotal, "
                   "SUM(CASE WHEN e.Flag = 3 THEN 1 ELSE 0 END) AS VoidCount "
                   "FROM ETCType t JOIN ETCList e ON e.ETCID = t.ID AND e.deleted = 0 "
                   "WHERE t.Enabled <> 0 AND (@ETCType = 0 OR t.TYPE = @ETCType) "
                   "GROUP BY t.ID, t.TYPE, t.NAME, t.RangLimit ORDER BY t.TYPE, t.NAME, t.ID")
        .arg(expired, usable));

} // namespace
