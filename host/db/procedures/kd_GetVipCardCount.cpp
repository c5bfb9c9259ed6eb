#include "host/data/Database.h"
#include "host/data/StoredProcedure.h"
#include "host/db/procedures/VipCardRows.h"

// kd_GetVipCardCount: the live cards whose number or bar code is @VipCardNo, with
// the member list's columns; returns how many there are. @PosID names the asking
// store; a card is found wherever it was issued.
namespace {

int kdGetVipCardCount(ProcedureContext& call) {
    const QString cardNo = call.text(QStringLiteral("@VipCardNo"), 60).trimmed();
    call.integer(QStringLiteral("@PosID"));
    const QString where = QStringLiteral("WHERE a.deleted = 0 AND (a.CardNo = ? OR (a.VIPBarCode = ? AND "
                                         "a.VIPBarCode <> '')) ORDER BY a.CardNo");
    call.returnRows(VipCardRows::select() + where, {cardNo, cardNo});
    return call.db()
        .scalar(QStringLiteral(
                    "SELECT COUNT(*) FROM vipcard WHERE deleted = 0 AND (CardNo = ? OR (VIPBarCode = ? "
                    "AND VIPBarCode <> ''))"),
                {cardNo, cardNo})
        .toInt();
}

const ProcedureRegistration registration(QStringLiteral("kd_GetVipCardCount"), kdGetVipCardCount);

} // namespace
