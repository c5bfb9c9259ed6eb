#include "host/data/Database.h"
#include "host/data/StoredProcedure.h"
#include "host/db/procedures/VipServiceLedger.h"

#include <QDate>

// kd_RefreshVipCardService: brings what the card @inVipCardid holds of services up
// to today. In one database there is no second copy to fetch; what ages is the
// lots: uses a lot still holds after its last day can no longer be spent, so they
// are written off through the ledger (change type 27) and the card's holdings and
// the member's delete check see only uses that count. Under the card's row lock.
// Returns the number of lots written off; -1 when there is no live card.
namespace {

int kdRefreshVipCardService(ProcedureContext& call) {
    Database& db = call.db();
    const int cardId = call.integer(QStringLiteral("@inVipCardid"));
    const int userRec = call.has(QStringLiteral("@ERec")) ? call.integer(QStringLiteral("@ERec")) : 0;
    if (!db.scalar(QStringLiteral("SELECT id FROM vipcard WHERE id = ? AND deleted = 0") +
                       db.dialect().forUpdate(),
                   {cardId})
             .isValid())
        return -1;
    return VipServiceLedger::expire(db, cardId, QDate::currentDate(), userRec);
}

const ProcedureRegistration registration(QStringLiteral("kd_RefreshVipCardService"), kdRefreshVipCardService);

} // namespace
