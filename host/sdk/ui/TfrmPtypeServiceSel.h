#pragma once

#include "host/sdk/ui/BaseInfoItem.h"
#include "host/sdk/ui/TBaseDialog.h"

#include <optional>

class QLineEdit;
class TQueryGrid;

// Picks one service item: the live products that are service items, by code, with
// their least purchase and single-use price. Typing into the search box keeps the
// rows whose code or name hold the text; Enter or a double click on a row picks it,
// as the confirm button does. The item's id is the product's record number (rec).
class TfrmPtypeServiceSel : public TBaseDialog {
    Q_OBJECT

public:
    explicit TfrmPtypeServiceSel(const QString& search = {}, QWidget* parent = nullptr);

    // The chosen item, or none when the user left without choosing; 'search' is
    // put into the search box to begin with.
    static std::optional<BaseInfoItem> Select(const QString& search = {}, QWidget* parent = nullptr);
    std::optional<BaseInfoItem> Chosen() const;

private:
    void filterRows();

    QLineEdit* m_filter;
    TQueryGrid* m_grid;
};
