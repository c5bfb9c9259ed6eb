#include "host/data/Database.h"
#include "host/db/demo/DemoData.h"
#include "host/sdk/DataModule.h"
#include "host/sdk/DbError.h"
#include "host/services/PasswordHash.h"
#include "tests/support/TestDatabase.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QTest>
#include <numeric>

namespace {

const QDate Today(2025, 6, 1);

int count(const QString& sql, const QVariantList& params = {}) {
    return dmClient().OpenSQLAsInt(sql, params);
}

QList<QStringList> table(const QString& sql, const QVariantList& params = {}) {
    ClientDataSet rows;
    dmClient().OpenSQL(sql, rows, params);
    QList<QStringList> result(rows.RecordCount());
    for (int row = 0; row < rows.RecordCount(); ++row) {
        for (int column = 0; column < rows.FieldCount(); ++column)
            result[row].append(rows.Value(row, column).toString());
    }
    return result;
}

// Rows of every table the fill writes; a table that is not there is left out.
QMap<QString, int> tableCounts(Database& db) {
    QMap<QString, int> counts;
    for (const char* table : {"posinfo",
                              "posmachine",
                              "employee",
                              "stock",
                              "atype",
                              "btype",
                              "pricelist",
                              "ptype",
                              "ptypeprice",
                              "BaseInfoProperty",
                              "loginuser",
                              "userlimit",
                              "viptype",
                              "vipAutoDiscount",
                              "PosVipType",
                              "vipcard",
                              "VipChangeInfo",
                              "VipCzChange",
                              "VipService",
                              "VipServiceRule",
                              "ETCType",
                              "ETCList",
                              "IntegralexchangeSet",
                              "VipServiceChange",
                              "CustomFieldsDefine",
                              "VipCustomFields",
                              "sysdata"}) {
        const QString name = QString::fromLatin1(table);
        if (db.tableExists(name))
            counts[name] = db.scalar(QStringLiteral("SELECT COUNT(*) FROM %1").arg(name)).toInt();
    }
    return counts;
}

// Each query counts rows that break a rule the demo data must keep.
const QStringList brokenRules = {
    // Every store has a machine and a warehouse.
    "SELECT COUNT(*) FROM posinfo p WHERE p.deleted = 0 AND (NOT EXISTS (SELECT 1 FROM posmachine m WHERE "
    "m.PosId = p.posid AND m.deleted = 0) OR NOT EXISTS (SELECT 1 FROM stock s WHERE s.PosId = p.posid AND "
    "s.deleted = 0))",
    // A points type chooses exactly one rule.
    "SELECT COUNT(*) FROM viptype WHERE AutoIntegral = 1 AND FixedIntegral + TimesIntegral + StepIntegral + "
    "PtypeIntegral + PtypePTIntegral <> 1",
    // Segmented discounts belong to tiered types, bonus bands to stored-value types.
    "SELECT COUNT(*) FROM vipAutoDiscount d, viptype t WHERE d.VipTypeId = t.CTypeId AND ((d.DisType = 1 AND "
    "t.automembertotal = 0) OR (d.DisType = 3 AND t.IsCZPreferential = 0))",
    // Product and attribute rows name what exists.
    "SELECT COUNT(*) FROM vipAutoDiscount d WHERE d.prec > 0 AND ((d.DisType = 6 AND NOT EXISTS (SELECT 1 "
    "FROM "
    "ptype p WHERE p.rec = d.prec AND p.sonnum = 0)) OR (d.DisType = 7 AND NOT EXISTS (SELECT 1 FROM "
    "BaseInfoProperty a WHERE a.rec = d.prec AND a.IDFlag = 1)))",
    // Every card, deleted or not, has the creation record the card procedure writes.
    "SELECT COUNT(*) FROM vipcard c WHERE (SELECT COUNT(*) FROM VipChangeInfo i WHERE i.Vipcardid = c.id AND "
    "i.ChangeType = 1 AND i.Memo LIKE '新建会员卡%') <> 1",
    // A card takes its type's benefits.
    "SELECT COUNT(*) FROM vipcard c, viptype t WHERE c.CardType = t.CTypeId AND (c.AutoDiscount <> "
    "t.AutoDiscount OR c.AutoIntegral <> t.AutoIntegral OR c.AutoMemberTotal <> t.automembertotal OR "
    "c.Discount <> t.Discount OR (c.VipCz = 1 AND t.IsCZPreferential = 0))",
    // Stored value and points add up; an opening balance stays below 100,000.
    "SELECT COUNT(*) FROM vipcard WHERE (VipCz = 0 AND (Cz00 <> 0 OR CzTotal <> 0 OR Cz <> 0 OR VipCzService "
    "<> 0)) OR Cz00 < 0 OR Cz00 > CzTotal OR Cz < 0 OR Cz > CzTotal OR Cz00 > 1000000000 OR CzTotal - Cz > "
    "buyTotal OR IntegralTotal < 0 OR IntegralTotal > ljIntegral OR (UsePass = 1 AND VipCz = 0)",
    // A stored-value password is kept only as its hash.
    "SELECT COUNT(*) FROM vipcard WHERE Password <> '' OR (UsePass = 1) <> (PasswordHash <> '')",
    // Franchise stores may not take an opening balance.
    "SELECT COUNT(*) FROM vipcard c, posinfo p WHERE c.ActivatePosId = p.posid AND p.PosType = 2 AND "
    "c.Cz00 <> 0",
    // Cards of a limited type were activated in one of its stores; cards not yet issued are blank.
    "SELECT COUNT(*) FROM vipcard c, viptype t WHERE c.CardType = t.CTypeId AND t.CanAllPos = 0 AND "
    "c.IsLife = 1 AND NOT EXISTS (SELECT 1 FROM PosVipType v WHERE v.viptype = t.CTypeId AND v.PosID = "
    "c.ActivatePosId)",
    "SELECT COUNT(*) FROM vipcard WHERE IsLife = 0 AND (ActivatePosId <> -1 OR Name <> '' OR Cz <> 0)",
    // An introduced member's reward is booked on the introducer's live card.
    "SELECT COUNT(*) FROM vipcard c WHERE c.JSVIPCardID > 0 AND NOT EXISTS (SELECT 1 FROM VipChangeInfo i, "
    "vipcard j WHERE i.Vipcardid = c.JSVIPCardID AND i.OfferCardID = c.id AND i.Memo LIKE '介绍新会员%' AND "
    "j.id = c.JSVIPCardID AND j.deleted = 0 AND i.ChangeTotal > 0)",
};

// Each condition picks cases the demo must show at least once.
const QStringList coveredCases = {
    // The three benefit modes: member price, member discount, both.
    "viptype WHERE IfVipPrice = 1 AND AutoDiscount = 0 AND IfVipPriceDisCount = 1",
    "viptype WHERE IfVipPrice = 0 AND AutoDiscount = 1 AND IfVipPriceDisCount = 0",
    "viptype WHERE IfVipPrice = 1 AND AutoDiscount = 1 AND IfVipPriceDisCount = 1",
    "vipAutoDiscount WHERE DisType = 1",
    "vipAutoDiscount WHERE DisType = 3",
    "vipcard WHERE deleted = 0 AND Cz > 0 AND Cz < CzTotal",
    "vipcard d WHERE d.deleted = 1 AND EXISTS (SELECT 1 FROM vipcard c WHERE c.deleted = 0 AND c.CardNo = "
    "d.CardNo)",
    "vipcard WHERE deleted = 0 AND Lose = 1",
    "vipcard WHERE deleted = 0 AND StopUse = 1",
    "vipcard WHERE deleted = 0 AND IsLife = 0",
    "vipcard WHERE deleted = 0 AND BirthType = 1",
    "vipcard WHERE deleted = 0 AND JSVIPCardID > 0",
    "vipcard WHERE deleted = 0 AND btypeid > 0",
    "vipcard WHERE deleted = 0 AND UsePass = 1",
    "VipCzChange WHERE ChangeType = 30",
    "VipCustomFields WHERE C0 <> '' AND C1 <> ''",
    // Service items: gifts per multiple and once, uses that expire.
    "VipService WHERE discountType = 1 AND EXISTS (SELECT 1 FROM VipServiceRule r WHERE r.prec = "
    "VipService.prec AND r.gainTimes > 0)",
    "VipService WHERE discountType = 2",
    "VipServiceRule WHERE ValidityDays > 0",
    // Coupon types of each kind, one voided, one with goods, one with member types.
    "ETCType WHERE TYPE = 1 AND Enabled = 3",
    "ETCType t WHERE t.TYPE = 1 AND t.Enabled = 1 AND EXISTS (SELECT 1 FROM ETCTypeGoods g WHERE g.id = "
    "t.ID)",
    "ETCType WHERE TYPE = 2 AND VIPType <> '' AND TPosID <> ''",
    "ETCType WHERE TYPE = 3 AND RangType = 1 AND SaleStart > 0",
    // Coupon cards in every state: waiting, activated, bound, stopped, partly and wholly used, voided.
    "ETCList WHERE Flag = 0 AND deleted = 0",
    "ETCList WHERE Flag = 1 AND VIPID = 0 AND IsStop = 0 AND Used = 0",
    "ETCList WHERE Flag = 1 AND VIPID > 0",
    "ETCList WHERE IsStop = 1",
    "ETCList WHERE Used = 0 AND UsedTotal > 0",
    "ETCList WHERE Used = 1",
    "ETCList WHERE Flag = 3",
};

struct Run {
    int exitCode = -1;
    QString out;
};

Run vipctl(const TestDatabase& db, QStringList args) {
    QProcess process;
    args << QStringLiteral("--db") << db.setting().text();
    process.start(QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("vipctl")), args);
    if (!process.waitForFinished(120000))
        return {};
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput())};
}

