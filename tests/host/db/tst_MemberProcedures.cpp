#include "host/data/Database.h"
#include "host/db/LedgerAudit.h"
#include "host/db/procedures/VipCzLedger.h"
#include "host/sdk/DataModule.h"
#include "host/sdk/DbError.h"
#include "host/sdk/Transaction.h"
#include "host/sdk/VipCodes.h"
#include "host/services/PasswordHash.h"
#include "tests/support/DbProbe.h"
#include "tests/support/TestDatabase.h"
#include "tests/support/TestRows.h"

#include <QTest>
#include <QUuid>
#include <latch>
#include <mutex>
#include <thread>

namespace {

const QDate Issued(2025, 3, 1);

// The card procedure's 39 parameters as the editor sends them for a new card.
TParamObject cardParams(const QString& cardNo, int typeId, const QList<QPair<QString, QVariant>>& more = {}) {
    TParamObject p;
    const QList<QPair<QString, QVariant>> values = {{"@EditType", "I"},
                                                    {"@CardNo", cardNo},
                                                    {"@Name", "王芳"},
                                                    {"@Tel", ""},
                                                    {"@Address", ""},
                                                    {"@Comment", ""},
                                                    {"@CardType", typeId},
                                                    {"@Discount", 95.0},
                                                    {"@BulidDate", Issued},
                                                    {"@ValidityDate", "2027-03-01"},
                                                    {"@Lose", false},
                                                    {"@StopUse", false},
                                                    {"@AutoDiscount", "1"},
                                                    {"@AutoMemberTotal", 0},
                                                    {"@AutoOneOff", 0},
                                                    {"@AutoIntegral", 1},
                                                    {"@Sex", true},
                                                    {"@Birthday", "1990-05-04"},
                                                    {"@Identitycard", ""},
                                                    {"@Email", ""},
                                                    {"@MediFeedBack", ""},
                                                    {"@case", ""},
                                                    {"@buliddate1", ""},
                                                    {"@validitydate1", ""},
                                                    {"@searchdate", ""},
                                                    {"@searchdate1", ""},
                                                    {"@cardid", QUuid::createUuid().toString()},
                                                    {"@BRec", 0},
                                                    {"@IsLife", 1},
                                                    {"@VIPBarCode", ""},
                                                    {"@JSVIPCardID", 0},
                                                    {"@PosID", 0},
                                                    {"@ERec", 0},
                                                    {"@ActivePosId", -1},
                                                    {"@BirthType", false},
                                                    {"@BirthdayCN", "1990-04-10"},
                                                    {"@IsLeapMonth", false},
                                                    {"@BuyTotal", 0},
                                                    {"@ljIntegral", 0}};
    for (const auto& [name, value] : values + more)
        p.Add(name, value);
    return p;
}

int insertCard(DataModule& data, const QString& cardNo, int typeId,
               const QList<QPair<QString, QVariant>>& more = {}) {
    TParamObject p = cardParams(cardNo, typeId, more);
    return data.ExecuteProcByName(QStringLiteral("Y_InsVipCard"), p);
}

int insertCard(const QString& cardNo, int typeId, const QList<QPair<QString, QVariant>>& more = {}) {
    return insertCard(dmClient(), cardNo, typeId, more);
}

QString guidOf(int cardId) {
    return dmClient().OpenSQLAsStr(QStringLiteral("SELECT cardid FROM vipcard WHERE id = ?"), {cardId});
}

int cardValue(int cardId, const QString& column) {
    return dmClient().OpenSQLAsInt(QStringLiteral("SELECT %1 FROM vipcard WHERE id = ?").arg(column),
                                   {cardId});
}

Money cardMoney(int cardId, const QString& column) {
    ClientDataSet rows;
    dmClient().OpenSQL(QStringLiteral("SELECT %1 FROM vipcard WHERE id = ?").arg(column), rows, {cardId});
    return rows.FieldByName(column).AsMoney();
}

int storedValue(int cardId, const QList<QPair<QString, QVariant>>& more) {
    TParamObject p;
    const QList<QPair<QString, QVariant>> values = {{"@Vipcardid", cardId},
                                                    {"@VipCz", 1},
                                                    {"@VipCzService", 0},
                                                    {"@SetOpening", 1},
                                                    {"@Cz00", 0},
                                                    {"@UsePass", 0},
                                                    {"@CzPosId", 0},
                                                    {"@IsJSReward", -1},
                                                    {"@PosID", 0},
                                                    {"@ERec", 0},
                                                    {"@OpId", QUuid::createUuid().toString()}};
    for (const auto& [name, value] : values + more)
        p.Add(name, value);
    return dmClient().ExecuteProcByName(QStringLiteral("Y_InsVipCardCz"), p);
}

// Points through the ledger procedure: its result and the row id it hands back.
QPair<int, int> changePoints(const QString& cardNo, int changeType, int points) {
    TParamObject p;
    p.Add(QStringLiteral("@CardNo"), cardNo);
    p.Add(QStringLiteral("@ChangeType"), changeType);
    p.Add(QStringLiteral("@ChangeTotal"), points);
    p.Add(QStringLiteral("@EtypeID"), QStringLiteral("nobody"));
    p.Add(QStringLiteral("@Posid"), 0);
    p.Add(QStringLiteral("@Memo"), QStringLiteral("调整"));
    p.Add(QStringLiteral("@Total"), 0);
    p.Add(QStringLiteral("@NewId"), 0, TParamObject::Output);
    const int result = dmClient().ExecuteProcByName(QStringLiteral("InsertVipTotalChangeInfo"), p);
    return {result, p.AsInteger(QStringLiteral("@NewId"))};
}

int reward(int cardId) {
    return dmClient().ExecuteProcByName(QStringLiteral("kd_VIPAddJSIntegralTotal"),
                                        {QStringLiteral("@CardID"), QStringLiteral("@PosID"),
                                         QStringLiteral("@Erec"), QStringLiteral("@ChangeType")},
                                        {cardId, 0, 0, 1});
}

int rows(const QString& table, const QString& where = {}, const QVariantList& params = {}) {
    return DbProbe::count(dmClient(), table, where, params);
}

} // namespace

