#pragma once

#include "host/sdk/Money.h"

#include <QString>

class Database;

// The points ledger (VipChangeInfo): the only writer of a card's IntegralTotal and
// ljIntegral. ChangeTotal is kept signed, so a card's IntegralTotal is the sum of
// its rows' ChangeTotal and its ljIntegral the sum of the positive ones.
class VipPointsLedger {
public:
    struct Posting {
        int cardId = 0;
        int changeType = 0; // PointsChange, as the ledger stores it
        int points = 0;     // signed: added (+) or taken (-)
        QString memo;
        int offerCardId = 0;
        Money total; // money obtained with the change (exchanges), kept in Czxf
        int posId = 0;
        int userRec = 0;
    };

    // The new row's BillId; 0 when the card is gone or its points would go below zero.
    static int post(Database& db, const Posting& posting);
};
