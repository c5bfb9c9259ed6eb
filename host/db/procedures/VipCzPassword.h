#pragma once

#include <QString>

class Database;

// The stored-value password of a card, kept only as a salted hash
// (vipcard.PasswordHash). Wrong entries are counted per card (CzPassFails); the
// fifth in a row locks the card's stored value (CzPassLocked) until a new password
// is set in the member editor. A right entry clears the count.
class VipCzPassword {
public:
    static constexpr int MostFailures = 5;
    enum Result {
        Right = 0,
        Wrong = 1,  // counted; the card is not locked yet
        Locked = 2, // locked now or before; the password was not even compared
        CardGone = -1,
    };

    // Compares under the card's lock and counts the outcome in the caller's
    // transaction, which must be committed for a wrong entry to count.
    static Result verify(Database& db, int cardId, const QString& password);
    // Wrong entries since the last right one.
    static int failures(Database& db, int cardId);
};