class MemberProceduresTest : public QObject {
    Q_OBJECT

private slots:
    void cardsAreWrittenWithTheirCreationRowAndRefusedWhenTaken() {
        TestDatabase db;
        const int type = TestRows::addCardType(db.data(), QStringLiteral("金卡"));
        const int first = insertCard(QStringLiteral("8001"), type, {{"@VIPBarCode", "29008001"}});
        QVERIFY(first > 0);
        QCOMPARE(rows(QStringLiteral("VipChangeInfo"),
                      QStringLiteral("Vipcardid = ? AND ChangeType = 1 AND Memo = ?"),
                      {first, QStringLiteral("新建会员卡[8001]")}),
                 1);
        // Blanks around a number are no new number.
        QCOMPARE(insertCard(QStringLiteral(" 8001 "), type), -3);
        QCOMPARE(insertCard(QStringLiteral("8002"), type, {{"@VIPBarCode", "29008001"}}), -4);
        QCOMPARE(rows(QStringLiteral("vipcard")), 1);
        QCOMPARE(rows(QStringLiteral("VipChangeInfo")), 1);

        // A change moves the counter; a caller holding the old counter is refused.
        TParamObject change = cardParams(
            QStringLiteral("8001"), type,
            {{"@EditType", "U"}, {"@cardid", guidOf(first)}, {"@Tel", "13900000001"}, {"@IsUse", 0}});
        QCOMPARE(dmClient().ExecuteProcByName(QStringLiteral("Y_InsVipCard"), change), first);
        QCOMPARE(cardValue(first, QStringLiteral("IsUse")), 1);
        change.Add(QStringLiteral("@Tel"), QStringLiteral("13900000002"));
        QCOMPARE(dmClient().ExecuteProcByName(QStringLiteral("Y_InsVipCard"), change), -5);
        QCOMPARE(dmClient().OpenSQLAsStr(QStringLiteral("SELECT Tel FROM vipcard WHERE id = ?"), {first}),
                 QStringLiteral("13900000001"));
        change.Add(QStringLiteral("@cardid"), QUuid::createUuid().toString());
        QCOMPARE(dmClient().ExecuteProcByName(QStringLiteral("Y_InsVipCard"), change), -1);

        // A deleted card's number may be issued again; a lunar day that does not exist is refused.
        dmClient().ExecuteSQL(QStringLiteral("UPDATE vipcard SET deleted = 1 WHERE id = ?"), {first});
        QVERIFY(insertCard(QStringLiteral("8001"), type, {{"@VIPBarCode", "29008001"}}) > first);
        QVERIFY_THROWS_EXCEPTION(DbError, insertCard(QStringLiteral("8003"), type,
                                                     {{"@BirthType", true}, {"@BirthdayCN", "2023-13-01"}}));
    }

