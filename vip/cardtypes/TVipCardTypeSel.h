#pragma once

#include "vip/cardtypes/TVipCardType.h"

// The card-type picker other dialogs open by class name: the chosen type's id,
// name and discount go back in the window's parameters.
class TVipCardTypeSel : public TVipCardType {
    Q_OBJECT

public:
    explicit TVipCardTypeSel(QWidget* parent = nullptr);

protected:
    void OnIniButton() override;
    void DoGridDoubleClick() override;

private:
    void OnSelect();
};
