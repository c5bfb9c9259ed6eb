#pragma once

#include "host/sdk/ui/TBaseQuery.h"

// Window 893: the service uses each card holds of each item, with the uses still
// valid and the money behind them. Opens a card's service details and consumption
// records, and adjusts the uses of the chosen cards by hand ("次数调整[&A]").
class TvipCardSrvConsumeQuery : public TBaseQuery {
    Q_OBJECT

public:
    static constexpr int ModelId = 893;
    explicit TvipCardSrvConsumeQuery(QWidget* parent = nullptr);

protected:
    void OnIniButton() override;
    void SetGrid() override;
    void InitParamList() override;

private:
    void OnServiceDetails();
    void OnConsumeDetails();
    void OnAdjust();
    TParamObject cardParams() const;
};