    void theRepeatIssueLimitCountsLiveCardsOfTheType() {
        TestDatabase db;
        const int limited = TestRows::addCardType(db.data(), QStringLiteral("金卡"), 95, {{"RepeatNum", 2}});
        const int other = TestRows::addCardType(db.data(), QStringLiteral("银卡"));
        const QPair<QString, QVariant> tel{"@Tel", "13900000001"};
        const QPair<QString, QVariant> identity{"@Identitycard", "330102199001010011"};
        QVERIFY(insertCard(QStringLiteral("1"), limited, {tel, identity}) > 0);
        const int second = insertCard(QStringLiteral("2"), limited, {tel});
        QVERIFY(second > 0);
        QCOMPARE(insertCard(QStringLiteral("3"), limited, {tel}), -2);
        // The identity number counts as well as the telephone.
        QVERIFY(insertCard(QStringLiteral("3"), limited, {identity, {"@Tel", "13900000003"}}) > 0);
        QCOMPARE(insertCard(QStringLiteral("4"), limited, {identity}), -2);
        QVERIFY(insertCard(QStringLiteral("4"), other, {tel, identity}) > 0);
        dmClient().ExecuteSQL(QStringLiteral("UPDATE vipcard SET deleted = 1 WHERE id = ?"), {second});
        QVERIFY(insertCard(QStringLiteral("5"), limited, {tel}) > 0);
    }

    void twoClerksSavingOneNumberAtOnceLeaveOneCard() {
        TestDatabase db;
        const int type = TestRows::addCardType(db.data(), QStringLiteral("金卡"));
        constexpr int Clerks = 4;
        std::latch ready(Clerks);
        std::vector<int> results(Clerks, 0);
        QStringList errors;
        std::mutex guard;
        std::vector<std::thread> clerks;
        for (int clerk = 0; clerk < Clerks; ++clerk) {
            clerks.emplace_back([&, clerk] {
                try {
                    std::unique_ptr<DataModule> data = db.openAnother();
                    ready.arrive_and_wait();
                    results[clerk] = insertCard(*data, QStringLiteral("9001"), type);
                } catch (const DbError& e) {
                    const std::lock_guard<std::mutex> lock(guard);
                    errors.append(e.message());
                }
            });
        }
        for (std::thread& clerk : clerks)
            clerk.join();
        QVERIFY2(errors.isEmpty(), qPrintable(errors.join(QLatin1Char('\n'))));
        QCOMPARE(std::count_if(results.begin(), results.end(), [](int r) { return r > 0; }), 1);
        QCOMPARE(std::count(results.begin(), results.end(), -3), Clerks - 1);
        QCOMPARE(rows(QStringLiteral("vipcard")), 1);
        QCOMPARE(rows(QStringLiteral("VipChangeInfo")), 1);
    }

    void aFailureAfterTheCardLeavesNoCard() {
        TestDatabase db;
        const int type = TestRows::addCardType(db.data(), QStringLiteral("金卡"));
        dmClient().ExecuteSQL(QStringLiteral("INSERT INTO CustomFieldsDefine (idflag, Name, DataType, "
                                             "RowIndex) VALUES (6, '家庭人数', 1, 1)"));
        {
            Transaction save(dmClient());
            const int id = insertCard(QStringLiteral("7001"), type);
            QVERIFY(id > 0);
            QCOMPARE(storedValue(id, {{"@Cz00", QVariant::fromValue(Money::fromUnits(300))}}), 0);
            QStringList names = {QStringLiteral("@IDFlag"), QStringLiteral("@cardid")};
            QVariantList values = {6, id};
            for (int i = 0; i < 20; ++i) {
                names.append(QStringLiteral("@C%1").arg(i));
                values.append(i == 0 ? QStringLiteral("三口") : QString());
            }
            QVERIFY_THROWS_EXCEPTION(
                DbError, dmClient().ExecuteProcByName(QStringLiteral("P_VipCustomChange"), names, values));
        }
        QCOMPARE(db.data().database().transactionDepth(), 0);
        for (const char* table : {"vipcard", "VipChangeInfo", "VipCzChange", "VipCustomFields"})
            QVERIFY2(rows(QLatin1String(table)) == 0, table);
    }

