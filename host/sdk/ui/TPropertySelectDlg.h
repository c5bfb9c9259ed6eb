#pragma once

#include "host/sdk/ui/BaseInfoItem.h"
#include "host/sdk/ui/TBaseDialog.h"

#include <optional>

class QComboBox;
class TQueryGrid;

// Picks one product attribute (BaseInfoProperty, IDFlag 1). The attributes are
// shown by group; "全部" lists every attribute that can be picked.
class TPropertySelectDlg : public TBaseDialog {
    Q_OBJECT

public:
    // 'parentRec' opens the group with that record, 0 opens "全部".
    explicit TPropertySelectDlg(int parentRec = 0, QWidget* parent = nullptr);

    // Shows the selector modally; the chosen attribute, or none.
    static std::optional<BaseInfoItem> Select(int parentRec = 0, QWidget* parent = nullptr);
    std::optional<BaseInfoItem> Chosen() const;

private:
    void loadGroup();
    void pick();

    QComboBox* m_group;
    TQueryGrid* m_grid;
};
