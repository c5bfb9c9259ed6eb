#include "host/data/Database.h"
#include "host/db/LedgerAudit.h"
#include "host/sdk/DataModule.h"
#include "host/sdk/DbError.h"
#include "host/sdk/Transaction.h"
#include "host/sdk/VipCodes.h"
#include "tests/support/DbProbe.h"
#include "tests/support/RunTogether.h"
#include "tests/support/TestDatabase.h"
#include "tests/support/TestRows.h"

#include <QDate>
#include <QRandomGenerator>
#include <QTest>
#include <QUuid>
#include <atomic>
#include <chrono>
#include <thread>

namespace {

struct Saved {
    int result = 0;
    int changeId = 0;
    QString billCode;
};

// A recharge or refund as the dialog saves it, the gift asked of the rules first.
Saved operate(DataModule& data, const QString& cardNo, int changeType, Money amount, int accountRec,
              const QString& operationId = QUuid::createUuid().toString()) {
    const int cardType =
        data.OpenSQLAsInt(QStringLiteral("SELECT CardType FROM vipcard WHERE CardNo = ?"), {cardNo});
    TParamObject gift;
    data.ExecuteProcByName(
        QStringLiteral("kd_VIPGetCZGiftTotal"),
        {QStringLiteral("@CtypeId"), QStringLiteral("@CZTotal"), QStringLiteral("@GiftTotal")},
        {cardType, amount.toDouble(), 0}, &gift);
    TParamObject p;
    const QList<QPair<QString, QVariant>> values = {
        {"@CardNo", cardNo},
        {"@ChangeType", QString::number(changeType)},
        {"@Total", amount.toDouble()},
        {"@ERec", 0},
        {"@ARec", QString::number(accountRec)},
        {"@Posid", 0},
        {"@Memo", QString()},
        {"@szDate", QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"))},
        {"@giftTotal", gift.AsFloat(QStringLiteral("@GiftTotal"))},
        {"@OpId", operationId}};
    for (const auto& [name, value] : values)
        p.Add(name, value);
    const int result = data.ExecuteProcByName(QStringLiteral("XF_CzOperator"), p);
    return {result, p.AsInteger(QStringLiteral("@changeid")), p.AsString(QStringLiteral("@szBillCode"))};
}

} // namespace

class StoredValueProceduresTest : public QObject {
    Q_OBJECT

    int accountRec = 0;

    // Activated stored-value cards of a type whose recharges earn 10 for every 100.
    QStringList addCards(DataModule& data, int count) {
        const int type =
            TestRows::addCardType(data, QStringLiteral("储值卡"), 100, {{"IsCZPreferential", 1}});
        data.ExecuteSQL(
            QStringLiteral("INSERT INTO vipAutoDiscount (VipTypeId, DisType, BuyToTalBegin, BuyTotalEnd, "
                           "IntegralQuotiety, Integral) VALUES (?, ?, 0, ?, ?, ?)"),
            {type, RuleKind::StoredValueGifts, QVariant::fromValue(Money::fromUnits(1000)),
             QVariant::fromValue(Money::fromUnits(100)), QVariant::fromValue(Money::fromUnits(10))});
        accountRec = TestRows::addAccount(data, QStringLiteral("0000100003"), QStringLiteral("00001"),
                                          QStringLiteral("储值收款"));
        QStringList numbers;
        for (int i = 0; i < count; ++i) {
            numbers << QStringLiteral("S%1").arg(i);
            TestRows::addCard(data, {.cardNo = numbers.last(), .cardType = type, .storedValue = true});
        }
        data.ExecuteSQL(QStringLiteral("UPDATE vipcard SET IsLife = 1"));
        return numbers;
    }

private slots:
    // A save retried after its answer was lost finds its first try and applies
    // nothing; the same id with another amount is refused.
    void retriedOperationIsAppliedOnce() {
        TestDatabase db;
        const QString card = addCards(db.data(), 1).first();
        const Saved first = operate(db.data(), card, StoredValueChange::Recharge, Money::fromUnits(200),
                                    accountRec, QStringLiteral("op-1"));
        QCOMPARE(first.result, 0);
        QVERIFY(first.billCode.startsWith(QStringLiteral("CZ")));
        const Saved again = operate(db.data(), card, StoredValueChange::Recharge, Money::fromUnits(200),
                                    accountRec, QStringLiteral("op-1"));
        QCOMPARE(again.result, 0);
        QCOMPARE(again.changeId, first.changeId);
        QCOMPARE(again.billCode, first.billCode);
        QCOMPARE(operate(db.data(), card, StoredValueChange::Refund, Money::fromUnits(200), accountRec,
                         QStringLiteral("op-1"))
                     .result,
                 -8);
        QCOMPARE(DbProbe::count(db.data(), QStringLiteral("VipCzChange")), 1);
        QCOMPARE(db.data().OpenSQLAsStr(QStringLiteral("SELECT Cz FROM vipcard")).toLongLong(),
                 Money::fromUnits(220).raw());
        // The procedure checks again what the dialog checked.
        QCOMPARE(
            operate(db.data(), card, StoredValueChange::Refund, Money::fromUnits(201), accountRec).result,
            -2);
        QCOMPARE(operate(db.data(), card, StoredValueChange::Recharge, Money(), accountRec).result, -3);
        QCOMPARE(operate(db.data(), card, StoredValueChange::Recharge, Money::fromUnits(100001), accountRec)
                     .result,
                 -4);
        QCOMPARE(operate(db.data(), card, StoredValueChange::Recharge, Money::fromUnits(1), 0).result, -6);
        QCOMPARE(DbProbe::count(db.data(), QStringLiteral("VipCzChange")), 1);
    }

