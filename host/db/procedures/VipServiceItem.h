#pragma once

#include <QtGlobal>
#include <optional>

class Database;
class ProcedureContext;

// What the service item procedures share: the rows they hold while they work and
// the checks of an item's own fields.
namespace VipServiceItem {

// Holds the live saleable product (not a class) until the transaction ends; false
// when there is none of that record number.
bool lockProduct(Database& db, int prec);
// Holds the item's row until the transaction ends and gives its least purchase;
// none when the product is no service item.
std::optional<int> lockItem(Database& db, int prec);
// The item's fields as the insert and update procedures take them, checked; 0 or
// the ServiceItemRefusal code. A least purchase of 0 arrives as the stored -1.
int checkFields(int startTimes, qint64 oncePriceRaw, int discountType);

} // namespace VipServiceItem
