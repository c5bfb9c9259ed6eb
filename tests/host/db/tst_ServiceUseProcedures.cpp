#include "host/data/Database.h"
#include "host/db/LedgerAudit.h"
#include "host/db/procedures/VipCzLedger.h"
#include "host/db/procedures/VipServiceLedger.h"
#include "host/sdk/DataModule.h"
#include "host/sdk/Transaction.h"
#include "host/sdk/VipCodes.h"
#include "tests/support/DbProbe.h"
#include "tests/support/RunTogether.h"
#include "tests/support/TestDatabase.h"
#include "tests/support/TestRows.h"

#include <QDate>
#include <QTest>
#include <QUuid>
#include <atomic>

namespace {

struct Row {
    int prec = 0;
    int count = 0;
    Money price;
    int gain = -1;
    QString lastDay;
};

struct Saved {
    int result = 0;
    QString billCode;
};

QString newId() {
    return QUuid::createUuid().toString(QUuid::WithoutBraces);
}

// A row priced the way the sale dialog prices it: by asking the database.
Row priced(DataModule& data, int prec, int count) {
    TParamObject p;
    p.Add(QStringLiteral("@pRec"), prec);
    p.Add(QStringLiteral("@buyTimes"), count);
    data.ExecuteProcByName(QStringLiteral("kd_GetVipServicePrice"), p);
    return {prec, count, p.AsMoney(QStringLiteral("@oncePrice")), p.AsInteger(QStringLiteral("@gainTimes")),
            p.AsString(QStringLiteral("@ValidityPeriod"))};
}

// Stages the rows and applies them, as the dialogs save.
Saved save(DataModule& data, const QString& cardNo, int changeType, const QList<Row>& rows, int accountRec,
           const QString& billId = newId(), std::optional<Money> total = std::nullopt) {
    const QString batch = newId();
    Money sum;
    int place = 0;
    for (const Row& row : rows) {
        TParamObject p;
        p.Add(QStringLiteral("@id"), batch);
        p.Add(QStringLiteral("@ordId"), ++place);
        p.Add(QStringLiteral("@pRec"), row.prec);
        p.Add(QStringLiteral("@buyTimes"), row.count);
        p.Add(QStringLiteral("@oncePrice"), QVariant::fromValue(row.price));
        p.Add(QStringLiteral("@gainTimes"), row.gain);
        p.Add(QStringLiteral("@ValidityPeriod"), row.lastDay);
        if (const int staged = data.ExecuteProcByName(QStringLiteral("XF_CzServiceDetailTmpInsert"), p))
            return {staged + 100, {}};
        sum += row.price * row.count;
    }
    TParamObject p;
    const QList<QPair<QString, QVariant>> values = {
        {"@tmpID", batch},
        {"@CardNo", cardNo},
        {"@ChangeType", QString::number(changeType)},
        {"@Total", QVariant::fromValue(total.value_or(sum))},
        {"@ERec", 0},
        {"@ARec", QString::number(accountRec)},
        {"@Posid", 0},
        {"@Memo", QString()},
        {"@szDate", QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"))},
        {"@giftTotal", 0},
        {"@UniqueBillid", billId}};
    for (const auto& [name, value] : values)
        p.Add(name, value);
    const int result = data.ExecuteProcByName(QStringLiteral("XF_CzServiceMainInsert"), p);
    return {result, p.AsString(QStringLiteral("@szBillCode"))};
}

int adjust(DataModule& data, const QString& cardNo, int changeType, int prec, int count,
           const QString& validity = {}, const QString& billId = newId()) {
    TParamObject p;
    const QList<QPair<QString, QVariant>> values = {{"@BillID", 0},
                                                    {"@CardNo", cardNo},
                                                    {"@ChangeType", changeType},
                                                    {"@ordId", 1},
                                                    {"@pRec", prec},
                                                    {"@buyTimes", count},
                                                    {"@oncePrice", 0},
                                                    {"@gainTimes", QString()},
                                                    {"@ValidityPeriod", validity},
                                                    {"@comment", QStringLiteral("盘点")},
                                                    {"@Posid", 0},
                                                    {"@ERec", 0},
                                                    {"@UniqueBillid", billId}};
    for (const auto& [name, value] : values)
        p.Add(name, value);
    return data.ExecuteProcByName(QStringLiteral("XF_CzServiceDetailInsert"), p);
}

} // namespace

class ServiceUseProceduresTest : public QObject {
    Q_OBJECT

