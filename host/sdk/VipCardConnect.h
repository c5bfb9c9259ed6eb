#pragma once

#include "host/sdk/LmConnect.h"
#include "host/sdk/TParamObject.h"

// The link for member card master data.
class TVipCardConnect : public TLmConnect {
public:
    static constexpr TLmConnectClass ClassType = TLmConnectClass::VipCard;

    TVipCardConnect()
        : TLmConnect(ClassType) {}

    // lost: true when reporting a loss, false when cancelling it.
    void SaveVipCardGS(const QString& cardNo, bool lost);
    // Whether the head office knows the introducer's card.
    bool GetCenterVipJSInfo(const QString& introducerCardNo);
    // Sends the card's fields; the caller maps the codes itself (see HeadOfficeLink).
    int UpdateVipInfo(const TParamObject& card);
    int GetIsJSReward(const QString& cardNo);
};
