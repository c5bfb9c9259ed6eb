#pragma once

#include "host/sdk/Money.h"

#include <QDate>
#include <QList>
#include <QString>

class Database;

// The service-use ledger (VipServiceChange): the only writer of vipCardService. A
// card holds an item's uses in lots, one per last day (none: without end); every
// change of a lot is a row of its own carrying the uses and the money that moved
// and what the lot holds after it, written in the caller's transaction while the
// caller holds the card's row (VipCzLedger::lock), so a lot's remainTimes and Total
// always equal the sums of its rows and never go below zero.
//
// One save is one operation: its rows get the operation id with their place
// ("<id>/1", "<id>/2", ...), so a retried save finds its first row and writes nothing.
class VipServiceLedger {
public:
    struct Operation {
        int cardId = 0;
        int changeType = 0; // StoredValueChange: ServiceSale, ServiceConsumption, UsesAdded, UsesRemoved
        QString operationId;
        int accountRec = 0;
        int posId = 0;
        int userRec = 0;
        QString comment;
    };

    VipServiceLedger(Database& db, Operation operation);

    // Whether a save with this operation id is in the ledger; its first row's id, 0 when not.
    static int firstRowOf(Database& db, const QString& operationId);

    // Adds uses to the card's lot of the item and last day (invalid: without end);
    // 'gainTimes' of them are a gift, 'total' is what was paid for them all.
    void add(int prec, int times, int gainTimes, Money oncePrice, Money total, const QDate& lastDay);
    // Takes uses from the lots of the item that are still valid on 'today', those
    // ending first first; each gives up money in proportion to the uses it gives.
    // False, with nothing written, when they hold fewer; 'taken' gets the money.
    bool take(int prec, int times, const QDate& today, Money* taken = nullptr);

    // Stamps every row this operation wrote with the save's bill (the first row's id) and code.
    void finish(const QString& billCode);
    int billId() const { return m_rows.isEmpty() ? 0 : m_rows.first(); }

    // The uses of the card's item that may still be spent on 'today', and the money behind them.
    struct Held {
        int times = 0;
        Money total;
    };
    static Held usable(Database& db, int cardId, int prec, const QDate& today);
    // Writes off what the card's lots whose last day is before 'today' still hold
    // (change type UsesExpired); the number of lots written off.
    static int expire(Database& db, int cardId, const QDate& today, int userRec);

private:
    int lotOf(int prec, const QDate& lastDay);
    void write(int lotId, int prec, int times, int gainTimes, Money oncePrice, Money total, int remainAfter,
               const QString& operationId);
    QString nextOperationId();

    Database& m_db;
    Operation m_op;
    QList<int> m_rows;
};
