#include "host/data/Database.h"
#include "host/data/StoredProcedure.h"
#include "host/db/procedures/VipPointsLedger.h"
#include "host/sdk/DbError.h"
#include "host/sdk/VipCodes.h"

#include <QDate>
#include <algorithm>
#include <cmath>
#include <optional>

// kd_VIPAddJSIntegralTotal: settles the card-opening reward of the live card @CardID
// (@ChangeType 1) when it names an introducer. The introducer's card type decides:
// rewards on (IsIntroduceJS), at most IntroduceJSLimitNum rewarded introductions
// (0 no limit), only for a new card issued within LimitDays of the introducer's
// card (0 no limit),
// and the points from the type itself (IntroducerJSgainType 0) or from the rule for
// the new card's type (1, VipIntroducerJS). The introducer gets its row ("介绍新会员")
// and the new card its own; the new card's IsJSReward becomes 1 (rewarded) or 2
// (looked at, nothing due), so a second call pays nothing. Returns 0; -1 when the
// card is gone.
namespace {

constexpr int CardGone = -1;
constexpr int Rewarded = 1;
constexpr int NothingDue = 2;
constexpr int CardOpening = 1;

struct Rule {
    int introducerPoints = 0;
    int newMemberPoints = 0;
};

int points(double value) {
    return static_cast<int>(std::lround(std::max(0.0, value)));
}

// The rule that applies, or none when the introducer earns nothing for this card.
std::optional<Rule> rule(Database& db, int introducerId, int newType, const QDate& newIssued) {
    ClientDataSet rows;
    db.select(QStringLiteral(
                  "SELECT t.CTypeId, t.IsIntroduceJS, t.IntroduceJSLimitNum, t.LimitDays, "
                  "t.IntroducerJSgainType, t.IntroducerJS, t.NewMemberJS, c.BulidDate, c.Lose, c.StopUse "
                  "FROM vipcard c JOIN viptype t ON t.CTypeId = c.CardType "
                  "WHERE c.id = ? AND c.deleted = 0"),
              {introducerId}, rows);
    if (rows.IsEmpty())
        return std::nullopt;
    const auto field = [&](const char* name) { return rows.FieldByName(QLatin1String(name)); };
    if (field("IsIntroduceJS").AsInteger() != 1 || field("Lose").AsInteger() || field("StopUse").AsInteger())
        return std::nullopt;
    const int limitDays = field("LimitDays").AsInteger();
    if (limitDays > 0 && field("BulidDate").AsDate().addDays(limitDays) < newIssued)
        return std::nullopt;
    const int limitCount = field("IntroduceJSLimitNum").AsInteger();
    if (limitCount > 0 &&
        db.scalar(QStringLiteral("SELECT COUNT(*) FROM vipcard WHERE JSVIPCardID = ? AND IsJSReward = ? AND "
                                 "deleted = 0"),
                  {introducerId, Rewarded})
                .toInt() >= limitCount)
        return std::nullopt;
    if (field("IntroducerJSgainType").AsInteger() == 0)
        return Rule{points(field("IntroducerJS").AsFloat()), points(field("NewMemberJS").AsFloat())};
    ClientDataSet byType;
    db.select(QStringLiteral("SELECT IntroducerJS, NewMemberJS FROM VipIntroducerJS WHERE CTypeId = ? AND "
                             "newCTypeId = ?"),
              {field("CTypeId").AsInteger(), newType}, byType);
    if (byType.IsEmpty())
        return std::nullopt;
    return Rule{points(byType.FieldByName(QStringLiteral("IntroducerJS")).AsFloat()),
                points(byType.FieldByName(QStringLiteral("NewMemberJS")).AsFloat())};
}

int kdVipAddJsIntegralTotal(ProcedureContext& call) {
    Database& db = call.db();
    const int cardId = call.integer(QStringLiteral("@CardID"));
    const int posId = call.integer(QStringLiteral("@PosID"));
    const int userRec = call.integer(QStringLiteral("@Erec"));
    if (call.integer(QStringLiteral("@ChangeType")) != CardOpening)
        throw DbError(QStringLiteral("介绍人奖励只在开卡时结算。"));
    ClientDataSet card;
    db.select(QStringLiteral(
                  "SELECT CardNo, CardType, BulidDate, JSVIPCardID, IsJSReward FROM vipcard WHERE id = ? AND "
                  "deleted = 0") +
                  db.dialect().forUpdate(),
              {cardId}, card);
    if (card.IsEmpty())
        return CardGone;
    const int introducerId = card.FieldByName(QStringLiteral("JSVIPCardID")).AsInteger();
    if (introducerId <= 0 || card.FieldByName(QStringLiteral("IsJSReward")).AsInteger() > 0)
        return 0;
    // The introducer's row is held too, so two cards it introduced at once are
    // counted against its limit one after the other.
    if (!db.scalar(QStringLiteral("SELECT id FROM vipcard WHERE id = ? AND deleted = 0") +
                       db.dialect().forUpdate(),
                   {introducerId})
             .isValid())
        return 0;
    const QString cardNo = card.FieldByName(QStringLiteral("CardNo")).AsString();
    const std::optional<Rule> due =
        rule(db, introducerId, card.FieldByName(QStringLiteral("CardType")).AsInteger(),
             card.FieldByName(QStringLiteral("BulidDate")).AsDate());
    if (due) {
        VipPointsLedger::post(db, {.cardId = introducerId,
                                   .changeType = PointsChange::CardCreated,
                                   .points = due->introducerPoints,
                                   .memo = QStringLiteral("介绍新会员[%1]").arg(cardNo),
                                   .offerCardId = cardId,
                                   .total = Money(),
                                   .posId = posId,
                                   .userRec = userRec});
        if (due->newMemberPoints > 0)
            VipPointsLedger::post(db, {.cardId = cardId,
                                       .changeType = PointsChange::Added,
                                       .points = due->newMemberPoints,
                                       .memo = QStringLiteral("新会员开卡奖励积分"),
                                       .offerCardId = 0,
                                       .total = Money(),
                                       .posId = posId,
                                       .userRec = userRec});
    }
    db.execute(QStringLiteral("UPDATE vipcard SET IsJSReward = ? WHERE id = ?"),
               {due ? Rewarded : NothingDue, cardId});
    return 0;
}

const ProcedureRegistration registration(QStringLiteral("kd_VIPAddJSIntegralTotal"), kdVipAddJsIntegralTotal);

} // namespace
