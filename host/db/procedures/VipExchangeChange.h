#pragma once

#include "host/sdk/Money.h"

#include <QDate>
#include <optional>

class Database;

// The points change row (VipChangeInfo) an exchange's rows and its post belong to,
// read while its card's row is held until the caller's transaction ends, so the
// rows, the post and any other change of the card's points come one after another.
struct VipExchangeChange {
    int billId = 0;
    int cardId = 0;
    int cardType = 0;
    int way = 0;    // the ledger's change type: 7 cash, 8 stored value, 9 goods, 13 coupon cards
    int points = 0; // the points the exchange took, positive
    Money total;    // the money obtained as the change row keeps it (Czxf)
    int userRec = 0;
    QDate day;

    // The change when it is an exchange of a live card that has not been posted yet.
    static std::optional<VipExchangeChange> waitingForPost(Database& db, int billId);
};
