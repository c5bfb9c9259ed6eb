#include "host/data/Database.h"
#include "host/data/StoredProcedure.h"
#include "host/db/procedures/VipServiceItem.h"

// kd_DelVipService: deletes the service item @id (its product's record number) with
// its rules. An item a card holds or ever held (a row of vipCardService or of the
// service ledger) stays: -1. Returns 1 when deleted, 0 when there was no such item.
// The item's row is held first, so a sale that starts meanwhile waits and then finds
// it gone, or the delete waits for the sale and then finds the item in use.
namespace {

constexpr int InUse = -1;
constexpr int Deleted = 1;
constexpr int NoSuchItem = 0;

int kdDelVipService(ProcedureContext& call) {
    Database& db = call.db();
    const int prec = call.integer(QStringLiteral("@id"));
    if (!VipServiceItem::lockItem(db, prec))
        return NoSuchItem;
    const int uses = db.scalar(QStringLiteral("SELECT (SELECT COUNT(*) FROM vipCardService WHERE prec = ?) + "
                                              "(SELECT COUNT(*) FROM VipServiceChange WHERE prec = ?)"),
                               {prec, prec})
                         .toInt();
    if (uses > 0)
        return InUse;
    db.execute(QStringLiteral("DELETE FROM VipServiceRule WHERE prec = ?"), {prec});
    db.execute(QStringLiteral("DELETE FROM VipService WHERE prec = ?"), {prec});
    return Deleted;
}

const ProcedureRegistration registration(QStringLiteral("kd_DelVipService"), kdDelVipService);

} // namespace
