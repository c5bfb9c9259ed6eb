#pragma once

#include "vip/frame/TPosMultSel.h"

// Chooses the stores a store's prices are copied to: every store but the caller's
// own ("@PosID"). Only the at-least-one check applies; nothing is refused for
// stored value, since no card depends on the copy.
class TPosMultSelFun : public TPosMultSel {
    Q_OBJECT

public:
    explicit TPosMultSelFun(QWidget* parent);

protected:
    int ExcludedStore() const override;
    void Confirm() override;
};
