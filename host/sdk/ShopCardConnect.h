#pragma once

#include "host/sdk/LmConnect.h"

#include <QDate>

// The link for coupon and shopping cards.
class TShopCardConnect : public TLmConnect {
public:
    static constexpr TLmConnectClass ClassType = TLmConnectClass::ShopCard;

    TShopCardConnect()
        : TLmConnect(ClassType) {}

    // mode: the coupon card operation (bind, activate, stop...), value its argument.
    void SetETCList(int etcCardId, int mode, const QString& value, int userRec);
    void SetETCList(int etcCardId, int mode, const QString& value, int userRec, const QDate& date);
};
