#include "host/data/Database.h"
#include "host/data/StoredProcedure.h"

// QueryVipPosType answers as every procedure does: 0 when the live card @CardID may be
// used in the store @PosID, -1 otherwise or when the card is gone. The head office (0)
// takes every card; a store takes a card whose type applies everywhere (PosRange 0 or
// CanAllPos) or lists it.
namespace {

int queryVipPosType(ProcedureContext& call) {
    const int cardId = call.integer(QStringLiteral("@CardID"));
    const int posId = call.integer(QStringLiteral("@PosID"));
    const int usable =
        call.db()
            .scalar(QStringLiteral("SELECT COUNT(*) FROM vipcard a JOIN viptype b ON b.CTypeId = a.CardType "
                                   "WHERE a.id = ? AND a.deleted = 0 AND (? = 0 OR b.PosRange = 0 OR "
                                   "b.CanAllPos = 1 OR EXISTS (SELECT 1 FROM PosVipType p WHERE p.VipType = "
                                   "a.CardType AND p.PosId = ?))"),
                    {cardId, posId, posId})
            .toInt();
    return usable > 0 ? 0 : -1;
}

const ProcedureRegistration registration(QStringLiteral("QueryVipPosType"), queryVipPosType);

} // namespace
