#pragma once

#include "host/sdk/Money.h"

#include <QString>

class Database;

// The stored-value ledger (VipCzChange): the only writer of a card's Cz, CzTotal
// and Cz00. Each posting adds its change row and moves the balances in the
// caller's transaction while it holds the card's row, so a card's balances always
// equal the sums of its rows. Recharge, refund and service procedures post here.
class VipCzLedger {
public:
    struct Posting {
        int cardId = 0;
        int changeType = 0; // StoredValueChange
        Money amount;       // paid in (+) or out (-)
        Money gift;         // given by the shop (+) or taken back (-)
        QString operationId;
        int posId = 0;
        int userRec = 0;
        QString memo;
        int accountRec = 0; // the account the money went through (atype.rec), 0 none
    };
    enum Result {
        Posted,
        AlreadyPosted, // the operation id is in the ledger: a retry of a save that went through
        CardGone,
        BelowZero, // the card would hold less than nothing
    };

    // The row a posting wrote.
    struct Entry {
        int changeId = 0;
        Money balanceAfter;
    };

    // Locks the live card until the caller's transaction ends; false when there is none.
    static bool lock(Database& db, int cardId);
    // 'entry', when given, receives the row written (Posted only).
    static Result post(Database& db, const Posting& posting, Entry* entry = nullptr);
    // Whether a change type adds to the accumulated stored value (CzTotal).
    static bool isDeposit(int changeType);
    // A fresh operation id for callers that bring none.
    static QString newOperationId();
};
