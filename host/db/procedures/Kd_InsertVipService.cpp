#include "host/data/Database.h"
#include "host/data/StoredProcedure.h"
#include "host/db/procedures/VipServiceItem.h"
#include "host/sdk/VipCodes.h"

#include <QDateTime>

// Kd_InsertVipService: makes the live product @pRec a service item with the least
// purchase @startTimes (-1 for none), the single-use price @oncePrice and the gift
// mode @discountType; @ERec, when given, is who did it. Returns the item's id, the
// product's record number; a ServiceItemRefusal code otherwise. The product's row is
// held first, so of two clerks making it an item at once the second is told it is one.
namespace {

int kdInsertVipService(ProcedureContext& call) {
    Database& db = call.db();
    const int prec = call.integer(QStringLiteral("@pRec"));
    const int startTimes = call.integer(QStringLiteral("@startTimes"));
    const Money oncePrice = call.money(QStringLiteral("@oncePrice"));
    const int discountType = call.integer(QStringLiteral("@discountType"));
    const int userRec = call.has(QStringLiteral("@ERec")) ? call.integer(QStringLiteral("@ERec")) : 0;

    if (const int refusal = VipServiceItem::checkFields(startTimes, oncePrice.raw(), discountType))
        return refusal;
    if (!VipServiceItem::lockProduct(db, prec))
        return ServiceItemRefusal::NoProduct;
    if (VipServiceItem::lockItem(db, prec))
        return ServiceItemRefusal::AlreadyItem;
    db.execute(QStringLiteral("INSERT INTO VipService (prec, startTimes, oncePrice, discountType, ERec, "
                              "CreatedAt) VALUES (?, ?, ?, ?, ?, ?)"),
               {prec, startTimes, QVariant::fromValue(oncePrice), discountType, userRec,
                QDateTime::currentDateTime()});
    return prec;
}

const ProcedureRegistration registration(QStringLiteral("Kd_InsertVipService"), kdInsertVipService);

} // namespace
