#include "vip/members/MemberBirthday.h"

#include "host/sdk/Cncalendar.h"
#include "vip/members/LunarExports.h"

MemberBirthday MemberBirthday::Of(bool enteredLunar, const QString& solarText, const QString& lunarText) {
    MemberBirthday b;
    if (!enteredLunar && !solarText.trimmed().isEmpty()) {
        b.solar = solarText.trimmed();
        b.lunar = DayToLunar(QDate::fromString(b.solar.left(10), QStringLiteral("yyyy-MM-dd")), b.leapMonth);
    } else if (enteredLunar && !lunarText.trimmed().isEmpty()) {
        b.lunar = lunarText.trimmed();
        b.leapMonth = Cncalendar::GetLunarLeapMonth(b.lunar.left(4).toInt()) > 0;
        const QDate day = LunarToDay(b.lunar);
        b.solar = (day == lunarDayZero() ? QDate(1900, 1, 1) : day).toString(QStringLiteral("yyyy-MM-dd"));
    }
    return b;
}
