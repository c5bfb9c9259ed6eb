#pragma once

#include "host/sdk/ClientDataSet.h"
#include "host/sdk/ui/TBaseDialog.h"

class QTableWidget;

// "会员卡选择": the members a search found, one row each (number, type, holder,
// telephone, bar code, identity number); the user picks one by "选择[&B]", a double
// click or Enter.
class Ty_vipselectFm : public TBaseDialog {
    Q_OBJECT

public:
    Ty_vipselectFm(const ClientDataSet& rows, QWidget* parent = nullptr);

    // The chosen row of the rows given, -1 while none is chosen.
    int ChosenRow() const { return m_chosen; }

private:
    void OnSelect();

    QTableWidget* m_grid;
    int m_chosen = -1;
};
