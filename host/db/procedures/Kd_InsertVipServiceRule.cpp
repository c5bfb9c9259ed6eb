#include "host/data/Database.h"
#include "host/data/StoredProcedure.h"
#include "host/db/procedures/VipServiceItem.h"
#include "host/sdk/VipCodes.h"

// Kd_InsertVipServiceRule: one step of the service item @pRec's ladder: from
// @buyTimes uses on, a use costs @oncePrice, the sale gives @gainTimes more and the
// uses last @ValidityDays days (0 or below: none, stored -1). The count must reach
// the item's least purchase and be the only rule of the item at that count, since a
// sale takes the rule with the highest count it reaches. Returns the rule's id; a
// ServiceItemRefusal code otherwise.
namespace {

int kdInsertVipServiceRule(ProcedureContext& call) {
    Database& db = call.db();
    const int prec = call.integer(QStringLiteral("@pRec"));
    const int buyTimes = call.integer(QStringLiteral("@buyTimes"));
    const Money oncePrice = call.money(QStringLiteral("@oncePrice"));
    const int gainTimes = call.integer(QStringLiteral("@gainTimes"));
    const int validityDays = call.integer(QStringLiteral("@ValidityDays"));

    const std::optional<int> startTimes = VipServiceItem::lockItem(db, prec);
    if (!startTimes)
        return ServiceItemRefusal::NoItem;
    if (buyTimes < 1)
        return ServiceItemRefusal::BadBuyTimes;
    if (oncePrice <= Money())
        return ServiceItemRefusal::BadRulePrice;
    if (buyTimes < *startTimes)
        return ServiceItemRefusal::BelowStartTimes;
    if (db.scalar(QStringLiteral("SELECT COUNT(*) FROM VipServiceRule WHERE prec = ? AND buyTimes = ?"),
                  {prec, buyTimes})
            .toInt() > 0)
        return ServiceItemRefusal::SameBuyTimes;
    return db
        .scalar(
            QStringLiteral("INSERT INTO VipServiceRule (prec, buyTimes, oncePrice, gainTimes, ValidityDays) "
                           "VALUES (?, ?, ?, ?, ?) RETURNING id"),
            {prec, buyTimes, QVariant::fromValue(oncePrice), gainTimes > 0 ? gainTimes : -1,
             validityDays > 0 ? validityDays : -1})
        .toInt();
}

const ProcedureRegistration registration(QStringLiteral("Kd_InsertVipServiceRule"), kdInsertVipServiceRule);

} // namespace
