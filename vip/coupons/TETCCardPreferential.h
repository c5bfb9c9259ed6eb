#pragma once

#include "vip/coupons/TETCCardQuery.h"

// The card management of the 优惠券s.
class TETCCardPreferential : public TETCCardQuery {
    Q_OBJECT

public:
    explicit TETCCardPreferential(QWidget* parent = nullptr);
};
