#pragma once

#include "vip/coupons/TETCTypeQuery.h"

// The 优惠券类型s (window 829); without the caller's "@Limit" its actions need right 839.
class TETCPreferentialQuery : public TETCTypeQuery {
    Q_OBJECT

public:
    static constexpr int ModelId = 829;
    static constexpr int Right = 839;

    explicit TETCPreferentialQuery(QWidget* parent = nullptr);

protected:
    void AfterCreateParamList() override;
};