    void storedValueMovesOnlyWithItsLedger() {
        TestDatabase db;
        const int type = TestRows::addCardType(db.data(), QStringLiteral("金卡"));
        const int card = insertCard(QStringLiteral("6001"), type);
        QCOMPARE(storedValue(card, {{"@Cz00", QVariant::fromValue(Money::fromUnits(500))},
                                    {"@UsePass", 1},
                                    {"@Password", "012345"}}),
                 0);
        QCOMPARE(cardMoney(card, QStringLiteral("Cz")), Money::fromUnits(500));
        QCOMPARE(cardMoney(card, QStringLiteral("CzTotal")), Money::fromUnits(500));
        QCOMPARE(cardMoney(card, QStringLiteral("Cz00")), Money::fromUnits(500));
        QCOMPARE(dmClient().OpenSQLAsStr(QStringLiteral("SELECT Password FROM vipcard WHERE id = ?"), {card}),
                 QString());
        const QString hash =
            dmClient().OpenSQLAsStr(QStringLiteral("SELECT PasswordHash FROM vipcard WHERE id = ?"), {card});
        QVERIFY(PasswordHash::matches({}, hash, QStringLiteral("012345")));
        QVERIFY(!PasswordHash::matches({}, hash, QStringLiteral("012346")));

        // 400 spent at the till: the opening balance can no longer drop below 400.
        const QString spend = QUuid::createUuid().toString();
        const VipCzLedger::Posting purchase{
            card, StoredValueChange::Purchase, -Money::fromUnits(400), Money(), spend, 0,
            0,    QStringLiteral("消费")};
        QCOMPARE(VipCzLedger::post(db.data().database(), purchase), VipCzLedger::Posted);
        QCOMPARE(VipCzLedger::post(db.data().database(), purchase), VipCzLedger::AlreadyPosted);
        QCOMPARE(storedValue(card, {{"@Cz00", QVariant::fromValue(Money::fromUnits(200))}}), -2);
        QCOMPARE(cardMoney(card, QStringLiteral("Cz")), Money::fromUnits(100));
        // Unchanged settings keep the password; raising the opening balance adds the difference.
        QCOMPARE(storedValue(card, {{"@Cz00", QVariant::fromValue(Money::fromUnits(650))}, {"@UsePass", 1}}),
                 0);
        QCOMPARE(cardMoney(card, QStringLiteral("Cz")), Money::fromUnits(250));
        QCOMPARE(cardMoney(card, QStringLiteral("CzTotal")), Money::fromUnits(650));
        QCOMPARE(
            dmClient().OpenSQLAsStr(QStringLiteral("SELECT PasswordHash FROM vipcard WHERE id = ?"), {card}),
            hash);
        QCOMPARE(storedValue(card, {{"@VipCz", 0}}), -3);
        QCOMPARE(rows(QStringLiteral("VipCzChange"), QStringLiteral("Vipcardid = ?"), {card}), 3);
        QCOMPARE(LedgerAudit::run(db.data().database()).size(), 0);

        dmClient().ExecuteSQL(QStringLiteral("UPDATE vipcard SET Cz = Cz + 10000 WHERE id = ?"), {card});
        const QList<LedgerAudit::Mismatch> found = LedgerAudit::run(db.data().database());
        QCOMPARE(found.size(), 1);
        QCOMPARE(found[0].cardNo, QStringLiteral("6001"));
        QCOMPARE(found[0].column, QStringLiteral("Cz"));
    }

    void pointsNeverGoBelowZero() {
        TestDatabase db;
        const int type = TestRows::addCardType(db.data(), QStringLiteral("金卡"));
        const int card = insertCard(QStringLiteral("5001"), type);
        const auto added = changePoints(QStringLiteral("5001"), PointsChange::Added, 100);
        QCOMPARE(added.first, 0);
        QVERIFY(added.second > 0);
        QCOMPARE(changePoints(QStringLiteral("5001"), PointsChange::Deducted, 101), qMakePair(-2, 0));
        QCOMPARE(changePoints(QStringLiteral("5999"), PointsChange::Added, 1), qMakePair(-1, 0));
        const auto exchanged = changePoints(QStringLiteral("5001"), PointsChange::Cash, 40);
        QCOMPARE(
            dmClient().OpenSQLAsInt(QStringLiteral("SELECT ChangeType FROM VipChangeInfo WHERE BillId = ?"),
                                    {exchanged.second}),
            PointsChange::Cash + 1);
        QCOMPARE(cardValue(card, QStringLiteral("IntegralTotal")), 60);
        QCOMPARE(cardValue(card, QStringLiteral("ljIntegral")), 100);
        // An exchange's points change without the rules it used is named by the check.
        const QList<LedgerAudit::Mismatch> found = LedgerAudit::run(db.data().database());
        QCOMPARE(found.size(), 1);
        QCOMPARE(found[0].cardNo, QStringLiteral("5001"));
        QCOMPARE(found[0].held, 40);
        QCOMPARE(found[0].ledger, 0);
    }

