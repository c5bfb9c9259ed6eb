#include "host/data/Database.h"
#include "host/data/StoredProcedure.h"
#include "host/db/procedures/VipServiceItem.h"
#include "host/sdk/VipCodes.h"

// Kd_UpdateVipService: the service item @pRec takes the least purchase @startTimes
// (-1 for none), the single-use price @oncePrice and the gift mode @discountType.
// Its rules stay as they are; the caller replaces them in the same transaction.
// Returns the item's id; a ServiceItemRefusal code otherwise.
namespace {

int kdUpdateVipService(ProcedureContext& call) {
    Database& db = call.db();
    const int prec = call.integer(QStringLiteral("@pRec"));
    const int startTimes = call.integer(QStringLiteral("@startTimes"));
    const Money oncePrice = call.money(QStringLiteral("@oncePrice"));
    const int discountType = call.integer(QStringLiteral("@discountType"));

    if (const int refusal = VipServiceItem::checkFields(startTimes, oncePrice.raw(), discountType))
        return refusal;
    if (!VipServiceItem::lockProduct(db, prec))
        return ServiceItemRefusal::NoProduct;
    if (!VipServiceItem::lockItem(db, prec))
        return ServiceItemRefusal::NoItem;
    db.execute(QStringLiteral(
                   "UPDATE VipService SET startTimes = ?, oncePrice = ?, discountType = ? WHERE prec = ?"),
               {startTimes, QVariant::fromValue(oncePrice), discountType, prec});
    return prec;
}

const ProcedureRegistration registration(QStringLiteral("Kd_UpdateVipService"), kdUpdateVipService);

} // namespace
