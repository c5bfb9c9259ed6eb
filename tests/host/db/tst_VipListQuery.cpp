#include "host/db/queries/ListQueryRegistry.h"
#include "host/sdk/ClientDataSet.h"
#include "tests/support/TestDatabase.h"
#include "tests/support/TestRows.h"

#include <QTest>

// The member list's query: live cards of the store's types within the dates, in
// the order a reader paging through it relies on.
class VipListQueryTest : public QObject {
    Q_OBJECT

private slots:
    void liveCardsOfTheStoreWithinTheDatesInCardNumberOrder() {
        TestDatabase db;
        const int store = TestRows::addStore(db.data(), {QStringLiteral("01"), QStringLiteral("一店")});
        const int everywhere = TestRows::addCardType(db.data(), QStringLiteral("金卡"));
        const int elsewhere =
            TestRows::addCardType(db.data(), QStringLiteral("银卡"), 95, {{"CanAllPos", 0}});
        TestRows::addCard(db.data(), {.cardNo = QStringLiteral("B2"), .cardType = everywhere});
        TestRows::addCard(db.data(), {.cardNo = QStringLiteral("A1"), .cardType = everywhere});
        TestRows::addCard(db.data(),
                          {.cardNo = QStringLiteral("A0"), .cardType = everywhere, .deleted = true});
        TestRows::addCard(db.data(), {.cardNo = QStringLiteral("C3"), .cardType = elsewhere});
        TestRows::addCard(
            db.data(), {.cardNo = QStringLiteral("D4"), .cardType = everywhere, .issued = QDate(2024, 6, 1)});

        const auto cardNos = [&](int pos, QDate issuedFrom) {
            TParamObject params;
            params.Add(QStringLiteral("@nPosRec"), pos);
            params.Add(QStringLiteral("@VIPFKDate"), issuedFrom);
            params.Add(QStringLiteral("@VIPFKDate1"), QDate(2099, 12, 31));
            params.Add(QStringLiteral("@VIPYxDate"), QDate(1900, 1, 1));
            params.Add(QStringLiteral("@VIPYxDate1"), QDate(2099, 12, 31));
            ClientDataSet rows;
            ListQueryRegistry::global().open(6, params, rows);
            QStringList numbers;
            for (rows.First(); !rows.Eof(); rows.Next())
                numbers.append(rows.FieldByName(QStringLiteral("CardNo")).AsString());
            return numbers;
        };
        QCOMPARE(cardNos(0, QDate(1900, 1, 1)), (QStringList{"A1", "B2", "C3", "D4"}));
        QCOMPARE(cardNos(store, QDate(2025, 1, 1)), (QStringList{"A1", "B2"}));
    }
};

QTEST_GUILESS_MAIN(VipListQueryTest)
#include "tst_VipListQuery.moc"
