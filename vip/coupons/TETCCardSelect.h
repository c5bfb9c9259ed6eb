#pragma once

#include "vip/coupons/TETCCardListBase.h"

// Picks one coupon card still to be issued, among those whose number begins with
// the caller's "@CardNo"; hands back "@ID", "@ETCID", "@Name", "@CardNO", "@Total",
// "@Type", "@Flags" and "@VIPType" of the card chosen.
class TETCCardSelect : public TETCCardListBase {
    Q_OBJECT

public:
    explicit TETCCardSelect(QWidget* parent = nullptr);

protected:
    void OnIniButton() override;
    void SetGrid() override;
    void CompleteParams() override;
    void DoGridDoubleClick() override;

private:
    void OnSelect();
};
