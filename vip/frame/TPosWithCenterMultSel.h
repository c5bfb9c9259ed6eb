#pragma once

#include "vip/frame/TPosMultSel.h"

// Chooses stores and, with its own box, the head office. It checks nothing: an
// empty choice is a valid answer here. The "all" box is not shown, but a caller's
// "@CanAllPos" still sets it and the A key still toggles it.
class TPosWithCenterMultSel : public TPosMultSel {
    Q_OBJECT

public:
    explicit TPosWithCenterMultSel(QWidget* parent);

protected:
    void OnIniButton() override;
    void Confirm() override;

private:
    QCheckBox* m_centerBox;
};
