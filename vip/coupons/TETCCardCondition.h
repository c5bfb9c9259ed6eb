#pragma once

#include "host/sdk/ui/TBaseCondition.h"

// The coupon card lists' conditions: the kind ("@ETCType", 0 all), the ranges of
// creation, start and end dates (wide open to begin with) and the type name
// ("@ETCName", empty all). The window adds the day after the last creation day
// ("@ECreateDate" is where the range stops) and its own switches.
class TETCCardCondition : public TBaseCondition {
    Q_OBJECT

public:
    // 'kind' 0 lets the user choose the kind; another fixes it.
    explicit TETCCardCondition(int kind, QWidget* parent = nullptr);
    void IniCondition() override;

private:
    int m_kind;
};
