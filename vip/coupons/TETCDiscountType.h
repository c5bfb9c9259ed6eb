#pragma once

#include "vip/coupons/TETCTypeManage.h"

// The discount card's form: a discount, one card per receipt, and whether goods
// without discount are discounted too.
class TETCDiscountType : public TETCTypeManage {
    Q_OBJECT

public:
    explicit TETCDiscountType(QWidget* parent = nullptr);

protected:
    void BeforeFormShow() override;
    void SetControlVisible() override;
};
