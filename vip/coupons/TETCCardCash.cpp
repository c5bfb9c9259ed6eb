#include "vip/coupons/TETCCardCash.h"

#include "host/sdk/VipCodes.h"

TETCCardCash::TETCCardCash(QWidget* parent)
    : TETCCardQuery(CouponKind::CashCoupon, parent) {}
