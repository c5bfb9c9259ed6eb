#pragma once

#include <QDate>

class Database;
class DemoCardTypes;
class DemoCatalog;
class DemoCouponTypes;

// What the demo card types' points buy: cash for the standard and silver cards,
// stored value (the standard card's exchanged by itself), and goods with a price
// difference for the gold card, a cash coupon for the silver card. Written through the rule procedure, valid
// from a month before 'today' for a year.
class DemoExchangeRules {
public:
    void fill(Database& db, const DemoCardTypes& types, const DemoCatalog& catalog,
              const DemoCouponTypes& couponTypes, const QDate& today);
};
