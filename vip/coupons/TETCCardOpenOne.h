#pragma once

#include "vip/coupons/TETCCardManage.h"

// "购物卡发放": issues one coupon card still waiting to be issued. The clerk types
// its number and presses Enter; the card (or the one picked among several whose
// numbers begin so) is shown with "激活" ticked, and the editor's save issues it.
// In a chain the issue is reported to the head office: the binding when a member
// was given, and the activation with its start date.
class TETCCardOpenOne : public TETCCardManage {
    Q_OBJECT

public:
    explicit TETCCardOpenOne(QWidget* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void BeforeSave() override;
    void AfterSave() override;

private:
    void findCard();
};
