#pragma once

#include "vip/coupons/TETCCardListBase.h"

// "购物卡发放": the cards still to be issued (not used, not stopped, not yet
// activated) of every kind; "发卡" activates the chosen ones, "绑定会员" binds them.
class TETCCardOPen : public TETCCardListBase {
    Q_OBJECT

public:
    explicit TETCCardOPen(QWidget* parent = nullptr);

protected:
    void OnIniButton() override;
    void SetGrid() override;
    void CompleteParams() override;

private:
    void OnIssue();
    void OnBind();
};
