#pragma once

#include "host/sdk/ui/BaseInfoItem.h"
#include "host/sdk/ui/TBaseDialog.h"

#include <QList>

class QLineEdit;
class TQueryGrid;

// Picks several products at once: the user marks products or whole classes in the
// "选择" column; a marked class stands for every product under it. Without any mark
// the current row is the choice.
class TPtypeSelectDlg : public TBaseDialog {
    Q_OBJECT

public:
    explicit TPtypeSelectDlg(QWidget* parent = nullptr);

    // Shows the selector modally; the chosen products in list order, each once, or
    // none when the user left without choosing.
    static QList<BaseInfoItem> Select(QWidget* parent = nullptr);
    QList<BaseInfoItem> Chosen() const;

private:
    void filterRows();
    QList<BaseInfoItem> productsOf(int row) const;

    QLineEdit* m_filter;
    TQueryGrid* m_grid;
};
