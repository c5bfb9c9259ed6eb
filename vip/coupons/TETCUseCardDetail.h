#pragma once

#include "host/sdk/ui/TBaseQuery.h"

// The uses of one coupon card ("@CardNo"): when and where, the bill, the value
// before, taken and after ("余额"), the value captioned by the card's kind and flags.
class TETCUseCardDetail : public TBaseQuery {
    Q_OBJECT

public:
    explicit TETCUseCardDetail(QWidget* parent = nullptr);

protected:
    void OnIniButton() override;
    void SetGrid() override;
    void InitParamList() override;
};