Run vipctlCheck(const TestDatabase& db) {
    return vipctl(db, {QStringLiteral("check")});
}

} // namespace

class DemoDataTest : public QObject {
    Q_OBJECT

private slots:
    void fillGivesAConsistentChain() {
        TestDatabase db;
        DemoData::fill(db.data().database(), Today);
        for (const QString& sql : brokenRules)
            QVERIFY2(count(sql) == 0, qPrintable(sql));
        for (const QString& where : coveredCases)
            QVERIFY2(count(QStringLiteral("SELECT COUNT(*) FROM ") + where) > 0, qPrintable(where));
        QCOMPARE(count(QStringLiteral("SELECT COUNT(DISTINCT ConnectType) FROM posinfo WHERE deleted = 0")),
                 2);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(DISTINCT PosType) FROM posinfo WHERE deleted = 0")), 3);

        QMap<QString, QStringList> users;
        for (const QStringList& user : table(QStringLiteral(
                 "SELECT UserCode, PasswordSalt, PasswordHash, IsAdmin FROM loginuser WHERE deleted = 0")))
            users[user[0]] = user;
        const QStringList admin = users.value(QStringLiteral("admin"));
        const QStringList cashier = users.value(QStringLiteral("cashier"));
        // The administrator's password is the one the desktop tour logs in with.
        QCOMPARE(admin.value(3), QStringLiteral("1"));
        QCOMPARE(cashier.value(3), QStringLiteral("0"));
        QVERIFY(PasswordHash::matches(cashier[1], cashier[2], QStringLiteral("123456")));
        QVERIFY(!PasswordHash::matches(cashier[1], cashier[2], QStringLiteral("admin")));
        QVERIFY(!PasswordHash::needsUpgrade(cashier[2]));
        // The cashier works the till; card types and service items are set up by a manager.
        const auto holds = [&](const QString& code, int right) {
            return count(QStringLiteral(
                             "SELECT COUNT(*) FROM userlimit l JOIN loginuser u ON u.rec = l.UserRec "
                             "WHERE u.UserCode = ? AND l.LimitNo = ?"),
                         {code, right}) == 1;
        };
        for (const int setup : {511, 677, 902}) {
            QVERIFY(!holds(QStringLiteral("cashier"), setup));
            QVERIFY(holds(QStringLiteral("manager"), setup));
        }
        QVERIFY(holds(QStringLiteral("cashier"), 160));
        // Equal passwords must not give equal hashes.
        QVERIFY(users.value(QStringLiteral("manager")).value(2) != cashier[2]);

        // Each points rule is chosen by some type, its rows exist, and no type holds
        // rows of a rule it did not choose.
        const QString withRows =
            QStringLiteral("SELECT COUNT(*) FROM viptype t WHERE t.AutoIntegral = 1 AND t.%1 = ? AND "
                           "EXISTS (SELECT 1 FROM vipAutoDiscount d WHERE d.VipTypeId = t.CTypeId "
                           "AND d.DisType = ?)");
        for (const auto& [flag, disType] : {std::pair{"FixedIntegral", 4},
                                            {"TimesIntegral", 5},
                                            {"StepIntegral", 2},
                                            {"PtypeIntegral", 6},
                                            {"PtypePTIntegral", 7}}) {
            QVERIFY2(count(withRows.arg(QLatin1String(flag)), {1, disType}) > 0, flag);
            QCOMPARE(count(withRows.arg(QLatin1String(flag)), {0, disType}), 0);
        }
        // Product and attribute rules end with a catch-all row.
        QCOMPARE(
            count(QStringLiteral("SELECT COUNT(DISTINCT DisType) FROM vipAutoDiscount WHERE prec = 0 AND "
                                 "DisType IN (6, 7)")),
            2);

        // Store lists: limited types name their stores, the others apply everywhere.
        int limited = 0;
        for (const QStringList& type :
             table(QStringLiteral("SELECT CTypeId, CanAllPos, PosNames FROM viptype"))) {
            QStringList stores;
            for (const QStringList& store :
                 table(QStringLiteral("SELECT p.PosName FROM PosVipType v, posinfo p "
                                      "WHERE v.PosID = p.posid AND v.viptype = ? "
                                      "ORDER BY p.RowIndex"),
                       {type[0].toInt()}))
                stores.append(store[0]);
            if (type[1] == QLatin1String("1")) {
                QCOMPARE(stores, QStringList());
                QCOMPARE(type[2], QStringLiteral("全部门店"));
            } else {
                ++limited;
                QVERIFY(!stores.isEmpty());
                QCOMPARE(type[2], stores.join(QLatin1Char(';')));
            }
        }
        QVERIFY(limited > 0);

        const int live = count(QStringLiteral("SELECT COUNT(*) FROM vipcard WHERE deleted = 0"));
        QVERIFY(live >= 200);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(DISTINCT CardNo) FROM vipcard WHERE deleted = 0")), live);
        QVERIFY(DemoData::summary(db.data().database()).contains(QStringLiteral("会员卡 %1 张").arg(live)));

        // Every balance equals its ledger, and the audit tells a tampered one by card and column.
        Run check = vipctlCheck(db);
        QVERIFY2(check.exitCode == 0, qPrintable(check.out));
        const QString cardNo = dmClient().OpenSQLAsStr(QStringLiteral(
            "SELECT MIN(CardNo) FROM vipcard WHERE deleted = 0 AND Cz > 0 AND IntegralTotal > 0"));
        dmClient().ExecuteSQL(
            QStringLiteral(
                "UPDATE vipcard SET Cz = Cz - 100, IntegralTotal = IntegralTotal + 1 WHERE CardNo = ? AND "
                "deleted = 0"),
            {cardNo});
        check = vipctlCheck(db);
        QCOMPARE(check.exitCode, 1);
        QCOMPARE(check.out.count(cardNo), 2);
        QVERIFY(check.out.contains(QStringLiteral("Cz ")) &&
                check.out.contains(QStringLiteral("IntegralTotal ")));
    }

