#pragma once

#include "host/sdk/TParamObject.h"
#include "vip/cardtypes/VipCardTypeSettings.h"

// The parameters of the card type save procedure (Y_InsVipType) for what the
// dialog decided: the benefit mode spread over its three flags, member-day values
// only while member days are on, counts that are no number as 0, and the change
// stamp the type was read with.
class VipCardTypeParams {
public:
    static TParamObject Of(const VipCardTypeSettings& settings);
};
