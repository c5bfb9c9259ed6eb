#pragma once

// The host's Chinese lunisolar calendar. Lunar years are numbered like the solar
// year in which they begin; months and days count from 1. Dates outside the years
// 1900..2100 are refused, as no living member was born there.
class Cncalendar {
public:
    // False when the solar date does not exist or lies outside the covered years.
    static bool GetLunarFromDay(int year, int month, int day, int& lunarYear, int& lunarMonth, int& lunarDay,
                                bool& leap);
    // The leap flag picks the leap twin of the month; for a month without a twin it
    // is ignored, so callers may pass "the year has a leap month" as they do.
    static bool GetDayFromLunar(int lunarYear, int lunarMonth, int lunarDay, bool leap, int& year, int& month,
                                int& day);
    // The month that is doubled in the lunar year, 0 when there is none.
    static int GetLunarLeapMonth(int lunarYear);
    // 29 or 30; 0 when the month does not exist.
    static int GetLunarMonthDays(int lunarYear, int lunarMonth, bool leap);
};
