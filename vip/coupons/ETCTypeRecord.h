#pragma once

#include "host/sdk/Money.h"
#include "host/sdk/VipCodes.h"
#include "host/sdk/ui/BaseInfoItem.h"

#include <QDate>
#include <QList>
#include <QString>

// One coupon type as the type editor shows and saves it, its allowed goods included.
struct ETCTypeRecord {
    int id = 0; // 0: not saved yet
    int kind = CouponKind::CashCoupon;
    QString name;
    QString comment;
    int flags = 0; // CouponTypeFlag bits
    Money saleStart;
    int useCount = 0;
    int useLimit = 1;
    Money value; // RangLimit: the amount, the discount, or the preferential ratio or amount
    QList<int> memberTypes;
    int expiryType = CouponExpiry::DaysAfterActivation;
    QDate expiryDate;
    int expiryDays = 0;
    QList<int> stores; // empty: every store
    QString storeNames;
    int pointsRule = 0; // IntegerType
    int enabled = CouponTypeState::InUse;
    QList<BaseInfoItem> goods;
};
