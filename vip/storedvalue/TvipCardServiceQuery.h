#pragma once

#include "host/sdk/ui/TBaseQuery.h"

// The service uses a card holds (@VipID; 0 or none given: every card), one row per
// lot, narrowed to one item by the item filter; from a row its movements open in
// the consumption records.
class TvipCardServiceQuery : public TBaseQuery {
    Q_OBJECT

public:
    static constexpr int ModelId = 892;

    explicit TvipCardServiceQuery(QWidget* parent = nullptr);

protected:
    void OnIniButton() override;
    TBaseCondition* QueryCase() override;
    void SetGrid() override;

private:
    void OnConsumeDetail();
    int cardId() const;
};
