#include "host/data/Database.h"
#include "host/data/StoredProcedure.h"

// QueryVipPosType: 1 when the live card @CardID may be used in the store @PosID
// (the head office, 0, takes every card): its type applies in every store
// (PosRange 0 or CanAllPos) or lists the store; 0 otherwise, also for no such card.
namespace {

int queryVipPosType(ProcedureContext& call) {
    const int cardId = call.text(QStringLiteral("@CardID")).trimmed().toInt();
    const int posId = call.text(QStringLiteral("@PosID")).trimmed().toInt();
    const int usable =
        call.db()
            .scalar(QStringLiteral("SELECT COUNT(*) FROM vipcard a JOIN viptype b ON b.CTypeId = a.CardType "
                                   "WHERE a.id = ? AND a.deleted = 0 AND (? = 0 OR b.PosRange = 0 OR "
                                   "b.CanAllPos = 1 OR EXISTS (SELECT 1 FROM PosVipType p WHERE p.VipType = "
                                   "a.CardType AND p.PosId = ?))"),
                    {cardId, posId, posId})
            .toInt();
    return usable > 0 ? 1 : 0;
}

const ProcedureRegistration registration(QStringLiteral("QueryVipPosType"), queryVipPosType);

} // namespace
