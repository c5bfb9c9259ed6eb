#pragma once

#include "vip/coupons/ETCCardBatch.h"

// Binds chosen coupon cards to members: one card to the member the member picker
// chooses, several to the members marked in TSelectVIPInfo, card i to member i
// (asking first when there are fewer members than cards). Refusals are shown in one
// error box. True when anything was tried.
class ETCCardBinding {
public:
    static bool Bind(ETCCardStore& store, QList<ETCCardBatch::Item> cards);
};
