#pragma once

#include "vip/coupons/TETCTypeQuery.h"

// The 打折卡类型s (window 828); without the caller's "@Limit" its actions need right 838.
class TETCDiscountQuery : public TETCTypeQuery {
    Q_OBJECT

public:
    static constexpr int ModelId = 828;
    static constexpr int Right = 838;

    explicit TETCDiscountQuery(QWidget* parent = nullptr);

protected:
    void AfterCreateParamList() override;
};
