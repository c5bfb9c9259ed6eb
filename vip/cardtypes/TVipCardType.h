#pragma once

#include "host/sdk/ui/TBaseQuery.h"

// The chain's card types with their rules spelled out for reading: the member
// price by its price-list name, member days by weekday, the birthday option. The
// picker and the settings list are this window with their own buttons.
class TVipCardType : public TBaseQuery {
    Q_OBJECT

public:
    static constexpr int ModelId = 7;

    explicit TVipCardType(QWidget* parent = nullptr);

protected:
    void SetGrid() override;
    void CustomGrid() override;

private:
    void hideColumnsByEdition();
    void fillComputedColumns();
    void selectRequestedType();
};
