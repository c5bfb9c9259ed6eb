#include "host/db/queries/ListQueryRegistry.h"
#include "host/sdk/VipCodes.h"

// Window 894, the movements of service uses in a period: every sale, consumption
// and adjustment row of the ledger for the card numbered @CardNo (empty: every live
// card) and the item @pRec (0: every item), from the moment @fromMoment up to but
// not including @beforeMoment, in the order the ledger wrote them.
namespace {

const ListQueryRegistration registration(
    894,
    QStringLiteral(
        "SELECT g.id, g.ChangeDate, g.BillCode, c.CardNo, c.Name, g.prec, p.UserCode AS PUSERCODE, "
        "p.FullName AS PFULLNAME, g.ChangeType, "
        "CASE g.ChangeType WHEN %1 THEN '充值' WHEN %2 THEN '消费' WHEN %3 THEN '增加次数' "
        "WHEN %4 THEN '减少次数' ELSE '' END AS ChangeTypeName, "
        "g.Times, g.GainTimes, g.OncePrice, g.Total, "
        "CASE WHEN g.PosId = 0 THEN '配送中心' ELSE COALESCE(o.PosName, '') END AS PosName, "
        "COALESCE(u.UserName, '') AS EtypeName, g.Comment "
        "FROM VipServiceChange g JOIN vipcard c ON c.id = g.VipCardId "
        "JOIN ptype p ON p.rec = g.prec "
        "LEFT JOIN posinfo o ON o.posid = g.PosId LEFT JOIN loginuser u ON u.rec = g.ERec "
        "WHERE c.deleted = 0 AND (@CardNo = '' OR c.CardNo = @CardNo) "
        "AND (@pRec = 0 OR g.prec = @pRec) "
        "AND g.ChangeDate >= @fromMoment AND g.ChangeDate < @beforeMoment "
        "ORDER BY g.id")
        .arg(StoredValueChange::ServiceSale)
        .arg(StoredValueChange::ServiceConsumption)
        .arg(StoredValueChange::UsesAdded)
        .arg(StoredValueChange::UsesRemoved),
    QStringLiteral("id"));

} // namespace
