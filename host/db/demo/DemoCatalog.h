#pragma once

#include <QList>

class Database;
class DemoRandom;

// What the stores sell: the price list, a product class tree with prices for every
// price mode, and the product attributes that points rules may name.
class DemoCatalog {
public:
    // The price mode the host offers as the member price by default.
    static constexpr int MemberPriceMode = 17;

    void fill(Database& db, DemoRandom& random);

    // Record ids of the saleable products (the leaves of the class tree).
    const QList<int>& products() const { return m_products; }
    // Record ids of attribute values (not of their groups).
    const QList<int>& attributes() const { return m_attributes; }

private:
    void fillPriceList(Database& db);
    void fillProducts(Database& db, DemoRandom& random);
    void fillAttributes(Database& db);
    QList<int> m_products;
    QList<int> m_attributes;
};
