#pragma once

#include <QDate>

class Database;
class DemoRandom;

// Two service items with their ladders, and uses sold to and spent by some of the
// demo's service cards through the service procedures (sales in cash and from
// stored value), so the service windows have something to show and every card
// still passes the ledger check.
class DemoServices {
public:
    DemoServices(Database& db, DemoRandom& random, const QDate& today);
    void fill();

private:
    int addItem(const char* typeId, const char* code, const char* name, qint64 listPriceUnits, int startTimes,
                int discountType);
    void addRule(int prec, int buyTimes, qint64 priceUnits, int gainTimes, int validityDays);
    int save(const QString& cardNo, int changeType, int prec, int count, int accountRec);

    Database& m_db;
    DemoRandom& m_random;
    QDate m_today;
};