    // Cashiers at several tills recharge and refund at once, many of them the same
    // card: every refund that went through was covered, and every balance is the sum
    // of its rows.
    void cashiersAtOnceNeverLoseMoney() {
        TestDatabase db;
        const QStringList cards = addCards(db.data(), 8);
        for (const QString& card : cards)
            QCOMPARE(operate(db.data(), card, StoredValueChange::Recharge, Money::fromUnits(100), accountRec)
                         .result,
                     0);
        constexpr int Writers = 6;
        constexpr int Operations = 40;
        std::atomic<int> saved = 0;
        std::atomic<int> refused = 0;
        std::atomic<int> unexpected = 0;
        const QStringList errors = RunTogether(db, Writers, [&](DataModule& data, int writer) {
            QRandomGenerator random(writer + 1);
            for (int i = 0; i < Operations; ++i) {
                // Half of the work falls on one hot card.
                const QString card =
                    random.bounded(2) == 0 ? cards.first() : cards.at(random.bounded(cards.size()));
                const bool refund = random.bounded(2) == 0;
                const Money amount = Money::fromUnits(random.bounded(1, refund ? 160 : 260));
                const int result =
                    operate(data, card, refund ? StoredValueChange::Refund : StoredValueChange::Recharge,
                            amount, accountRec)
                        .result;
                (result == 0 ? saved : result == -2 ? refused : unexpected)++;
            }
        });
        QVERIFY2(errors.isEmpty(), qPrintable(errors.join(QLatin1Char('\n'))));
        QCOMPARE(unexpected.load(), 0);
        QCOMPARE(saved + refused, Writers * Operations);
        QCOMPARE(DbProbe::count(db.data(), QStringLiteral("VipCzChange")), cards.size() + saved);
        QCOMPARE(LedgerAudit::run(db.data().database()).size(), 0);
        QCOMPARE(DbProbe::count(db.data(), QStringLiteral("vipcard"), QStringLiteral("Cz < 0")), 0);
        QCOMPARE(DbProbe::count(db.data(), QStringLiteral("VipCzChange"), QStringLiteral("BalanceAfter < 0")),
                 0);
    }

    // Another writer holding SQLite's write lock makes a save wait, not fail; past
    // the bound the user hears that the database is busy, in words.
    void busySqliteWaitsThenSaysSo() {
        TestDatabase db;
        if (db.isPostgres())
            QSKIP("PostgreSQL writers queue on row locks");
        const QString card = addCards(db.data(), 1).first();
        const std::unique_ptr<DataModule> other = db.openAnother();
        {
            Transaction holding(*other);
            db.data().database().setBusyWait(50);
            try {
                operate(db.data(), card, StoredValueChange::Recharge, Money::fromUnits(10), accountRec);
                QFAIL("the save went through past another writer's lock");
            } catch (const DbError& e) {
                QCOMPARE(e.message(), Database::BusyText);
            }
        }
        // Within the bound the save waits for the other writer and goes through.
        std::atomic<bool> locked = false;
        int saved = -1;
        const QStringList errors = RunTogether(db, 2, [&](DataModule& data, int writer) {
            if (writer == 0) {
                Transaction holding(data);
                data.ExecuteSQL(QStringLiteral("UPDATE vipcard SET Name = ?"), {QStringLiteral("王芳")});
                locked = true;
                std::this_thread::sleep_for(std::chrono::milliseconds(200));
                holding.Commit();
                return;
            }
            while (!locked)
                std::this_thread::yield();
            saved = operate(data, card, StoredValueChange::Recharge, Money::fromUnits(10), accountRec).result;
        });
        QVERIFY2(errors.isEmpty(), qPrintable(errors.join(QLatin1Char('\n'))));
        QCOMPARE(saved, 0);
        QCOMPARE(db.data().OpenSQLAsStr(QStringLiteral("SELECT Name FROM vipcard")), QStringLiteral("王芳"));
    }
};

QTEST_MAIN(StoredValueProceduresTest)
#include "tst_StoredValueProcedures.moc"
