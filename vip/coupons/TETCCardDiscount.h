#pragma once

#include "vip/coupons/TETCCardQuery.h"

// The card management of the 打折卡s.
class TETCCardDiscount : public TETCCardQuery {
    Q_OBJECT

public:
    explicit TETCCardDiscount(QWidget* parent = nullptr);
};
