#pragma once

#include "host/sdk/ClientDataSet.h"

#include <QMap>

// What the card type dialog shows of one type, read in one go: the type's row, its
// rule rows by kind, the products and attributes of the per-item points rules with
// their catch-all rows, and every store with the type's mark.
class VipCardTypeData {
public:
    // Reads a type (id 0 or less: a new type, of which only the stores are read).
    explicit VipCardTypeData(int typeId);

    int typeId() const { return m_typeId; }
    // False for a new type and for an id that matches no row.
    bool found() const { return !m_type.IsEmpty(); }
    const ClientDataSet& type() const { return m_type; }
    // Rows of kinds 1..5; an empty set for a kind the type has none of.
    const ClientDataSet& rules(int kind) const;
    // Kind 6 and 7 rows with their item ("itemCode", "itemName"), and the catch-all rows.
    const ClientDataSet& products() const { return m_products; }
    const ClientDataSet& otherProducts() const { return m_otherProducts; }
    const ClientDataSet& attributes() const { return m_attributes; }
    const ClientDataSet& otherAttributes() const { return m_otherAttributes; }
    const ClientDataSet& stores() const { return m_stores; }

private:
    int m_typeId;
    ClientDataSet m_type;
    QMap<int, ClientDataSet> m_rules;
    ClientDataSet m_products;
    ClientDataSet m_otherProducts;
    ClientDataSet m_attributes;
    ClientDataSet m_otherAttributes;
    ClientDataSet m_stores;
    ClientDataSet m_none;
};
