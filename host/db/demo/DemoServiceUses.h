#pragma once

#include <QDate>
#include <QList>

class Database;
class DemoRandom;

// Uses of service items sold to and spent by some of the demo's service cards
// through the service procedures (sales in cash and from stored value), so the
// service windows have something to show and every card still passes the ledger
// check. The items are the demo's own service items; a chain without any gets two
// made here, each with its ladder.
class DemoServiceUses {
public:
    DemoServiceUses(Database& db, DemoRandom& random, const QDate& today);
    void fill();

private:
    // The first two service items, made when there are none.
    QList<int> items();
    int addItem(const char* typeId, const char* code, const char* name, qint64 listPriceUnits, int startTimes,
                int discountType);
    void addRule(int prec, int buyTimes, qint64 priceUnits, int gainTimes, int validityDays);
    int save(const QString& cardNo, int changeType, int prec, int count, int accountRec);

    Database& m_db;
    DemoRandom& m_random;
    QDate m_today;
};