    std::optional<TestDatabase> db;
    int cash = 0;
    int storedValue = 0;
    int item = 0;  // ladder: 10 uses at 8 (1 gift), 20 at 7 (3 gift, 30 days); 10 each below
    int plain = 0; // no ladder: 12 a use

    int card(const QString& cardNo) {
        DataModule& data = db->data();
        const int type = TestRows::addCardType(data, QStringLiteral("次卡") + cardNo);
        const int id = TestRows::addCard(data, {.cardNo = cardNo, .cardType = type, .storedValue = true});
        data.ExecuteSQL(QStringLiteral("UPDATE vipcard SET IsLife = 1, VipCzService = 1 WHERE id = ?"), {id});
        return id;
    }
    int held(const QString& where, const QVariantList& params = {}) {
        return db->data().OpenSQLAsInt(
            QStringLiteral("SELECT COALESCE(SUM(remainTimes), 0) FROM vipCardService WHERE ") + where,
            params);
    }
    void audited() {
        const QList<LedgerAudit::Mismatch> found = LedgerAudit::run(db->data().database());
        for (const LedgerAudit::Mismatch& m : found)
            qWarning() << m.cardNo << m.column << m.held << m.ledger;
        QVERIFY(found.isEmpty());
    }

private slots:
    void init() {
        db.emplace();
        DataModule& data = db->data();
        TestRows::addAccount(data, QStringLiteral("00001"), QStringLiteral("00000"), QStringLiteral("现金"));
        cash = TestRows::addAccount(data, QStringLiteral("0000100003"), QStringLiteral("00001"),
                                    QStringLiteral("储值收款"));
        storedValue = TestRows::addAccount(data, QLatin1String(ServiceAccount::MemberStoredValue),
                                           QStringLiteral("00000"), QStringLiteral("会员储值"));
        item = TestRows::addProduct(data, QStringLiteral("00001"), QStringLiteral("FW01"),
                                    QStringLiteral("足疗"));
        TestRows::addServiceItem(data, item, Money::fromUnits(10),
                                 {{10, Money::fromUnits(8), 1, -1}, {20, Money::fromUnits(7), 3, 30}});
        plain = TestRows::addProduct(data, QStringLiteral("00002"), QStringLiteral("FW02"),
                                     QStringLiteral("洗车"));
        TestRows::addServiceItem(data, plain, Money::fromText(QStringLiteral("12.5")));
    }
    void cleanup() { db.reset(); }

