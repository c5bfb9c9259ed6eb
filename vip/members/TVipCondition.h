#pragma once

#include "host/sdk/ui/TBaseCondition.h"

// The member list's conditions: the store whose cards are listed (the current one
// to begin with; the head office, 0, lists every card) and the ranges of issue and
// validity dates, which start wide open.
class TVipCondition : public TBaseCondition {
    Q_OBJECT

public:
    explicit TVipCondition(QWidget* parent = nullptr);
    void IniCondition() override;
};
