#include "host/data/Database.h"
#include "host/data/StoredProcedure.h"
#include "host/db/procedures/VipCzLedger.h"
#include "host/sdk/DbError.h"
#include "host/sdk/VipCodes.h"
#include "host/services/PasswordHash.h"

// Y_InsVipCardCz: the stored-value settings of the live card @Vipcardid as the
// member editor saves them after the card: stored value and services on or off
// (@VipCz, @VipCzService), the store where it may be used (@CzPosId, 0 all), the
// opening balance (@Cz00, written when @SetOpening), the password (@UsePass with
// six characters in @Password, hashed here; an absent @Password keeps the card's)
// and, when above -1, @IsJSReward. A new password (or none) lifts the lock that
// wrong stored-value passwords put on the card. A changed opening balance is posted to the
// stored-value ledger as the difference to the old one under @OpId. Returns 0;
// -1 card gone, -2 the balance would drop below zero, -3 stored value switched
// off while the card holds some, -4 an opening balance for a franchise store's
// (PosType 2) stored value.
namespace {

constexpr int CardGone = -1;
constexpr int BelowZero = -2;
constexpr int StillHeld = -3;
constexpr int OpeningRefused = -4;
constexpr int FranchiseStore = 2;
const Money MostOpening = Money::fromUnits(100000);

int yInsVipCardCz(ProcedureContext& call) {
    Database& db = call.db();
    const int cardId = call.integer(QStringLiteral("@Vipcardid"));
    const bool vipCz = call.flag(QStringLiteral("@VipCz"));
    const bool services = vipCz && call.flag(QStringLiteral("@VipCzService"));
    const bool setOpening = call.flag(QStringLiteral("@SetOpening"));
    const Money opening = call.money(QStringLiteral("@Cz00"));
    const bool usePass = vipCz && call.flag(QStringLiteral("@UsePass"));
    const int czPosId = call.integer(QStringLiteral("@CzPosId"));
    const int isJSReward = call.integer(QStringLiteral("@IsJSReward"));
    const int posId = call.integer(QStringLiteral("@PosID"));
    const int userRec = call.integer(QStringLiteral("@ERec"));
    const QString operationId = call.text(QStringLiteral("@OpId"), 60).trimmed();
    if (opening < Money() || opening > MostOpening)
        throw DbError(QStringLiteral("期初储值必须在 0 到 100000 之间。"));

    ClientDataSet card;
    db.select(QStringLiteral("SELECT Cz00, Cz, PasswordHash FROM vipcard WHERE id = ? AND deleted = 0") +
                  db.dialect().forUpdate(),
              {cardId}, card);
    if (card.IsEmpty())
        return CardGone;
    const Money held = card.FieldByName(QStringLiteral("Cz")).AsMoney();
    if (!vipCz && !held.isZero())
        return StillHeld;
    int storeKind = 0;
    if (czPosId != 0) {
        const QVariant kind = db.scalar(
            QStringLiteral("SELECT PosType FROM posinfo WHERE posid = ? AND deleted = 0"), {czPosId});
        if (!kind.isValid())
            throw DbError(QStringLiteral("储值适用门店不存在。"));
        storeKind = kind.toInt();
    }

    if (vipCz && setOpening) {
        const Money change = opening - card.FieldByName(QStringLiteral("Cz00")).AsMoney();
        if (!change.isZero()) {
            if (storeKind == FranchiseStore)
                return OpeningRefused;
            const VipCzLedger::Result posted = VipCzLedger::post(
                db, {.cardId = cardId,
                     .changeType = StoredValueChange::Opening,
                     .amount = change,
                     .gift = Money(),
                     .operationId = operationId.isEmpty() ? VipCzLedger::newOperationId() : operationId,
                     .posId = posId,
                     .userRec = userRec,
                     .memo = QStringLiteral("期初储值")});
            if (posted == VipCzLedger::BelowZero)
                return BelowZero;
        }
    }

    QString hash = card.FieldByName(QStringLiteral("PasswordHash")).AsString();
    if (!usePass) {
        hash.clear();
    } else if (call.has(QStringLiteral("@Password"))) {
        const QString password = call.text(QStringLiteral("@Password"), 6);
        if (password.size() != 6)
            throw DbError(QStringLiteral("储值密码必须是 6 位。"));
        hash = PasswordHash::hash(password);
    } else if (hash.isEmpty()) {
        throw DbError(QStringLiteral("启用储值密码时必须设置密码。"));
    }

    QString sql =
        QStringLiteral("UPDATE vipcard SET VipCz = ?, VipCzService = ?, UsePass = ?, Password = '', "
                       "PasswordHash = ?, PosId = ?");
    QVariantList values = {vipCz ? 1 : 0, services ? 1 : 0, usePass ? 1 : 0, hash, czPosId};
    // A password set anew here is how a card locked after wrong entries is opened again.
    if (hash != card.FieldByName(QStringLiteral("PasswordHash")).AsString())
        sql += QStringLiteral(", CzPassFails = 0, CzPassLocked = 0");
    if (isJSReward > -1) {
        sql += QStringLiteral(", IsJSReward = ?");
        values.append(isJSReward);
    }
    values.append(cardId);
    db.execute(sql + QStringLiteral(" WHERE id = ?"), values);
    return 0;
}

const ProcedureRegistration registration(QStringLiteral("Y_InsVipCardCz"), yInsVipCardCz);

} // namespace
