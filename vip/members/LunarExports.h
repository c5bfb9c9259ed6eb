#pragma once

#include "vip/base/VipExport.h"

#include <QDate>
#include <QString>

// The lunar birthday conversions other modules call by their plain names. Lunar
// dates are texts "yyyy-mm-dd" with month and day padded to two digits; the text
// does not say whether the month is a leap month.
extern "C" {
// The lunar date of a solar one; 'leap' tells whether it falls in the year's leap
// month. Empty for a date the calendar does not cover.
VIP_EXPORT QString DayToLunar(const QDate& date, bool& leap);
// The solar date of a lunar text, or the date system's day zero (1899-12-30) when
// the text is not exactly a lunar date. A year that has a leap month reads the
// text as that month's leap twin where there is one, as the birthdays were stored.
VIP_EXPORT QDate LunarToDay(const QString& lunar);
// Whether a lunar month and day may exist in the year.
VIP_EXPORT bool GetLunarDateValid(int year, int month, int day);
}

// The date system's day zero, which LunarToDay gives for text it cannot read.
inline QDate lunarDayZero() {
    return QDate(1899, 12, 30);
}
