#pragma once

#include "vip/coupons/TETCTypeQuery.h"

// The 现金券类型s (window 827); without the caller's "@Limit" its actions need right 837.
class TETCCashQuery : public TETCTypeQuery {
    Q_OBJECT

public:
    static constexpr int ModelId = 827;
    static constexpr int Right = 837;

    explicit TETCCashQuery(QWidget* parent = nullptr);

protected:
    void AfterCreateParamList() override;
};
