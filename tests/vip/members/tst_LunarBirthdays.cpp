#include "host/sdk/DataModule.h"
#include "tests/support/TestDatabase.h"
#include "tests/support/TestRows.h"
#include "vip/members/VipCardExports.h"

#include <QTest>

namespace {

// A new card through the exported card write, with the birthday as the editor
// passes it: the solar text, or the lunar flag and text.
int issue(const QString& cardNo, int type, bool lunar, const QString& solarText, const QString& lunarText) {
    return Y_InsVipCard(QStringLiteral("I"), cardNo, QStringLiteral("李伟"), QString(), QString(), QString(),
                        QString::number(type), 95, QStringLiteral("2025-03-01"), QStringLiteral("2027/03/01"),
                        false, false, QStringLiteral("1"), 0, 0, 1, false, solarText, QString(), QString(),
                        QString(), QString(), QString(), QString(), QString(), QString(), QVariant(), 0, 1,
                        QString(), 0, 0, 0, -1, lunar, lunarText, 0, 0);
}

QStringList stored(int cardId) {
    ClientDataSet row;
    dmClient().OpenSQL(
        QStringLiteral("SELECT Birthday, BirthdayCN, BirthType, IsLeapMonth FROM vipcard WHERE id = ?"), row,
        {cardId});
    QStringList values;
    for (int column = 0; column < row.FieldCount(); ++column)
        values.append(row.Value(0, column).toString());
    return values;
}

} // namespace

class LunarBirthdaysTest : public QObject {
    Q_OBJECT

private slots:
    void theCardKeepsBothFormsOfTheBirthday() {
        TestDatabase db;
        const int type = TestRows::addCardType(db.data(), QStringLiteral("金卡"));
        // Born in the leap twin of 2023's second month.
        const int solar = issue(QStringLiteral("1"), type, false, QStringLiteral("2023-03-22"), QString());
        QVERIFY(solar > 0);
        QCOMPARE(stored(solar), (QStringList{"2023-03-22", "2023-02-01", "0", "1"}));
        // A lunar birthday in a year with a leap month is read as the leap twin.
        const int lunar = issue(QStringLiteral("2"), type, true, QString(), QStringLiteral("2023-02-01"));
        QCOMPARE(stored(lunar), (QStringList{"2023-03-22", "2023-02-01", "1", "1"}));
        const int plain = issue(QStringLiteral("3"), type, true, QString(), QStringLiteral("2024-02-30"));
        QCOMPARE(stored(plain), (QStringList{"2024-04-08", "2024-02-30", "1", "0"}));
        // Before the calendar's first year the solar date is the date system's first day.
        const int early = issue(QStringLiteral("4"), type, true, QString(), QStringLiteral("1899-05-05"));
        QCOMPARE(stored(early), (QStringList{"1900-01-01", "1899-05-05", "1", "0"}));
        const int none = issue(QStringLiteral("5"), type, false, QString(), QString());
        QCOMPARE(stored(none), (QStringList{"", "", "0", "0"}));
    }
};

QTEST_GUILESS_MAIN(LunarBirthdaysTest)
#include "tst_LunarBirthdays.moc"
