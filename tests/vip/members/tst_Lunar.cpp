#include "vip/members/LunarExports.h"
#include "vip/members/MemberBirthday.h"

#include <QTest>

// Dates the lunisolar calendar fixes: the Spring Festival of 2024 fell on 10 February;
// 2023 doubled its second month, whose leap twin began on 22 March; in 2024 the first
// month had 29 days and the second 30.
class LunarTest : public QObject {
    Q_OBJECT

private slots:
    void solarDatesGivePaddedLunarTextAndTheLeapFlag() {
        bool leap = true;
        QCOMPARE(DayToLunar(QDate(2024, 2, 10), leap), QStringLiteral("2024-01-01"));
        QVERIFY(!leap);
        QCOMPARE(DayToLunar(QDate(2023, 3, 22), leap), QStringLiteral("2023-02-01"));
        QVERIFY(leap);
        QCOMPARE(DayToLunar(QDate(1850, 1, 1), leap), QString());
        QVERIFY(!leap);
    }

    void lunarTextThatIsNotExactlyADateGivesDayZero() {
        for (const char* text : {"2024-1-1", "2024-01-1", "2024-01-01 ", "abcd-01-01", "2024-0x-01",
                                 "2024-13-01", "2024-00-10", "2024-01-30", "1899-01-01", ""})
            QVERIFY2(LunarToDay(QLatin1String(text)) == lunarDayZero(), text);
        QCOMPARE(LunarToDay(QStringLiteral("2024-01-01")), QDate(2024, 2, 10));
        QCOMPARE(LunarToDay(QStringLiteral("2024-02-30")), QDate(2024, 4, 8));
        // A year with a leap month reads the month as its leap twin, as stored birthdays were.
        QCOMPARE(LunarToDay(QStringLiteral("2023-02-01")), QDate(2023, 3, 22));
        bool leap = false;
        const QDate day(2024, 5, 5);
        QCOMPARE(LunarToDay(DayToLunar(day, leap)), day);
    }

    void lunarDatesAreValidOnlyWhereTheMonthHasTheDay() {
        QVERIFY(GetLunarDateValid(2024, 2, 30));
        QVERIFY(!GetLunarDateValid(2024, 1, 30));
        QVERIFY(GetLunarDateValid(2024, 1, 29));
        for (const auto& [month, day] : {std::pair{13, 1}, {0, 1}, {1, 0}, {1, 31}, {-1, 5}})
            QVERIFY(!GetLunarDateValid(2024, month, day));
    }

    void aBirthdayGainsTheOtherCalendarsForm() {
        const MemberBirthday solar = MemberBirthday::Of(false, QStringLiteral("2023-03-22"), QString());
        QCOMPARE(solar.solar, QStringLiteral("2023-03-22"));
        QCOMPARE(solar.lunar, QStringLiteral("2023-02-01"));
        QVERIFY(solar.leapMonth);
        const MemberBirthday lunar = MemberBirthday::Of(true, QString(), QStringLiteral("2024-02-30"));
        QCOMPARE(lunar.solar, QStringLiteral("2024-04-08"));
        QVERIFY(!lunar.leapMonth);
        // A lunar text the calendar cannot place is kept with the date system's first day.
        QCOMPARE(MemberBirthday::Of(true, QString(), QStringLiteral("1899-05-05")).solar,
                 QStringLiteral("1900-01-01"));
        const MemberBirthday none = MemberBirthday::Of(true, QStringLiteral("2000-01-01"), QString());
        QVERIFY(none.solar.isEmpty() && none.lunar.isEmpty() && !none.leapMonth);
    }
};

QTEST_GUILESS_MAIN(LunarTest)
#include "tst_Lunar.moc"
