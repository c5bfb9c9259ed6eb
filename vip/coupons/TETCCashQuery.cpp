#include "vip/coupons/TETCCashQuery.h"

#include "host/sdk/VipCodes.h"

TETCCashQuery::TETCCashQuery(QWidget* parent)
    : TETCTypeQuery(CouponKind::CashCoupon, parent) {
    setWindowTitle(QStringLiteral("现金券类型"));
    SetModelId(ModelId);
}

void TETCCashQuery::AfterCreateParamList() {
    if (!Params().Has(QStringLiteral("@Limit")))
        Params().Add(QStringLiteral("@Limit"), Right);
    TETCTypeQuery::AfterCreateParamList();
}
