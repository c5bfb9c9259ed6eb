#pragma once

#include "vip/frame/TMultSelQuery.h"

// Chooses POS machines (tills) from the host's machine list (window 916).
class TMachineSel : public TMultSelQuery {
    Q_OBJECT

public:
    explicit TMachineSel(QWidget* parent);

protected:
    QString KeyField() const override;
    QString ChosenListParam() const override;
    void Confirm() override;
    void SetGrid() override;
};
