#pragma once

#include <QString>
#include <array>

// What the coupon windows say of each coupon kind (CouponKind): its name, the
// caption of its value, its editor's caption and its type list's class.
namespace ETCKinds {

constexpr std::array<int, 3> All = {1, 2, 3};

// "现金券", "打折卡", "优惠券".
QString Name(int kind);
// The value column's caption: "金额", "折扣", "优惠比例％" (or "优惠金额" when the
// preferential value is an amount, Flags bit 13).
QString ValueCaption(int kind, int flags = 0);
// The card editor's caption and value label.
QString EditorCaption(int kind);
QString EditorValueLabel(int kind);
// The kind's coupon type list, opened by class name to pick or show a type.
QString TypeListClass(int kind);

} // namespace ETCKinds
