#pragma once

#include "host/sdk/ExchangeLine.h"

#include <QDate>
#include <QString>
#include <optional>

class Database;

// An exchange rule (IntegralexchangeSet) as the exchange procedures see it. A rule is
// live for a card type, a way (the ledger's change type: 7 cash, 8 stored value, 9
// goods, 13 coupon cards) and a day when it is not deleted, the day lies within
// SDate..EDate, a goods rule's product is live and a coupon rule's coupon type is
// enabled.
struct VipExchangeRule {
    int exchangeId = 0;
    int prec = 0;
    int etcId = 0;
    ExchangeLine line;

    // The rule when it is live for the card type, the way and the day.
    static std::optional<VipExchangeRule> live(Database& db, int exchangeId, int cardType, int way,
                                               const QDate& day);
    // The joins and conditions that keep only live rules: the rule is "i", its
    // product "p", its coupon type "et"; binds the day twice, then the card type and the way.
    static QString liveRulesFrom();
};
