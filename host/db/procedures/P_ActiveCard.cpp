#include "host/data/Database.h"
#include "host/data/StoredProcedure.h"
#include "host/sdk/DbError.h"
#include "host/sdk/VipCodes.h"

// P_ActiveCard: activates the live card @ID in the store @ActivatePosID for the user
// @ERec. A card activated already keeps the store it was activated in; a lost or
// stopped card is not put to use. Returns 0 or a CardActivation code.
namespace {

int pActiveCard(ProcedureContext& call) {
    Database& db = call.db();
    const int cardId = call.integer(QStringLiteral("@ID"));
    const int posId = call.integer(QStringLiteral("@ActivatePosID"));
    call.integer(QStringLiteral("@ERec"));
    if (posId < 0 ||
        (posId > 0 &&
         db.scalar(QStringLiteral("SELECT COUNT(*) FROM posinfo WHERE posid = ? AND deleted = 0"), {posId})
                 .toInt() == 0))
        throw DbError(QStringLiteral("激活门店不存在。"));
    ClientDataSet held;
    db.select(QStringLiteral("SELECT IsLife, Lose, StopUse FROM vipcard WHERE id = ? AND deleted = 0") +
                  db.dialect().forUpdate(),
              {cardId}, held);
    if (held.IsEmpty())
        return CardActivation::Gone;
    if (held.FieldByName(QStringLiteral("IsLife")).AsInteger() != 0)
        return CardActivation::AlreadyActive;
    if (held.FieldByName(QStringLiteral("Lose")).AsInteger() != 0 ||
        held.FieldByName(QStringLiteral("StopUse")).AsInteger() != 0)
        return CardActivation::LostOrStopped;
    db.execute(
        QStringLiteral("UPDATE vipcard SET IsLife = 1, ActivatePosId = ?, IsUse = IsUse + 1 WHERE id = ?"),
        {posId, cardId});
    return 0;
}

const ProcedureRegistration registration(QStringLiteral("P_ActiveCard"), pActiveCard);

} // namespace
