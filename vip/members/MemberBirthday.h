#pragma once

#include <QString>

// A member's birthday in both calendars, from the form it was entered in: a solar
// text gains its lunar date and leap flag, a lunar text its solar date
// ("1900-01-01" when the lunar text converts to nothing).
struct MemberBirthday {
    QString solar;
    QString lunar;
    bool leapMonth = false;

    static MemberBirthday Of(bool enteredLunar, const QString& solarText, const QString& lunarText);
};
