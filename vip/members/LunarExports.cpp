#include "vip/members/LunarExports.h"

#include "host/sdk/Cncalendar.h"

namespace {

bool hasLeapMonth(int year) {
    return Cncalendar::GetLunarLeapMonth(year) > 0;
}

QString twoDigits(int value) {
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

} // namespace

QString DayToLunar(const QDate& date, bool& leap) {
    leap = false;
    int year = 0, month = 0, day = 0;
    if (!date.isValid() ||
        !Cncalendar::GetLunarFromDay(date.year(), date.month(), date.day(), year, month, day, leap))
        return {};
    return QString::number(year) + QLatin1Char('-') + twoDigits(month) + QLatin1Char('-') + twoDigits(day);
}

QDate LunarToDay(const QString& lunar) {
    if (lunar.size() != 10)
        return lunarDayZero();
    bool okYear = false, okMonth = false, okDay = false;
    const int year = lunar.left(4).toInt(&okYear);
    const int month = lunar.mid(5, 2).toInt(&okMonth);
    const int day = lunar.mid(8, 2).toInt(&okDay);
    if (!okYear || !okMonth || !okDay)
        return lunarDayZero();
    int solarYear = 0, solarMonth = 0, solarDay = 0;
    if (!Cncalendar::GetDayFromLunar(year, month, day, hasLeapMonth(year), solarYear, solarMonth, solarDay))
        return lunarDayZero();
    return QDate(solarYear, solarMonth, solarDay);
}

bool GetLunarDateValid(int year, int month, int day) {
    if (month < 1 || month > 12 || day < 1 || day > 30)
        return false;
    if (day < 30)
        return true;
    return Cncalendar::GetLunarMonthDays(year, month, hasLeapMonth(year)) >= 30;
}
