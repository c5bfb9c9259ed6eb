#include "host/data/Database.h"
#include "host/data/StoredProcedure.h"
#include "host/db/procedures/CardIdList.h"
#include "host/db/procedures/VipClearHistory.h"
#include "host/db/procedures/VipPointsLedger.h"
#include "host/sdk/DbError.h"
#include "host/sdk/Money.h"
#include "host/sdk/VipCodes.h"

#include <QDateTime>
#include <algorithm>

// P_ClearVipJF: clears the cards @VipCard ("12,15,40") up to @ClearDate ("YYYY-MM-DD";
// empty: everything, recorded as cleared up to today): points when @jf is 1, the
// purchase total when @je is 1, the purchase total at member prices when @hyje is 1.
// Cards gone, not activated or already cleared up to the date or later are skipped.
// Returns the number of cards cleared; @Skipped receives the number skipped.
//
// Points leave through the points ledger. Up to a date, what goes is what the card
// still holds of the points it had at the end of that day: later redemptions are
// taken from the oldest points first. The purchase totals have no dated lines in
// this database (the tills keep them), so they are cleared whole either way.
namespace {

int pointsHeldSince(Database& db, int cardId, const QDate& date, int balance) {
    const QDateTime dayAfter(date.addDays(1), QTime(0, 0));
    const int heldThen =
        db.scalar(
              QStringLiteral("SELECT COALESCE(SUM(ChangeTotal), 0) FROM VipChangeInfo WHERE Vipcardid = ? "
                             "AND ChangeDate < ?"),
              {cardId, dayAfter})
            .toInt();
    const int takenSince =
        -db.scalar(
               QStringLiteral("SELECT COALESCE(SUM(ChangeTotal), 0) FROM VipChangeInfo WHERE Vipcardid = ? "
                              "AND ChangeDate >= ? AND ChangeTotal < 0"),
               {cardId, dayAfter})
             .toInt();
    return std::clamp(heldThen - takenSince, 0, balance);
}

struct Clear {
    bool all = false;
    QDate date;
    bool points = false;
    bool buyTotal = false;
    bool memberPriceTotal = false;
    int posId = 0;
    int userRec = 0;
};

void clearCard(Database& db, int cardId, const Clear& c) {
    ClientDataSet card;
    db.select(QStringLiteral("SELECT IntegralTotal, buyTotal, hyBuyTotal FROM vipcard WHERE id = ?"),
              {cardId}, card);
    const int balance = card.FieldByName(QStringLiteral("IntegralTotal")).AsInteger();
    const int points = !c.points ? 0 : c.all ? balance : pointsHeldSince(db, cardId, c.date, balance);
    if (points > 0 && VipPointsLedger::post(db, {.cardId = cardId,
                                                 .changeType = PointsChange::Cleared,
                                                 .points = -points,
                                                 .memo = QStringLiteral("积分金额清零"),
                                                 .offerCardId = 0,
                                                 .total = Money(),
                                                 .posId = c.posId,
                                                 .userRec = c.userRec}) == 0)
        throw DbError(QStringLiteral("会员卡积分清零失败。"));
    const qint64 buyTotal = c.buyTotal ? card.FieldByName(QStringLiteral("buyTotal")).AsLargeInt() : 0;
    const qint64 memberTotal =
        c.memberPriceTotal ? card.FieldByName(QStringLiteral("hyBuyTotal")).AsLargeInt() : 0;
    db.execute(QStringLiteral("UPDATE vipcard SET buyTotal = buyTotal - ?, hyBuyTotal = hyBuyTotal - ?, "
                              "IsUse = IsUse + 1 WHERE id = ?"),
               {buyTotal, memberTotal, cardId});
    db.execute(QStringLiteral("INSERT INTO VipClearJF (Vipcardid, ClearDate, ClearedAll, Points, BuyTotal, "
                              "HyBuyTotal, PosId, ERec, ClearedAt) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"),
               {cardId, c.date, c.all ? 1 : 0, points, buyTotal, memberTotal, c.posId, c.userRec,
                QDateTime::currentDateTime()});
}

int pClearVipJF(ProcedureContext& call) {
    Database& db = call.db();
    const QList<int> ids = CardIdList::parse(call.text(QStringLiteral("@VipCard")));
    Clear c;
    const QString dateText = call.text(QStringLiteral("@ClearDate"));
    c.all = dateText.trimmed().isEmpty();
    c.date = VipClearHistory::clearDate(dateText);
    c.userRec = call.integer(QStringLiteral("@ERec"));
    c.posId = call.integer(QStringLiteral("@PosID"));
    c.buyTotal = call.flag(QStringLiteral("@je"));
    c.memberPriceTotal = call.flag(QStringLiteral("@hyje"));
    c.points = call.flag(QStringLiteral("@jf"));
    if (!c.buyTotal && !c.memberPriceTotal && !c.points)
        throw DbError(QStringLiteral("请至少选择一种清除范围"));
    int cleared = 0;
    int skipped = 0;
    for (int id : ids) {
        if (VipClearHistory::check(db, id, c.date, true) != 0) {
            ++skipped;
            continue;
        }
        clearCard(db, id, c);
        ++cleared;
    }
    call.setOutput(QStringLiteral("@Skipped"), skipped);
    return cleared;
}

const ProcedureRegistration registration(QStringLiteral("P_ClearVipJF"), pClearVipJF);

} // namespace
