#include "host/db/procedures/VipCardRows.h"
#include "host/db/queries/ListQueryRegistry.h"
#include "host/sdk/VipCodes.h"

// Window 6: the live member cards with the member list's report columns, for the
// member list. One plain statement ordered by the card number's index and the id,
// so a reader that fetches it page by page sees every card once.
//
// "@nPosRec" is the store whose cards are shown: 0 (the head office) shows every
// card, a store shows the cards of the types that apply there. The issue and
// validity ranges are inclusive dates; the condition panel always passes all four.
namespace {

QString memberListQuery() {
    const QString columns = QStringLiteral(
        ", a.MediFeedback, a.\"Case\", a.hyBuyTotal AS hyxfje, a.buyTotal AS xfje, "
        "CASE WHEN a.sex = 0 THEN '男' ELSE '女' END AS SexName, "
        "COALESCE(p.PosName, '') AS PosName, COALESCE(t.PosNames, '') AS PosNames, "
        "COALESCE(t.IsOnlyJS, 0) AS IsOnlyJS, COALESCE(t.ChangeIntegralPos, -1) AS ChangeIntegralPos, "
        "(SELECT COALESCE(SUM(g.Gift), 0) FROM VipCzChange g WHERE g.Vipcardid = a.id) AS giftTotal, "
        "(SELECT COALESCE(SUM(g.Gift), 0) FROM VipCzChange g WHERE g.Vipcardid = a.id AND g.ChangeType = %1) "
        "AS giftTotal00, "
        "(SELECT COALESCE(SUM(r.ChangeTotal), 0) FROM VipChangeInfo r WHERE r.Vipcardid = a.id AND "
        "r.ChangeType = %2 AND r.OfferCardID <> 0) AS JSIntegralTotal");
    const QString joins = QStringLiteral("LEFT JOIN posinfo p ON p.posid = a.PosId AND a.PosId <> 0 ");
    const QString where = QStringLiteral(
        "WHERE a.deleted = 0 "
        "AND (@nPosRec = 0 OR COALESCE(t.CanAllPos, 0) = 1 OR EXISTS (SELECT 1 FROM PosVipType v "
        "WHERE v.PosID = @nPosRec AND v.viptype = a.CardType)) "
        "AND a.BulidDate >= @VIPFKDate AND a.BulidDate <= @VIPFKDate1 "
        "AND a.ValidityDate >= @VIPYxDate AND a.ValidityDate <= @VIPYxDate1 "
        "ORDER BY a.CardNo, a.id");
    return VipCardRows::selectWith(columns.arg(StoredValueChange::Opening).arg(PointsChange::CardCreated),
                                   joins) +
           where;
}

// A million cards are read a page at a time, by card id.
const ListQueryRegistration registration(6, memberListQuery(), QStringLiteral("id"));

} // namespace
