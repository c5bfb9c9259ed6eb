#include "host/data/Database.h"
#include "host/data/StoredProcedure.h"
#include "host/db/procedures/VipPointsLedger.h"
#include "host/sdk/DbError.h"
#include "host/sdk/VipCodes.h"

// InsertVipTotalChangeInfo: adds (@ChangeType 0) or takes (1, and the exchanges 6,
// 7, 8, 12, stored as their type plus one) @ChangeTotal points of the live card
// @CardNo, with its row in the points ledger. @NewId receives the row's BillId.
// Returns 0; -1 when there is no such card, -2 when the card holds fewer points
// than are taken (nothing is written then and @NewId is 0).
namespace {

constexpr int CardGone = -1;
constexpr int TooFewPoints = -2;

int storedType(int changeType) {
    switch (changeType) {
    case PointsChange::Added:
    case PointsChange::Deducted:
        return changeType;
    case PointsChange::Cash:
    case PointsChange::StoredValue:
    case PointsChange::Goods:
    case PointsChange::ShoppingCards:
        return changeType + 1;
    default:
        throw DbError(QStringLiteral("积分变动类型 %1 无效。").arg(changeType));
    }
}

int insertVipTotalChangeInfo(ProcedureContext& call) {
    Database& db = call.db();
    call.setOutput(QStringLiteral("@NewId"), 0);
    const QString cardNo = call.text(QStringLiteral("@CardNo"), 30).trimmed();
    const int changeType = call.integer(QStringLiteral("@ChangeType"));
    const int stored = storedType(changeType);
    const int points = call.integer(QStringLiteral("@ChangeTotal"));
    if (points <= 0)
        throw DbError(QStringLiteral("变动积分必须大于 0。"));
    const QString userCode = call.text(QStringLiteral("@EtypeID"), 30);
    const int posId = call.integer(QStringLiteral("@Posid"));
    const QString memo = call.text(QStringLiteral("@Memo"), 200);
    const Money total = call.money(QStringLiteral("@Total"));

    const QVariant cardId =
        db.scalar(QStringLiteral("SELECT id FROM vipcard WHERE CardNo = ? AND deleted = 0"), {cardNo});
    if (!cardId.isValid())
        return CardGone;
    const int userRec =
        db.scalar(QStringLiteral("SELECT rec FROM loginuser WHERE UserCode = ? AND deleted = 0"), {userCode})
            .toInt();
    const int billId =
        VipPointsLedger::post(db, {.cardId = cardId.toInt(),
                                   .changeType = stored,
                                   .points = changeType == PointsChange::Added ? points : -points,
                                   .memo = memo,
                                   .offerCardId = 0,
                                   .total = total,
                                   .posId = posId,
                                   .userRec = userRec});
    if (billId == 0)
        return TooFewPoints;
    call.setOutput(QStringLiteral("@NewId"), billId);
    return 0;
}

const ProcedureRegistration registration(QStringLiteral("InsertVipTotalChangeInfo"),
                                         insertVipTotalChangeInfo);

} // namespace
