#pragma once

#include "host/sdk/ui/TBaseQuery.h"

// The movements of service uses in a period (sales, consumptions, adjustments) of
// one card (@CardNo; empty: every card) and item (@pRec; 0: every item). The
// caption tells how many uses the card held before the period began.
class TvipCardSrvConsumeDQuery : public TBaseQuery {
    Q_OBJECT

public:
    static constexpr int ModelId = 894;

    explicit TvipCardSrvConsumeDQuery(QWidget* parent = nullptr);

protected:
    TBaseCondition* QueryCase() override;
    void SetGrid() override;
    void InitParamList() override;
    void ParamRefresh() override;

private:
    void applyPeriod();
};
