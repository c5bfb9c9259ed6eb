#pragma once

#include "vip/cardtypes/TVipCardType.h"

// The card-type list where types are added, edited and deleted, and from where
// the points exchange settings open.
class TVipCardTypeSet : public TVipCardType {
    Q_OBJECT

public:
    explicit TVipCardTypeSet(QWidget* parent = nullptr);

protected:
    void OnIniButton() override;

private:
    void OnAddExcetue();
    void OnEditExcetue();
    void OnDelExcetue();
    void OnExchangeSet();
};
