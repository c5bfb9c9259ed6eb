#include "host/sdk/DataModule.h"
#include "host/sdk/VipCodes.h"
#include "tests/support/DbProbe.h"
#include "tests/support/TestDatabase.h"
#include "tests/support/TestRows.h"

#include <QDateTime>
#include <QTest>

namespace {

using namespace ServiceItemRefusal;

int item(const char* procedure, int prec, int startTimes, double price, int giftMode) {
    return dmClient().ExecuteProcByName(QLatin1String(procedure),
                                        {QStringLiteral("@pRec"), QStringLiteral("@startTimes"),
                                         QStringLiteral("@oncePrice"), QStringLiteral("@discountType")},
                                        {prec, startTimes, price, giftMode});
}

int rule(int prec, int buyTimes, double price, int gainTimes = 0, int days = 0) {
    return dmClient().ExecuteProcByName(QStringLiteral("Kd_InsertVipServiceRule"),
                                        {QStringLiteral("@pRec"), QStringLiteral("@buyTimes"),
                                         QStringLiteral("@oncePrice"), QStringLiteral("@gainTimes"),
                                         QStringLiteral("@ValidityDays")},
                                        {prec, buyTimes, price, gainTimes, days});
}

int usesBefore(int cardId, int prec, const QString& begin) {
    TParamObject out;
    const int result =
        dmClient().ExecuteProcByName(QStringLiteral("KD_vipCardSrvPrevRemain"),
                                     {QStringLiteral("@VipCardId"), QStringLiteral("@pRec"),
                                      QStringLiteral("@BeginDate"), QStringLiteral("@EndDate")},
                                     {cardId, prec, begin, QStringLiteral("2025-12-31 23:59:59")}, &out);
    return result < 0 ? result : out.AsInteger(QStringLiteral("@remainTimes"));
}

QDateTime at(const QString& text) {
    return QDateTime::fromString(text, QStringLiteral("yyyy-MM-dd HH:mm"));
}

} // namespace

class ServiceProceduresTest : public QObject {
    Q_OBJECT

private slots:
    // Each procedure turns down what a server would, writing nothing, and takes
    // what the rules dialog sends.
    void itemsAndRulesRefuseBadInput() {
        TestDatabase db;
        DataModule& data = db.data();
        const int wash = TestRows::addProduct(data, QStringLiteral("0000100001"), QStringLiteral("FW01"),
                                              QStringLiteral("洗车"), QStringLiteral("00001"));
        const int nails = TestRows::addProduct(data, QStringLiteral("0000100002"), QStringLiteral("FW02"),
                                               QStringLiteral("美甲"), QStringLiteral("00001"));
        const int group = TestRows::addProduct(data, QStringLiteral("00001"), QStringLiteral("FW"),
                                               QStringLiteral("服务"), QStringLiteral("00000"), 2);
        const int gone = TestRows::addProduct(data, QStringLiteral("0000100003"), QStringLiteral("FW03"),
                                              QStringLiteral("旧项目"), QStringLiteral("00001"));
        data.ExecuteSQL(QStringLiteral("UPDATE ptype SET deleted = 1 WHERE rec = ?"), {gone});

        const char* insert = "Kd_InsertVipService";
        QCOMPARE(item(insert, wash, 0, 10, ServiceGiftMode::PerMultiple), BadStartTimes);
        QCOMPARE(item(insert, wash, 1, -0.01, ServiceGiftMode::PerMultiple), NegativePrice);
        QCOMPARE(item(insert, wash, 1, 10, 3), BadGiftMode);
        for (const int product : {gone, group, 99999})
            QCOMPARE(item(insert, product, 1, 10, ServiceGiftMode::Direct), NoProduct);
        QCOMPARE(DbProbe::count(data, QStringLiteral("VipService")), 0);
        QCOMPARE(item(insert, wash, -1, 0, ServiceGiftMode::Direct), wash);
        QCOMPARE(item(insert, wash, 2, 10, ServiceGiftMode::Direct), AlreadyItem);
        QCOMPARE(item("Kd_UpdateVipService", nails, 2, 10, ServiceGiftMode::Direct), NoItem);
        QCOMPARE(item("Kd_UpdateVipService", wash, 3, 12.5, ServiceGiftMode::PerMultiple), wash);
        QCOMPARE(data.OpenSQLAsStr(QStringLiteral(
                     "SELECT startTimes || '/' || oncePrice || '/' || discountType FROM VipService")),
                 QStringLiteral("3/125000/1"));

        QCOMPARE(rule(nails, 3, 10), NoItem);
        QCOMPARE(rule(wash, 0, 10), BadBuyTimes);
        QCOMPARE(rule(wash, 3, 0), BadRulePrice);
        QCOMPARE(rule(wash, 2, 10), BelowStartTimes);
        QVERIFY(rule(wash, 3, 10) > 0);
        QCOMPARE(rule(wash, 3, 9), SameBuyTimes);
        QVERIFY(rule(wash, 10, 8.5, 2, 30) > 0);

        // The grids' view: the amount of each step, no gift and no end shown empty.
        ClientDataSet rows;
        data.OpenProcByName(QStringLiteral("QueryVipServiceRule"), {QStringLiteral("@Prec")}, {wash}, rows);
        QStringList shown;
        for (int r = 0; r < rows.RecordCount(); ++r) {
            QStringList cells;
            for (const char* field : {"buyTimes", "PriceTotal", "gainTimes", "numTotal", "ValidityDays"})
                cells << rows.FieldByName(QLatin1String(field)).AsString();
            rows.Next();
            shown << cells.join(QLatin1Char('|'));
        }
        QCOMPARE(shown, QStringList({QStringLiteral("3|300000||3|"), QStringLiteral("10|850000|2|12|30")}));
    }