    void refusesAnythingButAnEmptyDatabase() {
        {
            TestDatabase db;
            Database& database = db.data().database();
            database.execute(
                QStringLiteral("INSERT INTO sysdata (SubName, SubValue) VALUES ('VipTxDay', '3')"));
            DemoData::fill(database, Today);
            // What the administrator set before stays.
            QCOMPARE(dmClient().OpenSQLAsStr(
                         QStringLiteral("SELECT SubValue FROM sysdata WHERE SubName = 'VipTxDay'")),
                     QStringLiteral("3"));
            const QMap<QString, int> before = tableCounts(database);
            try {
                DemoData::fill(database, Today.addDays(1));
                QFAIL("a second fill was accepted");
            } catch (const DbError& error) {
                QVERIFY2(error.message().contains(QStringLiteral("会员卡")), qPrintable(error.message()));
            }
            QCOMPARE(tableCounts(database), before);
        }
        // Base data without members is somebody's real set-up, not a place for the demo.
        TestDatabase db;
        Database& database = db.data().database();
        database.execute(
            QStringLiteral("INSERT INTO loginuser (UserCode, UserName, PasswordSalt, PasswordHash) "
                           "VALUES ('boss', '老板', 's', 'h')"));
        QVERIFY_THROWS_EXCEPTION(DbError, DemoData::fill(database, Today));
        const QMap<QString, int> counts = tableCounts(database);
        QCOMPARE(counts.value(QStringLiteral("loginuser")), 1);
        QCOMPARE(std::accumulate(counts.begin(), counts.end(), 0), 1);
    }

