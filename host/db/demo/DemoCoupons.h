#pragma once

#include <QDate>

class Database;
class DemoCouponTypes;

// Coupon cards of the demo coupon types in every state a chain's cards reach: waiting to be
// issued, activated, bound to a member, stopped, partly and wholly used, voided.
// The cards are written, changed and used through the coupon card procedures, so
// their values equal their use rows.
class DemoCoupons {
public:
    DemoCoupons(Database& db, const QDate& today)
        : m_db(db)
        , m_today(today) {}

    void fill(const DemoCouponTypes& couponTypes);

private:
    int addCard(int typeId, int kind, const QString& cardNo, double value);
    void set(int cardId, int mode, const QString& value = {});
    void use(int cardId, double amount, const QString& billCode);

    Database& m_db;
    QDate m_today;
};
