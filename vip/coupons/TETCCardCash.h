#pragma once

#include "vip/coupons/TETCCardQuery.h"

// The card management of the 现金券s.
class TETCCardCash : public TETCCardQuery {
    Q_OBJECT

public:
    explicit TETCCardCash(QWidget* parent = nullptr);
};
