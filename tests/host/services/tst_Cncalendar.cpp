#include "host/sdk/Cncalendar.h"

#include <QDate>
#include <QTest>

namespace {

QString lunarOf(const QDate& date) {
    int year = 0, month = 0, day = 0;
    bool leap = false;
    if (!Cncalendar::GetLunarFromDay(date.year(), date.month(), date.day(), year, month, day, leap))
        return QStringLiteral("refused");
    return QStringLiteral("%1-%2-%3").arg(year).arg(month).arg(day) +
           (leap ? QStringLiteral(" leap") : QString());
}

QDate solarOf(int year, int month, int day, bool leap) {
    int y = 0, m = 0, d = 0;
    if (!Cncalendar::GetDayFromLunar(year, month, day, leap, y, m, d))
        return QDate();
    return QDate(y, m, d);
}

} // namespace

class CncalendarTest : public QObject {
    Q_OBJECT

private slots:
    void convertsKnownDates_data() {
        QTest::addColumn<QDate>("solar");
        QTest::addColumn<QString>("lunar");
        QTest::newRow("spring festival 2024") << QDate(2024, 2, 10) << "2024-1-1";
        QTest::newRow("new year's day is still the old lunar year") << QDate(2024, 1, 1) << "2023-11-20";
        QTest::newRow("first day of a leap month") << QDate(2023, 3, 22) << "2023-2-1 leap";
        QTest::newRow("last day of that leap month") << QDate(2023, 4, 19) << "2023-2-29 leap";
        QTest::newRow("the month after it") << QDate(2023, 4, 20) << "2023-3-1";
        QTest::newRow("the leap eleventh month of 2033") << QDate(2033, 12, 22) << "2033-11-1 leap";
        QTest::newRow("spring festival 1950") << QDate(1950, 2, 17) << "1950-1-1";
        QTest::newRow("before the covered years") << QDate(1899, 12, 31) << "refused";
    }
    void convertsKnownDates() {
        QFETCH(QDate, solar);
        QFETCH(QString, lunar);
        QCOMPARE(lunarOf(solar), lunar);
    }

    void leapMonthsAndMonthLengths() {
        // Years with a leap month are checked against the conversion over two centuries.
        QCOMPARE(Cncalendar::GetLunarLeapMonth(2024), 0);
        QCOMPARE(Cncalendar::GetLunarLeapMonth(2101), 0);

        // 2023: the second month has 30 days, its leap twin 29.
        QCOMPARE(Cncalendar::GetLunarMonthDays(2023, 2, false), 30);
        QCOMPARE(Cncalendar::GetLunarMonthDays(2023, 2, true), 29);
        // A leap flag on a month without a twin reads the ordinary month.
        QCOMPARE(Cncalendar::GetLunarMonthDays(2023, 3, true), Cncalendar::GetLunarMonthDays(2023, 3, false));
        QCOMPARE(Cncalendar::GetLunarMonthDays(2023, 13, false), 0);
        QCOMPARE(Cncalendar::GetLunarMonthDays(2023, 0, false), 0);
    }

    void lunarToSolarEdges() {
        QCOMPARE(solarOf(2023, 2, 1, false), QDate(2023, 2, 20));
        QCOMPARE(solarOf(2023, 2, 1, true), QDate(2023, 3, 22));
        // Callers pass "the year has a leap month" for every month of such a year.
        QCOMPARE(solarOf(2023, 5, 5, true), solarOf(2023, 5, 5, false));
        QCOMPARE(solarOf(2024, 2, 1, true), QDate(2024, 3, 10));
        // Day 30 exists only in long months.
        QCOMPARE(solarOf(2023, 2, 30, false), QDate(2023, 3, 21));
        QCOMPARE(solarOf(2023, 2, 30, true), QDate());
        QCOMPARE(solarOf(2023, 1, 31, false), QDate());
        QCOMPARE(solarOf(2023, 13, 1, false), QDate());
        QCOMPARE(solarOf(2023, 1, 0, false), QDate());
        QCOMPARE(solarOf(1899, 1, 1, false), QDate());
    }

    void twoCenturiesRoundTrip() {
        // Every eleventh day lands in every lunar month of the range at least once.
        int checked = 0;
        for (QDate date(1901, 1, 1); date.year() < 2100; date = date.addDays(11)) {
            int year = 0, month = 0, day = 0;
            bool leap = false;
            QVERIFY(
                Cncalendar::GetLunarFromDay(date.year(), date.month(), date.day(), year, month, day, leap));
            QVERIFY2(day <= Cncalendar::GetLunarMonthDays(year, month, leap), qPrintable(date.toString()));
            QCOMPARE(solarOf(year, month, day, leap), date);
            if (leap)
                QCOMPARE(Cncalendar::GetLunarLeapMonth(year), month);
            ++checked;
        }
        QVERIFY(checked > 6500);
    }
};

QTEST_GUILESS_MAIN(CncalendarTest)
#include "tst_Cncalendar.moc"
