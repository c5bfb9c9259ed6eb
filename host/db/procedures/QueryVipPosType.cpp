#include "host/data/Database.h"
#include "host/data/StoredProcedure.h"

// QueryVipPosType: 0 when the live card @CardID may be used in the store @PosID
// (its type applies in every store or lists this one), -1 otherwise or when the
// card is gone.
namespace {

int queryVipPosType(ProcedureContext& call) {
    const int cardId = call.integer(QStringLiteral("@CardID"));
    const int posId = call.integer(QStringLiteral("@PosID"));
    const int allowed =
        call.db()
            .scalar(
                QStringLiteral("SELECT COUNT(*) FROM vipcard c JOIN viptype t ON t.CTypeId = c.CardType "
                               "WHERE c.id = ? AND c.deleted = 0 AND (t.CanAllPos = 1 OR EXISTS (SELECT 1 "
                               "FROM PosVipType v WHERE v.viptype = t.CTypeId AND v.PosID = ?))"),
                {cardId, posId})
            .toInt();
    return allowed > 0 ? 0 : -1;
}

const ProcedureRegistration registration(QStringLiteral("QueryVipPosType"), queryVipPosType);

} // namespace
