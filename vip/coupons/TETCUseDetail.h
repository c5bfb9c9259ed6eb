#pragma once

#include "host/sdk/ui/TBaseQuery.h"

// One group of a coupon type's cards from the counts ("@ETCID", "@Flag"), captioned
// by the caller's "@Caption": each card's value, what its uses took, what is left and
// when it was last used.
class TETCUseDetail : public TBaseQuery {
    Q_OBJECT

public:
    explicit TETCUseDetail(QWidget* parent = nullptr);

protected:
    void OnIniButton() override;
    void SetGrid() override;
    void InitParamList() override;
};
