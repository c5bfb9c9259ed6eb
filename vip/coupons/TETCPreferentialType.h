#pragma once

#include "vip/coupons/TETCTypeManage.h"

// The preferential coupon's form: a ratio of the purchase, at most 100, or an
// amount, chosen in "优惠类型"; the value's caption and mark follow the choice.
class TETCPreferentialType : public TETCTypeManage {
    Q_OBJECT

public:
    explicit TETCPreferentialType(QWidget* parent = nullptr);

protected:
    void BeforeFormShow() override;
    void SetControlVisible() override;

private:
    void showValueKind();
};
