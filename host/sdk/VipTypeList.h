#pragma once

#include <QString>

// The rules of one card type as bills apply them: what the member gets on an
// ordinary day, on member days and around the birthday. Filled from the card-type
// rule cache; a default record (CTypeId 0) means "no such type".
struct TVipTypeList {
    int CTypeId = 0;
    QString TypeName;
    double Discount = 0;
    bool AutoDiscount = false;
    bool automembertotal = false;
    bool UsePtypeDisCount = false;
    bool AutoIntegral = false;
    int UseIntegral = 0;
    double XIntegral = 0;
    bool IfVipPrice = false;
    bool IfVipPriceDisCount = false;
    bool IfPromotionPriceDisCount = false;
    bool UseDisAndVipPrice = false;
    bool UseVipPrice = false;
    int vipPriceType = 0;
    bool IsSaleLimit = false;
    bool EsPriceNotIntegral = false;
    bool CanUseRemainTotal = false;
    bool CanAllPos = false;
    int CZIntegerType = 0;
    int UseVipDay = 0;
    int VIPDayOrder = 0;
    QString DayList;
    QString MonthDayList;
    int vipdayDisCount = 0;
    int WeekVIPDayDisCount = 0;
    double WeekVIPDayXIntegral = 0;
    bool WeekVIPDayUseDis = false;
    bool WeekVIPDayUseVipPrice = false;
    int usebirthday = 0;
    int BirthdyDisCount = 0;
    int BirthdyMontyDisCount = 0;
    double BirthdyXIntegral = 0;
    double BirthdyMonthXIntegral = 0;
    // Which benefits stay valid on days that are not member days (bits 1, 2, 4
    // and 6 of the type's NotVIPDayFlags).
    bool NotVipDayDisCount = false;
    bool NotVipDayVipPrice = false;
    bool NotVipDayIntegral = false;
    bool NotVipDayPtypeDisCount = false;
};