    void anIntroducerIsRewardedOnceWithinItsTypesLimits() {
        TestDatabase db;
        const int type = TestRows::addCardType(db.data(), QStringLiteral("金卡"), 95,
                                               {{"IsIntroduceJS", 1},
                                                {"IntroducerJS", 100.0},
                                                {"NewMemberJS", 50.0},
                                                {"IntroduceJSLimitNum", 1},
                                                {"LimitDays", 30}});
        const int introducer = insertCard(QStringLiteral("4001"), type);
        const int first = insertCard(QStringLiteral("4002"), type,
                                     {{"@JSVIPCardID", introducer}, {"@BulidDate", Issued.addDays(30)}});
        QCOMPARE(reward(first), 0);
        QCOMPARE(reward(first), 0);
        QCOMPARE(cardValue(introducer, QStringLiteral("IntegralTotal")), 100);
        QCOMPARE(cardValue(first, QStringLiteral("IntegralTotal")), 50);
        QCOMPARE(cardValue(first, QStringLiteral("IsJSReward")), 1);
        QCOMPARE(rows(QStringLiteral("VipChangeInfo"),
                      QStringLiteral("Vipcardid = ? AND OfferCardID = ? AND Memo = ?"),
                      {introducer, first, QStringLiteral("介绍新会员[4002]")}),
                 1);
        // The limit of one rewarded introduction is used up.
        const int second = insertCard(QStringLiteral("4003"), type, {{"@JSVIPCardID", introducer}});
        QCOMPARE(reward(second), 0);
        QCOMPARE(cardValue(introducer, QStringLiteral("IntegralTotal")), 100);
        QCOMPARE(cardValue(second, QStringLiteral("IsJSReward")), 2);
        // A card issued after the reward period earns its introducer nothing.
        const int other = insertCard(QStringLiteral("4004"), type);
        const int late = insertCard(QStringLiteral("4005"), type,
                                    {{"@JSVIPCardID", other}, {"@BulidDate", Issued.addDays(31)}});
        QCOMPARE(reward(late), 0);
        QCOMPARE(cardValue(other, QStringLiteral("IntegralTotal")), 0);
        QCOMPARE(LedgerAudit::run(db.data().database()).size(), 0);
    }

    void lookupsFindLiveCardsAndTakeWildcardsLiterally() {
        TestDatabase db;
        const int type = TestRows::addCardType(db.data(), QStringLiteral("金卡"));
        insertCard(QStringLiteral("A100"), type, {{"@VIPBarCode", "2900100"}});
        insertCard(QStringLiteral("B100"), type);
        const int gone = insertCard(QStringLiteral("C100"), type);
        dmClient().ExecuteSQL(QStringLiteral("UPDATE vipcard SET deleted = 1 WHERE id = ?"), {gone});
        const auto query = [&](const QString& number) {
            ClientDataSet found;
            QStringList names = {QStringLiteral("@VIPName"), QStringLiteral("@VIPNO"),
                                 QStringLiteral("@VIPType"), QStringLiteral("@nPosRec"),
                                 QStringLiteral("@OnlyOne")};
            QVariantList values = {QString(), number, 0, 0, 0};
            for (const char* date : {"@vipsearchdate", "@vipsearchdate1", "@VIPFKDate", "@VIPFKDate1",
                                     "@VIPYxDate", "@VIPYxDate1"}) {
                names.append(QLatin1String(date));
                values.append(QStringLiteral("1900-01-01"));
            }
            dmClient().OpenProcByName(QStringLiteral("XF_VipQuery"), names, values, found);
            return found.RecordCount();
        };
        QCOMPARE(query(QStringLiteral("100")), 2);
        QCOMPARE(query(QStringLiteral("%")), 0);
        QCOMPARE(query(QStringLiteral("_100")), 0);
        ClientDataSet byBarCode;
        dmClient().OpenProcByName(QStringLiteral("kd_GetVipCardCount"),
                                  {QStringLiteral("@VipCardNo"), QStringLiteral("@PosID")},
                                  {QStringLiteral("2900100"), 0}, byBarCode);
        QCOMPARE(byBarCode.RecordCount(), 1);
        QCOMPARE(byBarCode.FieldByName(QStringLiteral("CardNo")).AsString(), QStringLiteral("A100"));
    }
};

QTEST_GUILESS_MAIN(MemberProceduresTest)
#include "tst_MemberProcedures.moc"