    // An item a card ever held stays with its rules; an unused one goes with them.
    // The uses before a day are the ledger's rows before it began.
    void deleteAndUsesBeforeADayFollowTheLedger() {
        TestDatabase db;
        DataModule& data = db.data();
        const int wash = TestRows::addProduct(data, QStringLiteral("00001"), QStringLiteral("FW01"),
                                              QStringLiteral("洗车"));
        const int nails = TestRows::addProduct(data, QStringLiteral("00002"), QStringLiteral("FW02"),
                                               QStringLiteral("美甲"));
        for (const int product : {wash, nails}) {
            QCOMPARE(item("Kd_InsertVipService", product, 1, 0, ServiceGiftMode::Direct), product);
            QVERIFY(rule(product, 1, 20) > 0);
        }
        const int card =
            TestRows::addCard(data, {.cardNo = QStringLiteral("C1"),
                                     .cardType = TestRows::addCardType(data, QStringLiteral("金卡"))});
        TestRows::addServiceLot(
            data, card, wash,
            {{StoredValueChange::ServiceSale, 10, 200, at(QStringLiteral("2025-01-05 10:00"))},
             {StoredValueChange::ServiceConsumption, -2, -40, at(QStringLiteral("2025-02-03 09:00"))},
             {StoredValueChange::UsesRemoved, -1, -20, at(QStringLiteral("2025-02-03 23:59"))}});

        const auto del = [&](int prec) {
            return data.ExecuteProcByName(QStringLiteral("kd_DelVipService"), {QStringLiteral("@id")},
                                          {prec});
        };
        QCOMPARE(del(wash), -1);
        QCOMPARE(del(nails), 1);
        QCOMPARE(del(nails), 0);
        QCOMPARE(DbProbe::count(data, QStringLiteral("VipService")), 1);
        QCOMPARE(DbProbe::count(data, QStringLiteral("VipServiceRule")), 1);

        QCOMPARE(usesBefore(card, wash, QStringLiteral("2025-01-05")), 0);
        QCOMPARE(usesBefore(card, wash, QStringLiteral("2025-02-03")), 10);
        QCOMPARE(usesBefore(card, wash, QStringLiteral("2025-02-04 00:00:00")), 7);
        QCOMPARE(usesBefore(card, 0, QStringLiteral("2025-02-04")), 7);
        QCOMPARE(usesBefore(card, nails, QStringLiteral("2025-02-04")), 0);
        QCOMPARE(usesBefore(card + 1, wash, QStringLiteral("2025-02-04")), -1);
    }
};

QTEST_GUILESS_MAIN(ServiceProceduresTest)
#include "tst_ServiceProcedures.moc"
