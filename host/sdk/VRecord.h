#pragma once

#include "host/sdk/VipTypeList.h"

#include <QDate>
#include <QString>
#include <QtGlobal>

// The member a bill is made out to: the card's own values, its type's rules as the
// rule cache holds them, and what the member-day check found for today. A plain
// value: copying it copies everything.
struct VRecord {
    QString CardNo;
    QString Name;
    QString VipBarCode;
    QString Tel;
    QString Address;
    QString Comment;
    QString CardTypeText; // the card type id as text
    double Discount = 0;
    QString BulidDate; // "yyyy-mm-dd"
    QString ValidityDate;
    bool Lose = false;
    bool StopUse = false;
    double BuyTotal = 0;
    double BuyTotalPerDay = 0;
    QString AutoDiscount; // "1" or empty
    double membertotal = 0;
    int sex = 0;
    QString Birthday;       // solar "yyyy-mm-dd"
    QString BirthdayCN;     // lunar "yyyy-mm-dd"
    bool BirthType = false; // the birthday is kept as the lunar one
    QString IdentityCard;
    QString EMail;
    QString MediFeedback;
    QString Case;
    int AutoOneoff = 0;
    double IntegralTotal = 0;
    double RemainTotal = 0;
    QString PYZJM;
    int CardType = 0;
    QString CardId; // GUID in braces
    bool VipCz = false;
    double Cz00 = 0;
    double CzTotal = 0;
    double Cz = 0;
    bool IsOnlyJS = false;
    bool UsePass = false;
    QString Password;
    int PosId = 0;
    int Id = 0;
    int UsedCount = 0;
    int Brec = 0;
    qint64 MD = 0; // the type's change stamp the rules were read with

    // The type's rules, from the rule cache.
    TVipTypeList TypeRules;
    int AutoIntegral = 0; // 1 when the type collects points

    // Set by VipDayCheck.
    bool IsVipDay = false;     // today is one of the type's member days
    bool IsBirthday = false;   // today is the member's birthday and the type rewards it
    bool IsBirthMonth = false; // this is the birthday month and the type rewards the month

    // Works out the three flags above for 'today' from the type's member days
    // (days of the month, weekdays 1 Monday .. 7 Sunday) and birthday benefit (1 the
    // day itself, 2 the month), reading a lunar birthday in the lunar calendar.
    void VipDayCheck(const QDate& today = QDate::currentDate());
    // Empties every field: texts empty, numbers and flags 0.
    void Clear() { *this = VRecord(); }
};