    void failureHalfWayWritesNothing() {
        TestDatabase db;
        Database& database = db.data().database();
        // Without the change ledger the fill fails late, after stores, users and types.
        // (with the exchange tables that refer to it)
        for (const char* table : {"vipchangeexchange", "VipExchangeBill", "VipChangeInfo"})
            database.execute(QStringLiteral("DROP TABLE %1").arg(QLatin1String(table)));
        QVERIFY_THROWS_EXCEPTION(DbError, DemoData::fill(database, Today));
        for (const auto& [table, rows] : tableCounts(database).asKeyValueRange())
            QVERIFY2(rows == 0, qPrintable(table));
        QCOMPARE(database.transactionDepth(), 0);
    }

    void membersInBulkKeepTheirLedgers() {
        {
            TestDatabase db;
            const Run demo =
                vipctl(db, {QStringLiteral("demo"), QStringLiteral("--members"), QStringLiteral("0")});
            QVERIFY2(demo.exitCode == 0, qPrintable(demo.out));
            QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM vipcard")), 0);
            QVERIFY(count(QStringLiteral("SELECT COUNT(*) FROM viptype WHERE deleted = 0")) > 0);
            QVERIFY(count(QStringLiteral("SELECT COUNT(*) FROM posinfo WHERE deleted = 0")) > 0);
        }
        TestDatabase db;
        const Run demo =
            vipctl(db, {QStringLiteral("demo"), QStringLiteral("--members"), QStringLiteral("2000")});
        QVERIFY2(demo.exitCode == 0, qPrintable(demo.out));
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM vipcard WHERE deleted = 0")), 2000);
        for (const char* column : {"CardNo", "Tel", "cardid"})
            QCOMPARE(
                count(QStringLiteral("SELECT COUNT(DISTINCT %1) FROM vipcard").arg(QLatin1String(column))),
                2000);
        // Every type is held, and the shares of stored value and points are the chain's.
        QCOMPARE(count(QStringLiteral("SELECT COUNT(DISTINCT CardType) FROM vipcard")),
                 count(QStringLiteral("SELECT COUNT(*) FROM viptype WHERE deleted = 0")));
        const int storedValue =
            count(QStringLiteral("SELECT COUNT(*) FROM vipcard WHERE Cz00 > 0 OR CzTotal > 0"));
        const int points = count(QStringLiteral("SELECT COUNT(*) FROM vipcard WHERE ljIntegral > 0"));
        QVERIFY2(storedValue > 400 && storedValue < 800, qPrintable(QString::number(storedValue)));
        QVERIFY2(points > 1000 && points < 1400, qPrintable(QString::number(points)));
        QCOMPARE(count(QStringLiteral(
                     "SELECT COUNT(*) FROM vipcard WHERE Birthday <> '' AND Birthday NOT LIKE '19%' "
                     "AND Birthday NOT LIKE '20%'")),
                 0);
        const Run check = vipctlCheck(db);
        QVERIFY2(check.exitCode == 0, qPrintable(check.out));
    }
};

QTEST_GUILESS_MAIN(DemoDataTest)
#include "tst_DemoData.moc"