    // The ladder prices each count: 45 takes the rule at 20 with 3 gift uses per
    // full 20, 19 the rule at 10, 5 the item's own price; the procedure refuses a
    // price, gift or total of the caller's own.
    void saleAcrossTheLadder() {
        card(QStringLiteral("S1"));
        DataModule& data = db->data();
        const Row big = priced(data, item, 45);
        QCOMPARE(big.price, Money::fromUnits(7));
        QCOMPARE(big.gain, 6);
        QCOMPARE(big.lastDay, QDate::currentDate().addDays(30).toString(Qt::ISODate));
        const Row mid = priced(data, item, 19);
        QCOMPARE(mid.price, Money::fromUnits(8));
        QCOMPARE(mid.gain, 1);
        QCOMPARE(priced(data, item, 5).price, Money::fromUnits(10));
        QCOMPARE(priced(data, item, 5).gain, -1);

        Row cheap = big;
        cheap.price = Money::fromUnits(6);
        QCOMPARE(save(data, "S1", StoredValueChange::ServiceSale, {cheap}, cash).result, -5);
        Row greedy = big;
        greedy.gain = 9;
        QCOMPARE(save(data, "S1", StoredValueChange::ServiceSale, {greedy}, cash).result, -5);
        QCOMPARE(save(data, "S1", StoredValueChange::ServiceSale, {big}, cash, newId(), Money::fromUnits(1))
                     .result,
                 -5);
        QCOMPARE(save(data, "S1", StoredValueChange::ServiceSale, {big}, cash, newId(), Money()).result, -3);
        QCOMPARE(DbProbe::count(data, QStringLiteral("VipServiceChange")), 0);

        // Refused saves leave their staged rows; an applied one takes its own away.
        const int staged = DbProbe::count(data, QStringLiteral("VipCzSrvDetailTmp"));
        const Saved sold = save(data, "S1", StoredValueChange::ServiceSale, {big, mid}, cash);
        QCOMPARE(sold.result, 0);
        QVERIFY(sold.billCode.startsWith(QStringLiteral("FW")));
        QCOMPARE(held(QStringLiteral("ValidityPeriod IS NOT NULL")), 51);
        QCOMPARE(held(QStringLiteral("ValidityPeriod IS NULL")), 20);
        QCOMPARE(data.OpenSQLAsStr(QStringLiteral("SELECT SUM(Total) FROM vipCardService")).toLongLong(),
                 (Money::fromUnits(7 * 45 + 8 * 19)).raw());
        QCOMPARE(DbProbe::count(data, QStringLiteral("VipCzSrvDetailTmp")), staged);
        audited();
    }

    // A save retried with its id applies once and answers with the first bill; the
    // same id for another card is refused. Paid from stored value, the balance
    // moves once too, and a sale the balance does not cover is refused whole.
    void retriedSaleAppliesOnceAndStoredValuePays() {
        const int id = card(QStringLiteral("S1"));
        card(QStringLiteral("S2"));
        DataModule& data = db->data();
        Transaction deposit(data);
        QCOMPARE(VipCzLedger::post(data.database(), {.cardId = id,
                                                     .changeType = StoredValueChange::Recharge,
                                                     .amount = Money::fromUnits(100),
                                                     .gift = Money(),
                                                     .operationId = newId()}),
                 VipCzLedger::Posted);
        deposit.Commit();
        const Row ten = priced(data, item, 10);
        const QString billId = newId();
        const Saved first = save(data, "S1", StoredValueChange::ServiceSale, {ten}, storedValue, billId);
        QCOMPARE(first.result, 0);
        const Saved again = save(data, "S1", StoredValueChange::ServiceSale, {ten}, storedValue, billId);
        QCOMPARE(again.result, 0);
        QCOMPARE(again.billCode, first.billCode);
        QCOMPARE(save(data, "S2", StoredValueChange::ServiceSale, {ten}, cash, billId).result, -8);
        QCOMPARE(held(QStringLiteral("VipCardId = ?"), {id}), 11);
        QCOMPARE(data.OpenSQLAsStr(QStringLiteral("SELECT Cz FROM vipcard WHERE id = ?"), {id}).toLongLong(),
                 Money::fromUnits(20).raw());
        QCOMPARE(DbProbe::count(data, QStringLiteral("VipCzChange"),
                                QStringLiteral("ChangeType = %1").arg(StoredValueChange::ServiceSale)),
                 1);
        QCOMPARE(save(data, "S1", StoredValueChange::ServiceSale, {ten}, storedValue).result, -2);
        QCOMPARE(held(QStringLiteral("VipCardId = ?"), {id}), 11);
        audited();
    }

