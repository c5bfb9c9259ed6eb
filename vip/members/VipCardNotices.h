#pragma once

class VipCardStore;

// The member notices of a card's opening or activation, sent through the host's
// notice hook once the card is committed: kind 6 to the member and, when an
// introducer was rewarded, kind 7 to the introducer.
class VipCardNotices {
public:
    // 'introducerId' 0: the card has no introducer.
    static void Send(VipCardStore& store, int cardId, int introducerId);
};
