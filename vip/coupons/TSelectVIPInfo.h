#pragma once

#include "host/sdk/ui/TBaseQuery.h"

// Picks member cards to bind coupon cards to: the live, activated, running, unlost
// cards still valid today. The user marks them in "选择"'s column; "选择" hands back
// "@VIPCardNO", the marked card numbers (the current one when none is marked)
// joined by ",", in the order shown.
class TSelectVIPInfo : public TBaseQuery {
    Q_OBJECT

public:
    explicit TSelectVIPInfo(QWidget* parent = nullptr);

protected:
    void OnIniButton() override;
    void SetGrid() override;
    void InitParamList() override;
    void DoGridDoubleClick() override;

private:
    void OnSelect();
};
