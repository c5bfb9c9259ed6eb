#pragma once

#include "host/sdk/ClientDataSet.h"

#include <QList>
#include <QMap>
#include <QString>
#include <optional>

// A record id with the name users know it by: a store, a price mode.
struct NamedId {
    int id = 0;
    QString name;
};

// What the card type dialog shows of one type, read in one go by the store: the
// type's row, its rule rows by kind, the products and attributes of the per-item
// points rules with their catch-all rows, every store with the type's mark, and
// the lists its combos offer.
struct VipCardTypeData {
    int typeId = 0;
    // Empty for a new type and for an id that matches no row.
    ClientDataSet type;
    // Rows of kinds 1..5.
    QMap<int, ClientDataSet> rules;
    // Kind 6 and 7 rows with their item ("itemCode", "itemName", and "itemGone" 1
    // for a product or attribute deleted since), and the catch-all rows.
    ClientDataSet products;
    ClientDataSet otherProducts;
    ClientDataSet attributes;
    ClientDataSet otherAttributes;
    // Every store with "SelName" marking the type's own.
    ClientDataSet stores;
    QList<NamedId> prices;
    // The independent stores that may be chosen to exchange the type's points.
    QList<NamedId> exchangeStores;
    // The type's stores as the dialog shows them ("全部门店" or names joined by ";").
    QString storeNames;

    bool found() const { return !type.IsEmpty(); }
    // The rows of one kind; an empty set for a kind the type has none of.
    const ClientDataSet& rulesOf(int kind) const;
    // The change stamp the type carried when it was read; none for a new type.
    std::optional<qint64> stamp() const;
};
