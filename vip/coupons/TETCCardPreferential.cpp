#include "vip/coupons/TETCCardPreferential.h"

#include "host/sdk/VipCodes.h"

TETCCardPreferential::TETCCardPreferential(QWidget* parent)
    : TETCCardQuery(CouponKind::PreferentialCoupon, parent) {}
