#include "host/data/Database.h"
#include "host/db/LedgerAudit.h"
#include "host/db/procedures/VipPointsLedger.h"
#include "host/db/queries/ListQueryRegistry.h"
#include "host/sdk/ClientDataSet.h"
#include "host/sdk/DataModule.h"
#include "host/sdk/DbError.h"
#include "host/sdk/Transaction.h"
#include "host/sdk/VipCodes.h"
#include "tests/support/DbProbe.h"
#include "tests/support/TestDatabase.h"
#include "tests/support/TestRows.h"

#include <QTest>

// What the member list reads and the procedures its actions call.
class MemberListProceduresTest : public QObject {
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

    // Cleared up to a day, a card loses what it still holds of the points it had
    // that evening (later redemptions spend the oldest points first), and is not
    // cleared again up to that day or an earlier one.
    void pointsClearUpToADayTakesTheOldPointsStillHeld() {
        TestDatabase db;
        const int type = TestRows::addCardType(db.data(), QStringLiteral("金卡"));
        const int card = TestRows::addCard(db.data(), {.cardNo = QStringLiteral("P1"), .cardType = type});
        db.data().ExecuteSQL(QStringLiteral("UPDATE vipcard SET IsLife = 1 WHERE id = ?"), {card});
        for (const auto& [points, day] : QList<std::pair<int, QDate>>{
                 {100, QDate(2026, 1, 5)}, {-30, QDate(2026, 2, 1)}, {50, QDate(2026, 3, 1)}}) {
            Transaction posting(db.data());
            const int bill = VipPointsLedger::post(db.data().database(), {.cardId = card, .points = points});
            db.data().ExecuteSQL(QStringLiteral("UPDATE VipChangeInfo SET ChangeDate = ? WHERE BillId = ?"),
                                 {QDateTime(day, QTime(12, 0)), bill});
            posting.Commit();
        }
        const auto clear = [&](const QString& date, int& skipped) {
            TParamObject p;
            p.Add(QStringLiteral("@VipCard"), QString::number(card));
            p.Add(QStringLiteral("@ClearDate"), date);
            p.Add(QStringLiteral("@ERec"), 0);
            p.Add(QStringLiteral("@PosID"), 0);
            p.Add(QStringLiteral("@je"), 0);
            p.Add(QStringLiteral("@hyje"), 0);
            p.Add(QStringLiteral("@jf"), 1);
            const int cleared = db.data().ExecuteProcByName(QStringLiteral("P_ClearVipJF"), p);
            skipped = p.AsInteger(QStringLiteral("@Skipped"));
            return cleared;
        };
        int skipped = 0;
        QCOMPARE(clear(QStringLiteral("2026-01-31"), skipped), 1);
        QCOMPARE(
            db.data().OpenSQLAsInt(QStringLiteral("SELECT IntegralTotal FROM vipcard WHERE id = ?"), {card}),
            50);
        QCOMPARE(clear(QStringLiteral("2026-01-20"), skipped), 0);
        QCOMPARE(skipped, 1);
        QCOMPARE(db.data().ExecuteProcByName(QStringLiteral("kd_CheckClearVipDate"),
                                             {QStringLiteral("@vipid"), QStringLiteral("@ClearDate")},
                                             {card, QStringLiteral("2026-01-31")}),
                 PointsClearCheck::AlreadyCleared);
        QCOMPARE(LedgerAudit::run(db.data().database()).size(), 0);
    }

    // What the window would never send is refused, and nothing is written.
    void proceduresRefuseWhatTheCallerCannotMean() {
        TestDatabase db;
        const int type = TestRows::addCardType(db.data(), QStringLiteral("金卡"));
        const int card = TestRows::addCard(db.data(), {.cardNo = QStringLiteral("R1"), .cardType = type});
        DataModule& data = db.data();
        const QStringList clearNames = {QStringLiteral("@VipCard"), QStringLiteral("@ClearDate"),
                                        QStringLiteral("@ERec"),    QStringLiteral("@PosID"),
                                        QStringLiteral("@je"),      QStringLiteral("@hyje"),
                                        QStringLiteral("@jf")};
        QVERIFY_THROWS_EXCEPTION(DbError, data.ExecuteProcByName(QStringLiteral("P_ClearVipJF"), clearNames,
                                                                 {QStringLiteral("%1,1 OR 1=1").arg(card),
                                                                  QString(), 0, 0, 0, 0, 1}));
        QVERIFY_THROWS_EXCEPTION(
            DbError, data.ExecuteProcByName(QStringLiteral("P_ModifValidityDate"),
                                            {QStringLiteral("@VipCard"), QStringLiteral("@ModifDate")},
                                            {QString::number(card), QStringLiteral("2031-02-30")}));
        QVERIFY_THROWS_EXCEPTION(DbError,
                                 data.ExecuteProcByName(QStringLiteral("P_ActiveCard"),
                                                        {QStringLiteral("@ID"), QStringLiteral("@ERec"),
                                                         QStringLiteral("@ActivatePosID")},
                                                        {card, 0, 999}));
        QCOMPARE(data.ExecuteProcByName(QStringLiteral("Y_InsVipCard"),
                                        {QStringLiteral("@EditType"), QStringLiteral("@CardNo"),
                                         QStringLiteral("@PosID"), QStringLiteral("@ERec")},
                                        {QStringLiteral("D"), QStringLiteral("NOPE"), 0, 0}),
                 CardDeleteRefusal::Gone);
        QCOMPARE(DbProbe::count(data, QStringLiteral("vipcard"),
                                QStringLiteral("IsLife = 0 AND deleted = 0 AND "
                                               "ValidityDate = ?"),
                                {QDate(2030, 1, 1)}),
                 1);
        QCOMPARE(DbProbe::count(data, QStringLiteral("VipClearJF")), 0);
    }
};

QTEST_GUILESS_MAIN(MemberListProceduresTest)
#include "tst_MemberListProcedures.moc"