    // Two workstations spend the last use at once: one gets it, the other is told
    // there is none left, and the ledger still adds up.
    void lastUseGoesToOneOfTwo() {
        card(QStringLiteral("S1"));
        QCOMPARE(adjust(db->data(), "S1", StoredValueChange::UsesAdded, plain, 1), 0);
        std::atomic<int> spent = 0;
        std::atomic<int> refused = 0;
        std::atomic<int> unexpected = 0;
        const QStringList errors = RunTogether(*db, 2, [&](DataModule& data, int) {
            const int result =
                save(data, "S1", StoredValueChange::ServiceConsumption, {{plain, 1, Money(), -1, {}}}, 0)
                    .result;
            (result == 0 ? spent : result == -1 ? refused : unexpected)++;
        });
        QVERIFY2(errors.isEmpty(), qPrintable(errors.join(QLatin1Char('\n'))));
        QCOMPARE(spent.load(), 1);
        QCOMPARE(refused.load(), 1);
        QCOMPARE(unexpected.load(), 0);
        QCOMPARE(held(QStringLiteral("1 = 1")), 0);
        audited();
    }

    // Uses leave the lots that end first, never one whose last day has passed; the
    // refresh writes such a lot off; a card with valid uses is not deleted.
    void expiredLotsAreNeverSpent() {
        const int id = card(QStringLiteral("S1"));
        DataModule& data = db->data();
        const QDate today = QDate::currentDate();
        {
            Transaction transaction(data);
            VipCzLedger::lock(data.database(), id);
            VipServiceLedger ledger(data.database(),
                                    {id, StoredValueChange::UsesAdded, newId(), 0, 0, 0, {}});
            ledger.add(plain, 4, 0, Money(), Money::fromUnits(40), today.addDays(-1));
            transaction.Commit();
        }
        const QList<Row> one{{plain, 1, Money(), -1, {}}};
        QCOMPARE(save(data, "S1", StoredValueChange::ServiceConsumption, one, 0).result, -1);
        QCOMPARE(adjust(data, "S1", StoredValueChange::UsesRemoved, plain, 1), -1);
        QCOMPARE(adjust(data, "S1", StoredValueChange::UsesAdded, plain, 2,
                        today.addDays(-1).toString(Qt::ISODate) + " 00:00:00"),
                 -3);
        QCOMPARE(adjust(data, "S1", StoredValueChange::UsesAdded, plain, 2,
                        today.addDays(10).toString(Qt::ISODate) + " 00:00:00"),
                 0);
        QCOMPARE(adjust(data, "S1", StoredValueChange::UsesAdded, plain, 3), 0);
        QCOMPARE(
            save(data, "S1", StoredValueChange::ServiceConsumption, {{plain, 3, Money(), -1, {}}}, 0).result,
            0);
        QCOMPARE(held(QStringLiteral("ValidityPeriod = ?"), {today.addDays(10)}), 0);
        QCOMPARE(held(QStringLiteral("ValidityPeriod IS NULL")), 2);
        QCOMPARE(held(QStringLiteral("ValidityPeriod = ?"), {today.addDays(-1)}), 4);
        QCOMPARE(adjust(data, "S1", StoredValueChange::UsesRemoved, plain, 3), -1);

        QCOMPARE(data.ExecuteProcByName(QStringLiteral("kd_RefreshVipCardService"),
                                        {QStringLiteral("@inVipCardid")}, {id}),
                 1);
        QCOMPARE(held(QStringLiteral("ValidityPeriod = ?"), {today.addDays(-1)}), 0);
        audited();

        const auto remove = [&] {
            return data.ExecuteProcByName(QStringLiteral("Y_InsVipCard"),
                                          {QStringLiteral("@EditType"), QStringLiteral("@CardNo"),
                                           QStringLiteral("@PosID"), QStringLiteral("@ERec")},
                                          {QStringLiteral("D"), QStringLiteral("S1"), 0, 0});
        };
        QCOMPARE(remove(), CardDeleteRefusal::ServiceUses);
        QCOMPARE(save(data, "S1", StoredValueChange::ServiceSale, {priced(data, plain, 1)}, cash).result, 0);
        QCOMPARE(remove(), CardDeleteRefusal::ServiceBalance);
    }
};

QTEST_GUILESS_MAIN(ServiceUseProceduresTest)
#include "tst_ServiceUseProcedures.moc"
