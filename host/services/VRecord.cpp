#include "host/sdk/VRecord.h"

#include "host/sdk/Cncalendar.h"

#include <QStringList>

namespace {

bool listed(const QString& list, int value) {
    for (const QString& entry : list.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        if (entry.trimmed().toInt() == value)
            return true;
    }
    return false;
}

// Month and day of the birthday in the calendar it is kept in, and of today in the same.
struct MonthDay {
    int month = 0;
    int day = 0;
};

MonthDay monthDay(const QString& text) {
    const QStringList parts = text.split(QLatin1Char('-'));
    if (parts.size() != 3)
        return {};
    return {parts.at(1).toInt(), parts.at(2).toInt()};
}

MonthDay lunarToday(const QDate& today) {
    int year = 0, month = 0, day = 0;
    bool leap = false;
    if (!Cncalendar::GetLunarFromDay(today.year(), today.month(), today.day(), year, month, day, leap))
        return {};
    return {month, day};
}

} // namespace

void VRecord::VipDayCheck(const QDate& today) {
    IsVipDay = false;
    IsBirthday = false;
    IsBirthMonth = false;
    const TVipTypeList& rules = TypeRules;
    if (rules.UseVipDay == 1 || rules.UseVipDay == 3)
        IsVipDay = listed(rules.MonthDayList, today.day());
    if (!IsVipDay && (rules.UseVipDay == 2 || rules.UseVipDay == 3))
        IsVipDay = listed(rules.DayList, today.dayOfWeek());
    if (rules.usebirthday == 0)
        return;
    const bool lunar = BirthType && !BirthdayCN.isEmpty();
    const MonthDay born = monthDay(lunar ? BirthdayCN : Birthday);
    const MonthDay now = lunar ? lunarToday(today) : MonthDay{today.month(), today.day()};
    if (born.month == 0 || now.month == 0 || born.month != now.month)
        return;
    IsBirthMonth = rules.usebirthday == 2;
    IsBirthday = rules.usebirthday == 1 && born.day == now.day;
}
