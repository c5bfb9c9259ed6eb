#pragma once

#include "host/sdk/Money.h"
#include "host/sdk/VipCodes.h"

#include <QDate>
#include <QList>
#include <QString>

// What a card type's points buy, as the exchange set-up edits it: one rule per row
// of a group, and the group that is saved as a whole.
struct ExchangeRule {
    int useIntegral = 0; // points one unit costs
    Money exchangeNum{}; // what one unit gives: an amount, or a quantity
    Money diffPrice{};   // the price difference paid per item (goods, coupon cards)
    int prec = 0;        // goods: the product's record
    QString productCode{};
    QString productName{};
    int etcId = 0;      // coupon cards: the coupon type
    int couponKind = 0; // its kind (CouponKind), 0 before one is chosen
    QString couponName{};
};

struct ExchangeGroup {
    QString groupId{}; // empty: a new group
    int ctypeId = 0;
    int changeType = ExchangeWay::Cash;
    QDate startDate{};
    QDate endDate{};
    QString memo{};
    bool czAuto = false; // stored value: the exchange runs by itself
    QList<ExchangeRule> rules{};
};
