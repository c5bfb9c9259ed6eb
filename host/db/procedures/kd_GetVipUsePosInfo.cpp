#include "host/data/Database.h"
#include "host/data/StoredProcedure.h"

// kd_GetVipUsePosInfo @PosID, @nviptype: 1 when live cards of the type keep their
// stored value for use in that store, so the store cannot leave the type; else 0.
namespace {

int kdGetVipUsePosInfo(ProcedureContext& call) {
    const int store = call.integer(QStringLiteral("@PosID"));
    const int typeId = call.integer(QStringLiteral("@nviptype"));
    const int cards =
        call.db()
            .scalar(QStringLiteral("SELECT COUNT(*) FROM vipcard WHERE CardType = ? AND PosId = ? "
                                   "AND VipCz = 1 AND deleted = 0"),
                    {typeId, store})
            .toInt();
    return cards > 0 ? 1 : 0;
}

const ProcedureRegistration registration(QStringLiteral("kd_GetVipUsePosInfo"), kdGetVipUsePosInfo);

} // namespace
