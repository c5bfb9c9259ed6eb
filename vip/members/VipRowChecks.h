#pragma once

struct VipListRow;
class VipCardStore;

// What the member list checks of its current card before it opens a points
// exchange or the stored-value password change. Each refusal is shown as its box.
namespace VipRowChecks {

// 'kind' is the exchange's change type (PointsChange::Cash, StoredValue, Goods,
// ShoppingCards).
bool CanExchangePoints(const VipListRow& card, int kind, VipCardStore& store);
bool CanChangePassword(const VipListRow& card);

} // namespace VipRowChecks
