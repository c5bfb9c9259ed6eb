#include "host/sdk/Cncalendar.h"

#include <memory>
#include <unicode/ucal.h>

namespace {

constexpr int FirstYear = 1900;
constexpr int LastYear = 2100;
// ICU counts Chinese years from 2637 BCE; this maps them onto the solar numbering.
constexpr int ExtendedYearOffset = 2637;
constexpr UChar Utc[] = {u'U', u'T', u'C', 0};

struct CalendarCloser {
    void operator()(UCalendar* calendar) const { ucal_close(calendar); }
};
using Calendar = std::unique_ptr<UCalendar, CalendarCloser>;

// Both calendars run in UTC at noon, so a day never slips across midnight between them.
Calendar openCalendar(const char* locale, UCalendarType type) {
    UErrorCode status = U_ZERO_ERROR;
    Calendar calendar(ucal_open(Utc, -1, locale, type, &status));
    if (U_FAILURE(status))
        return nullptr;
    ucal_setAttribute(calendar.get(), UCAL_LENIENT, 0);
    return calendar;
}

// Opening a Chinese calendar loads its data, which costs far more than a conversion;
// each thread keeps one of each and every use starts by clearing it.
UCalendar* chinese() {
    thread_local const Calendar calendar = openCalendar("zh@calendar=chinese", UCAL_DEFAULT);
    return calendar.get();
}
UCalendar* gregorian() {
    thread_local const Calendar calendar = openCalendar("en@calendar=gregorian", UCAL_GREGORIAN);
    return calendar.get();
}

bool covered(int year) {
    return year >= FirstYear && year <= LastYear;
}

// Points the calendar at a lunar date; true when it exists exactly as given.
bool setLunar(UCalendar* calendar, int lunarYear, int lunarMonth, int lunarDay, bool leap) {
    const int extended = lunarYear + ExtendedYearOffset;
    ucal_clear(calendar);
    ucal_set(calendar, UCAL_ERA, (extended - 1) / 60 + 1);
    ucal_set(calendar, UCAL_YEAR, (extended - 1) % 60 + 1);
    ucal_set(calendar, UCAL_MONTH, lunarMonth - 1);
    ucal_set(calendar, UCAL_IS_LEAP_MONTH, leap ? 1 : 0);
    ucal_set(calendar, UCAL_DATE, lunarDay);
    ucal_set(calendar, UCAL_HOUR_OF_DAY, 12);
    UErrorCode status = U_ZERO_ERROR;
    ucal_getMillis(calendar, &status);
    // ICU moves a leap flag on an ordinary month to the next month instead of failing.
    return U_SUCCESS(status) && ucal_get(calendar, UCAL_EXTENDED_YEAR, &status) == extended &&
           ucal_get(calendar, UCAL_MONTH, &status) == lunarMonth - 1 &&
           ucal_get(calendar, UCAL_IS_LEAP_MONTH, &status) == (leap ? 1 : 0) &&
           ucal_get(calendar, UCAL_DATE, &status) == lunarDay && U_SUCCESS(status);
}

} // namespace

bool Cncalendar::GetLunarFromDay(int year, int month, int day, int& lunarYear, int& lunarMonth, int& lunarDay,
                                 bool& leap) {
    if (!covered(year))
        return false;
    UCalendar* const solar = gregorian();
    UCalendar* const lunar = chinese();
    if (!solar || !lunar)
        return false;
    UErrorCode status = U_ZERO_ERROR;
    ucal_clear(solar);
    ucal_setDateTime(solar, year, month - 1, day, 12, 0, 0, &status);
    const UDate moment = ucal_getMillis(solar, &status);
    if (U_FAILURE(status))
        return false;
    ucal_setMillis(lunar, moment, &status);
    lunarYear = ucal_get(lunar, UCAL_EXTENDED_YEAR, &status) - ExtendedYearOffset;
    lunarMonth = ucal_get(lunar, UCAL_MONTH, &status) + 1;
    lunarDay = ucal_get(lunar, UCAL_DATE, &status);
    leap = ucal_get(lunar, UCAL_IS_LEAP_MONTH, &status) != 0;
    return U_SUCCESS(status);
}

bool Cncalendar::GetDayFromLunar(int lunarYear, int lunarMonth, int lunarDay, bool leap, int& year,
                                 int& month, int& day) {
    if (!covered(lunarYear))
        return false;
    UCalendar* const lunar = chinese();
    UCalendar* const solar = gregorian();
    if (!lunar || !solar)
        return false;
    const bool twin = leap && GetLunarLeapMonth(lunarYear) == lunarMonth;
    if (!setLunar(lunar, lunarYear, lunarMonth, lunarDay, twin))
        return false;
    UErrorCode status = U_ZERO_ERROR;
    ucal_setMillis(solar, ucal_getMillis(lunar, &status), &status);
    year = ucal_get(solar, UCAL_YEAR, &status);
    month = ucal_get(solar, UCAL_MONTH, &status) + 1;
    day = ucal_get(solar, UCAL_DATE, &status);
    return U_SUCCESS(status);
}

int Cncalendar::GetLunarLeapMonth(int lunarYear) {
    if (!covered(lunarYear))
        return 0;
    UCalendar* const lunar = chinese();
    if (!lunar)
        return 0;
    for (int month = 1; month <= 12; ++month) {
        if (setLunar(lunar, lunarYear, month, 1, true))
            return month;
    }
    return 0;
}

int Cncalendar::GetLunarMonthDays(int lunarYear, int lunarMonth, bool leap) {
    if (!covered(lunarYear))
        return 0;
    UCalendar* const lunar = chinese();
    const bool twin = leap && GetLunarLeapMonth(lunarYear) == lunarMonth;
    if (!lunar || !setLunar(lunar, lunarYear, lunarMonth, 1, twin))
        return 0;
    UErrorCode status = U_ZERO_ERROR;
    const int days = ucal_getLimit(lunar, UCAL_DATE, UCAL_ACTUAL_MAXIMUM, &status);
    return U_SUCCESS(status) ? days : 0;
}
