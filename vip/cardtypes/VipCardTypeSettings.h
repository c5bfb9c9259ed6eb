#pragma once

#include "host/sdk/Money.h"

#include <QList>
#include <QString>
#include <optional>

// One rule row of a card type as the dialog's grids hold it.
struct VipTypeRuleRow {
    Money from;
    Money to;
    double discount = 0;
    Money base;
    Money grant; // points, or the gift amount of a stored-value band
    QString comment;
    int prec = 0; // product or attribute record of the per-product rules
};

// Everything the card type dialog decides, read off its controls once the checks
// passed; the store turns it into the rows of the type.
struct VipCardTypeSettings {
    enum Mode { MemberPrice = 0, MemberDiscount = 1, MemberPriceDiscount = 2 };
    enum DiscountKind { FixedRate, ProductDiscount, SegmentedDiscount };
    enum PointsRule { FixedPoints, TimesPoints, StepPoints, ProductPoints, AttributePoints };
    enum Birthday { NoBirthday = 0, BirthdayDay = 1, BirthdayMonth = 2 };

    int typeId = 0;
    // The type's change stamp as it was read; none for settings not made from a
    // read type, which overwrite whatever the type holds.
    std::optional<qint64> stamp;
    QString name;
    QString comment;
    QString repeatNumText;
    Mode mode = MemberPrice;
    int vipPriceType = 17;
    DiscountKind discountKind = FixedRate;
    double rate = 100;
    QList<VipTypeRuleRow> discountBands;
    bool saleLimit = true;

    bool autoIntegral = true;
    PointsRule pointsRule = FixedPoints;
    Money pointsAmount;
    Money points;
    QList<VipTypeRuleRow> pointBands;
    QList<VipTypeRuleRow> productRows;
    QList<VipTypeRuleRow> attributeRows;
    Money otherAmount;
    Money otherPoints;
    bool useRemainTotal = false;
    bool clearIntegral = false;
    bool clearingWasOn = false;
    QString clearMonthsText;
    int changeIntegralPos = -1;

    bool memberDay = false;
    int dayOrderItem = 0; // 0 by day of the month, 1 by weekday
    QString monthDayList;
    QString weekDayList; // weekday names as the picker returns them
    double monthMultiplier = 0;
    int monthDiscount = 100;
    bool monthUseDiscount = false;
    bool monthUseVipPrice = false;
    double weekMultiplier = 0;
    QString weekDiscountText;
    bool weekUseDiscount = false;
    bool weekUseVipPrice = false;
    int notVipDayFlags = 0;
    Birthday birthday = NoBirthday;
    int birthdayDiscount = 100;
    double birthdayMultiplier = 0;

    bool storedValue = false;
    bool onlyStoredValue = false;
    bool serviceItems = false;
    int czIntegerType = 0;
    QList<VipTypeRuleRow> storedValueBands;

    bool introduce = false;
    bool introduceByType = false;
    QString limitNumText;
    QString limitDaysText;
    double introducerPoints = 0;
    double newMemberPoints = 0;
    double introducerFirstPer = 0;
    double introducerPer = 0;

    bool posRange = false;
    bool allStores = true;
    QList<int> markedStores;

    bool servicesSwitchedOff = false; // application flag 12: no service items in this edition
};
