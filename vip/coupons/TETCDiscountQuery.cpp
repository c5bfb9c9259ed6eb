#include "vip/coupons/TETCDiscountQuery.h"

#include "host/sdk/VipCodes.h"

TETCDiscountQuery::TETCDiscountQuery(QWidget* parent)
    : TETCTypeQuery(CouponKind::DiscountCard, parent) {
    setWindowTitle(QStringLiteral("打折卡类型"));
    SetModelId(ModelId);
}

void TETCDiscountQuery::AfterCreateParamList() {
    if (!Params().Has(QStringLiteral("@Limit")))
        Params().Add(QStringLiteral("@Limit"), Right);
    TETCTypeQuery::AfterCreateParamList();
}
