#include "host/sdk/VRecord.h"

#include <QTest>

class TestVRecord : public QObject {
    Q_OBJECT

private slots:
    void memberDaysCountByTheListsTheTypeUses() {
        VRecord member;
        member.TypeRules.MonthDayList = QStringLiteral("1,16");
        member.TypeRules.DayList = QStringLiteral("6,7"); // Saturday, Sunday
        member.TypeRules.UseVipDay = 1;                   // the days of the month only
        member.VipDayCheck(QDate(2026, 3, 16));
        QVERIFY(member.IsVipDay);
        member.VipDayCheck(QDate(2026, 3, 14)); // a Saturday
        QVERIFY(!member.IsVipDay);
        member.TypeRules.UseVipDay = 3;
        member.VipDayCheck(QDate(2026, 3, 14));
        QVERIFY(member.IsVipDay);
        member.TypeRules.UseVipDay = 0;
        member.VipDayCheck(QDate(2026, 3, 16));
        QVERIFY(!member.IsVipDay);
    }

    void aLunarBirthdayFallsOnItsLunarDate() {
        VRecord member;
        member.BirthType = true;
        member.Birthday = QStringLiteral("1990-01-27");
        member.BirthdayCN = QStringLiteral("1990-01-01");
        member.TypeRules.usebirthday = 1;
        member.VipDayCheck(QDate(2026, 2, 17)); // the first day of the first lunar month
        QVERIFY(member.IsBirthday);
        member.VipDayCheck(QDate(2026, 1, 27));
        QVERIFY(!member.IsBirthday);
        member.TypeRules.usebirthday = 2;
        member.VipDayCheck(QDate(2026, 3, 10));
        QVERIFY(member.IsBirthMonth);
        QVERIFY(!member.IsBirthday);
        member.Clear();
        QVERIFY(member.BirthdayCN.isEmpty() && member.TypeRules.usebirthday == 0 && !member.IsBirthMonth);
    }
};

QTEST_GUILESS_MAIN(TestVRecord)
#include "tst_VRecord.moc"
