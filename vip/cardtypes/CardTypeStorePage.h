#pragma once

#include "host/sdk/ClientDataSet.h"
#include "vip/cardtypes/VipCardTypeSettings.h"

#include <QWidget>

class QCheckBox;
class QPushButton;
class QTableView;
class TQueryGridModel;
class VipCardTypeStore;

// Page "适用范围": the stores where cards of the type may be used, marked "√", or
// all stores. A store whose stored value the type's cards rely on keeps its mark.
class CardTypeStorePage final : public QWidget {
    Q_OBJECT

public:
    // Whether a store may leave the type's stores is asked of 'store'.
    explicit CardTypeStorePage(VipCardTypeStore& store, QWidget* parent = nullptr);

    // Every store with the type's mark; 'allStores' marks them all and locks the grid.
    void Load(const ClientDataSet& stores, bool allStores, int typeId);
    // With the range on, all stores or at least one marked store.
    void Check();
    void Fill(VipCardTypeSettings& settings) const;

private:
    void toggle(int row);
    void unmark(int row);
    void clearAll();
    void updateState();

    VipCardTypeStore& m_store;
    QPushButton* m_select;
    QPushButton* m_selectAll;
    QPushButton* m_clearAll;
    QTableView* m_grid;
    TQueryGridModel* m_model;
    QCheckBox* m_allStores;
    int m_typeId = 0;
};
