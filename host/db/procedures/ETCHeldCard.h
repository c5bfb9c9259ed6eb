#pragma once

#include <QDate>
#include <QString>
#include <optional>

class Database;

// A live coupon card read under its row lock (FOR UPDATE on PostgreSQL, the write
// lock BEGIN IMMEDIATE took on SQLite), so whatever a procedure decides from it
// still holds when it writes.
struct ETCHeldCard {
    int id = 0;
    int etcId = 0;
    int kind = 0;
    QString cardNo;
    int vipId = 0;
    QString vipCode;
    int flag = 0;
    qint64 total = 0;
    qint64 usedTotal = 0;
    int usedCount = 0;
    bool used = false;
    bool stopped = false;
    int flags = 0;
    QString vipType;
    QDate startDate;
    QDate endDate;

    bool voided() const;
    bool activated() const;
    bool everUsed() const { return used || usedTotal > 0 || usedCount > 0; }

    static std::optional<ETCHeldCard> hold(Database& db, int id);

    // Why the member card 'memberCardType' may not hold a card of these Flags and
    // VIPType, empty when it may: the type allows only some member card types.
    static QString memberTypeRefusal(int flags, const QString& vipType, int memberCardType,
                                     const QString& cardNo, const QString& memberCardNo);
};
