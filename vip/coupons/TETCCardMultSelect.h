#pragma once

#include "vip/coupons/TETCCardListBase.h"

// Picks several coupon cards still to be issued, among those whose number begins
// with the caller's "@CardNo": "选择" marks the current card (or takes its mark
// off), "全选" marks all, "反选" turns every mark over, "确定" hands back "@IDList",
// the marked cards' ids joined by ",".
class TETCCardMultSelect : public TETCCardListBase {
    Q_OBJECT

public:
    explicit TETCCardMultSelect(QWidget* parent = nullptr);

protected:
    void OnIniButton() override;
    void SetGrid() override;
    void CompleteParams() override;
    void DoGridDoubleClick() override;

private:
    void OnSelect();
    void OnAll();
    void OnInvert();
    void OnOk();
};
