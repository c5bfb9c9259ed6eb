#pragma once

#include "vip/coupons/TETCTypeManage.h"

// The cash coupon's form: an amount, and the points rule of purchases paid with it.
class TETCCashType : public TETCTypeManage {
    Q_OBJECT

public:
    explicit TETCCashType(QWidget* parent = nullptr);

protected:
    void BeforeFormShow() override;
    void SetControlVisible() override;
};
