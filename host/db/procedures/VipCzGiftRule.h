#pragma once

#include "host/sdk/Money.h"

class Database;

// The gift a recharge earns by its card type's stored-value rules (vipAutoDiscount
// rows of kind StoredValueGifts): the band is the one with the highest lower bound
// the amount reaches, so an amount above the last band still earns that band's
// rate, and every full base amount in it earns the band's gift. A type that does
// not allow stored value, or has no band the amount reaches, gives nothing.
class VipCzGiftRule {
public:
    static Money giftFor(Database& db, int cardType, Money amount);
};
