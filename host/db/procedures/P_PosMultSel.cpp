#include "host/data/StoredProcedure.h"

// P_PosMultSel @CTypeId: every live store with the mark "√" in SelName when the
// card type is limited to it; a new type (0) has none marked.
namespace {

int pPosMultSel(ProcedureContext& call) {
    const int typeId = call.integer(QStringLiteral("@CTypeId"));
    call.returnRows(
        QStringLiteral("SELECT CASE WHEN v.PosID IS NULL THEN '' ELSE ? END AS SelName, p.posid, p.PosCode, "
                       "p.PosName, p.ConnectType, p.PosType FROM posinfo p "
                       "LEFT JOIN PosVipType v ON v.PosID = p.posid AND v.viptype = ? "
                       "WHERE p.deleted = 0 ORDER BY p.RowIndex, p.posid"),
        {QStringLiteral("√"), typeId});
    return 0;
}

const ProcedureRegistration registration(QStringLiteral("P_PosMultSel"), pPosMultSel);

} // namespace
