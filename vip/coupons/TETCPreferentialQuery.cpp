#include "vip/coupons/TETCPreferentialQuery.h"

#include "host/sdk/VipCodes.h"

TETCPreferentialQuery::TETCPreferentialQuery(QWidget* parent)
    : TETCTypeQuery(CouponKind::PreferentialCoupon, parent) {
    setWindowTitle(QStringLiteral("优惠券类型"));
    SetModelId(ModelId);
}

void TETCPreferentialQuery::AfterCreateParamList() {
    if (!Params().Has(QStringLiteral("@Limit")))
        Params().Add(QStringLiteral("@Limit"), Right);
    TETCTypeQuery::AfterCreateParamList();
}
