#pragma once

#include "host/sdk/ClientDataSet.h"
#include "vip/cardtypes/CardTypePage.h"
#include "vip/cardtypes/VipCardTypeSettings.h"

class QCheckBox;
class QPushButton;
class QTableView;
class TQueryGridModel;

// Page "适用范围": the stores where cards of the type may be used, marked "√", or
// all stores. A store whose stored value the type's cards rely on keeps its mark.
class CardTypeStorePage final : public CardTypePage {
    Q_OBJECT

public:
    explicit CardTypeStorePage(QWidget* parent = nullptr);

    // Every store with the type's mark; 'allStores' marks them all and locks the grid.
    void Load(const ClientDataSet& stores, bool allStores, int typeId);
    // With the range on, all stores or at least one marked store.
    bool Check();
    void Fill(VipCardTypeSettings& settings) const;

private:
    void toggle(int row);
    bool unmark(int row);
    void clearAll();
    void updateState();

    QPushButton* m_select;
    QPushButton* m_selectAll;
    QPushButton* m_clearAll;
    QTableView* m_grid;
    TQueryGridModel* m_model;
    QCheckBox* m_allStores;
    int m_typeId = 0;
};
