#pragma once

#include "host/sdk/Money.h"

#include <QDateTime>
#include <QString>

class Database;

// The coupon use ledger (ETCUse): the only writer of a coupon card's UsedTotal,
// UsedCount and Used. A cash coupon's UsedTotal is the sum of its rows' Total and
// never passes its Total; discount cards and preferential coupons count their uses.
class ETCUseLedger {
public:
    struct Use {
        int cardId = 0;
        Money amount; // what a cash coupon pays; 0 for the other kinds
        int posId = 0;
        QString billCode;
        int userRec = 0;
        QDateTime when;
    };
    struct Result {
        int useId = 0;   // the new row's id, 0 when refused
        QString refusal; // why the card cannot be used so, worded for the user
    };

    static Result post(Database& db, const Use& use);
};
