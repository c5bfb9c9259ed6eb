#pragma once

#include "host/sdk/Money.h"

#include <QDate>
#include <optional>

class Database;

// What a count of uses of a service item costs by its ladder: the rule with the
// highest count the purchase reaches sets the unit price, the gift uses (per full
// multiple of the rule's count when the item gives per multiple) and how many days
// the uses last; below every rule the item's own list price holds, with no gift and
// no end. The sale dialog shows these figures and the sale procedure refuses any other.
class VipServicePricing {
public:
    struct Item {
        int prec = 0;
        int startTimes = 1; // the least one sale may sell; -1 or 0: no least
        Money listPrice;
        int discountType = 1;
    };
    struct Price {
        Money oncePrice;
        int gainTimes = 0;
        QDate lastDay; // invalid: the uses never expire
        bool byRule = false;
    };

    static std::optional<Item> item(Database& db, int prec);
    static Price priceFor(Database& db, const Item& item, int count, const QDate& today);
};
