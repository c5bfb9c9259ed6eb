#pragma once

#include "host/sdk/ClientDataSet.h"

#include <QDate>
#include <QString>

struct TComVar;

// Whether a card may have its points adjusted or exchanged (change type 0, 1, 2 or
// an exchange), checked in a fixed order on the card's row (VipPointsStore::LoadCard)
// in the current session; the first refusal's text, empty when the card passes.
// The store check (QueryVipPosType) follows it separately.
class VipPointsCardCheck {
public:
    static QString Refusal(const ClientDataSet& card, int changeType, const TComVar& session,
                           const QDate& today);
};
