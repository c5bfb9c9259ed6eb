#include "vip/coupons/TETCCardDiscount.h"

#include "host/sdk/VipCodes.h"

TETCCardDiscount::TETCCardDiscount(QWidget* parent)
    : TETCCardQuery(CouponKind::DiscountCard, parent) {}
