#include "host/sdk/Money.h"

#include <QTest>

// An amount times a rate, as discounts and gifts work it out: exact, and rounded to
// the cent half away from zero, where doubles would drift below the half.
class MoneyRatesTest : public QObject {
    Q_OBJECT

private slots:
    void amountTimesRateRoundsAsShown_data() {
        QTest::addColumn<QString>("amount");
        QTest::addColumn<double>("rate");
        QTest::addColumn<QString>("shown");
        // clang-format off
        QTest::newRow("a half cent up") << "0.01" << 0.5 << "0.01";
        QTest::newRow("a half cent down, away from zero") << "-0.01" << 0.5 << "-0.01";
        QTest::newRow("doubles make it 0.10") << "0.70" << 0.15 << "0.11";
        QTest::newRow("doubles make it 2.67") << "2.675" << 1.0 << "2.68";
        QTest::newRow("below the half") << "0.35" << 0.95 << "0.33";
        QTest::newRow("above the half") << "1.01" << 0.95 << "0.96";
        QTest::newRow("a rate with six decimals") << "100.00" << 0.123456 << "12.35";
        QTest::newRow("a percentage with decimals") << "10.00" << 0.955 << "9.55";
        QTest::newRow("ten-thousandths in the amount") << "19.9999" << 0.85 << "17.00";
        QTest::newRow("a multiplier above one") << "33.33" << 1.5 << "50.00";
        QTest::newRow("nothing") << "0" << 0.95 << "0.00";
        QTest::newRow("a rate of 0") << "123.45" << 0.0 << "0.00";
        QTest::newRow("beyond 64 bits on the way") << "900000000000.01" << 95.5 << "85950000000000.96";
        // clang-format on
    }
    void amountTimesRateRoundsAsShown() {
        QFETCH(QString, amount);
        QFETCH(double, rate);
        QFETCH(QString, shown);
        const Money result = Money::fromText(amount).timesRate(rate);
        QCOMPARE(result.toString(), shown);
        // The result is whole cents, so it reads back as it is shown.
        QCOMPARE(result, Money::fromText(shown));
    }
};

QTEST_GUILESS_MAIN(MoneyRatesTest)
#include "tst_MoneyRates.moc"
