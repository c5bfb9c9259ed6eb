#pragma once

#include <QList>
#include <QString>

class Database;
class DemoCardTypes;
class DemoCatalog;
class DemoStores;

// Coupon types of the three kinds, written through the coupon type procedures as
// the type editor writes them: a cash coupon limited to some goods, a discount card
// limited to some member card types and two stores, a preferential coupon worth an
// amount above a minimum purchase, and a voided cash coupon. Their names all start
// with "演示"; cards of them are issued from types().
class DemoCouponTypes {
public:
    struct Type {
        int id = 0;
        int kind = 0; // CouponKind
        QString name;
        bool voided = false;
    };

    void fill(Database& db, const DemoStores& stores, const DemoCatalog& catalog,
              const DemoCardTypes& cardTypes);

    // In the order written: the cash coupon with goods, the discount card with member
    // types, the preferential coupon, the voided cash coupon.
    const QList<Type>& types() const { return m_types; }

private:
    QList<Type> m_types;
};
