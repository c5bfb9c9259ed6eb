#pragma once

#include "host/sdk/TParamObject.h"
#include "vip/members/VipCardStore.h"

// The member editor's two conversations with the head office: before a card with
// an introducer is activated in a store working on the head office's data, the
// head office must know the introducer and take the card; after a local save the
// card goes to the head office when the store uses the link.
class VipCenterLink {
public:
    // The card as the head office's card update takes it: named like the card
    // procedure's parameters "@EditType" to "@ActivePosId".
    static TParamObject CardParams(const VipCardStore::CardFields& card);

    // Whether the head office knows the introducer and took the card; shows why not.
    // On success 'jsReward' holds the head office's introducer-reward state.
    static bool CheckIntroducer(const QString& introducerCardNo, const VipCardStore::CardFields& card,
                                int& jsReward);

    // Sends a saved card when the store uses the link. A refusal is told to the user
    // and leaves the local card as saved.
    static void Forward(const VipCardStore::CardFields& card);
};
