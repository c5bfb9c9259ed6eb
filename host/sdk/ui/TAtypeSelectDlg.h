#pragma once

#include "host/sdk/ui/BaseInfoItem.h"
#include "host/sdk/ui/TBaseDialog.h"

#include <optional>

class TQueryGrid;

// Picks one account of the books (atype) under a class of accounts: the live
// accounts below it that hold no others, in tree order. Enter or a double click on a
// row picks it, as the confirm button does.
class TAtypeSelectDlg : public TBaseDialog {
    Q_OBJECT

public:
    TAtypeSelectDlg(const QString& classTypeId, QWidget* parent = nullptr);

    // The chosen account, or none when the user left without choosing.
    static std::optional<BaseInfoItem> Select(const QString& classTypeId, QWidget* parent = nullptr);
    std::optional<BaseInfoItem> Chosen() const;

private:
    TQueryGrid* m_grid;
};
