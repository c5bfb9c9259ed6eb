#include "vip/coupons/ETCKinds.h"

#include "host/sdk/BitValue.h"
#include "host/sdk/VipCodes.h"

namespace ETCKinds {

QString Name(int kind) {
    switch (kind) {
    case CouponKind::DiscountCard:
        return QStringLiteral("打折卡");
    case CouponKind::PreferentialCoupon:
        return QStringLiteral("优惠券");
    default:
        return QStringLiteral("现金券");
    }
}

QString ValueCaption(int kind, int flags) {
    switch (kind) {
    case CouponKind::DiscountCard:
        return QStringLiteral("折扣");
    case CouponKind::PreferentialCoupon:
        return GetBitValue(flags, CouponTypeFlag::PreferentialAmount) ? QStringLiteral("优惠金额")
                                                                      : QStringLiteral("优惠比例％");
    default:
        return QStringLiteral("金额");
    }
}

QString EditorCaption(int kind) {
    switch (kind) {
    case CouponKind::DiscountCard:
        return QStringLiteral("折扣卡信息");
    case CouponKind::PreferentialCoupon:
        return QStringLiteral("优惠券信息");
    default:
        return QStringLiteral("现金券信息");
    }
}

QString EditorValueLabel(int kind) {
    switch (kind) {
    case CouponKind::DiscountCard:
        return QStringLiteral("折   扣");
    case CouponKind::PreferentialCoupon:
        return QStringLiteral("优   惠");
    default:
        return QStringLiteral("金    额");
    }
}

QString TypeListClass(int kind) {
    switch (kind) {
    case CouponKind::DiscountCard:
        return QStringLiteral("TETCDiscountQuery");
    case CouponKind::PreferentialCoupon:
        return QStringLiteral("TETCPreferentialQuery");
    default:
        return QStringLiteral("TETCCashQuery");
    }
}

} // namespace ETCKinds
