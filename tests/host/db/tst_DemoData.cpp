#include "host/data/Database.h"
#include "host/db/demo/DemoData.h"
#include "host/sdk/DataModule.h"
#include "host/sdk/DbError.h"
#include "host/services/PasswordHash.h"
#include "tests/support/TestDatabase.h"

#include <QTest>

namespace {

const QDate Today(2025, 6, 1);

int count(const QString& sql, const QVariantList& params = {}) {
    return dmClient().OpenSQLAsInt(sql, params);
}

ClientDataSet rows(const QString& sql, const QVariantList& params = {}) {
    ClientDataSet result;
    dmClient().OpenSQL(sql, result, params);
    return result;
}

QMap<QString, int> tableCounts(Database& db) {
    QMap<QString, int> counts;
    for (const char* table : {"posinfo", "posmachine", "employee", "stock", "atype", "btype", "pricelist",
                              "ptype", "ptypeprice", "BaseInfoProperty", "loginuser", "userlimit", "viptype",
                              "vipAutoDiscount", "PosVipType", "vipcard", "VipChangeInfo", "sysdata"}) {
        const QString name = QString::fromLatin1(table);
        counts[name] = db.scalar(QStringLiteral("SELECT COUNT(*) FROM %1").arg(name)).toInt();
    }
    return counts;
}

} // namespace

class DemoDataTest : public QObject {
    Q_OBJECT

private slots:
    void fillGivesAConsistentChain() {
        TestDatabase db;
        DemoData::fill(db.data().database(), Today);

        QCOMPARE(count(QStringLiteral("SELECT COUNT(DISTINCT ConnectType) FROM posinfo WHERE deleted = 0")),
                 2);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(DISTINCT PosType) FROM posinfo WHERE deleted = 0")), 3);
        QCOMPARE(count(QStringLiteral(
                     "SELECT COUNT(*) FROM posinfo p WHERE p.deleted = 0 AND NOT EXISTS (SELECT 1 "
                     "FROM posmachine m WHERE m.PosId = p.posid AND m.deleted = 0)")),
                 0);
        QCOMPARE(count(QStringLiteral(
                     "SELECT COUNT(*) FROM posinfo p WHERE p.deleted = 0 AND NOT EXISTS (SELECT 1 "
                     "FROM stock s WHERE s.PosId = p.posid AND s.deleted = 0)")),
                 0);


        ClientDataSet users =
            rows(QStringLiteral("SELECT UserCode, PasswordSalt, PasswordHash, IsAdmin FROM loginuser "
                                "WHERE deleted = 0 ORDER BY UserCode"));
        QMap<QString, QStringList> byCode;
        for (int row = 0; row < users.RecordCount(); ++row) {
            byCode[users.Value(row, 0).toString()] = {users.Value(row, 1).toString(),
                                                      users.Value(row, 2).toString(),
                                                      users.Value(row, 3).toString()};
        }
        QVERIFY(byCode.contains(QStringLiteral("admin")) && byCode.contains(QStringLiteral("cashier")));
        const QStringList admin = byCode[QStringLiteral("admin")];
        const QStringList cashier = byCode[QStringLiteral("cashier")];
        QCOMPARE(admin[2], QStringLiteral("1"));
        QCOMPARE(cashier[2], QStringLiteral("0"));
        QVERIFY(PasswordHash::matches(admin[0], admin[1], QStringLiteral("admin")));
        QVERIFY(PasswordHash::matches(cashier[0], cashier[1], QStringLiteral("123456")));
        QVERIFY(!PasswordHash::matches(cashier[0], cashier[1], QStringLiteral("admin")));
        // Equal passwords must not give equal hashes.
        QVERIFY(byCode[QStringLiteral("manager")][1] != cashier[1]);

        // The three benefit modes: member price, member discount, both.
        for (const auto& [vipPrice, discount, priceDiscount] : {std::tuple{1, 0, 1}, {0, 1, 0}, {1, 1, 1}}) {
            QVERIFY(
                count(QStringLiteral("SELECT COUNT(*) FROM viptype WHERE IfVipPrice = ? AND AutoDiscount = ? "
                                     "AND IfVipPriceDisCount = ?"),
                      {vipPrice, discount, priceDiscount}) > 0);
        }
        // Each points rule is chosen by some type, its rows exist, and no type holds
        // rows of a rule it did not choose.
        const QList<QPair<QString, int>> pointRules = {{QStringLiteral("FixedIntegral"), 4},
                                                       {QStringLiteral("TimesIntegral"), 5},
                                                       {QStringLiteral("StepIntegral"), 2},
                                                       {QStringLiteral("PtypeIntegral"), 6},
                                                       {QStringLiteral("PtypePTIntegral"), 7}};
        const QString withRows =
            QStringLiteral("SELECT COUNT(*) FROM viptype t WHERE t.AutoIntegral = 1 AND t.%1 = ? AND "
                           "EXISTS (SELECT 1 FROM vipAutoDiscount d WHERE d.VipTypeId = t.CTypeId "
                           "AND d.DisType = ?)");
        for (const auto& [flag, disType] : pointRules) {
            QVERIFY2(count(withRows.arg(flag), {1, disType}) > 0, qPrintable(flag));
            QCOMPARE(count(withRows.arg(flag), {0, disType}), 0);
        }
        QCOMPARE(
            count(QStringLiteral("SELECT COUNT(*) FROM viptype WHERE AutoIntegral = 1 AND FixedIntegral + "
                                 "TimesIntegral + StepIntegral + PtypeIntegral + PtypePTIntegral <> 1")),
            0);
        // Segmented discounts belong to tiered types, bonus bands to stored-value types.
        QVERIFY(count(QStringLiteral("SELECT COUNT(*) FROM vipAutoDiscount WHERE DisType = 1")) > 0);
        QVERIFY(count(QStringLiteral("SELECT COUNT(*) FROM vipAutoDiscount WHERE DisType = 3")) > 0);
        QCOMPARE(count(QStringLiteral(
                     "SELECT COUNT(*) FROM vipAutoDiscount d, viptype t WHERE d.VipTypeId = t.CTypeId "
                     "AND ((d.DisType = 1 AND t.automembertotal = 0) OR "
                     "(d.DisType = 3 AND t.IsCZPreferential = 0))")),
                 0);
        // Product and attribute rows name what exists and end with a catch-all row.
        QCOMPARE(count(QStringLiteral(
                     "SELECT COUNT(*) FROM vipAutoDiscount d WHERE d.prec > 0 AND ((d.DisType = 6 AND "
                     "NOT EXISTS (SELECT 1 FROM ptype p WHERE p.rec = d.prec AND p.sonnum = 0)) OR "
                     "(d.DisType = 7 AND NOT EXISTS (SELECT 1 FROM BaseInfoProperty a WHERE "
                     "a.rec = d.prec AND a.IDFlag = 1)))")),
                 0);
        QCOMPARE(
            count(QStringLiteral("SELECT COUNT(DISTINCT DisType) FROM vipAutoDiscount WHERE prec = 0 AND "
                                 "DisType IN (6, 7)")),
            2);

        // Store lists: limited types name their stores, the others apply everywhere.
        ClientDataSet types =
            rows(QStringLiteral("SELECT CTypeId, CanAllPos, PosNames FROM viptype ORDER BY CTypeId"));
        int limited = 0;
        for (int row = 0; row < types.RecordCount(); ++row) {
            ClientDataSet stores =
                rows(QStringLiteral("SELECT p.PosName FROM PosVipType v, posinfo p WHERE "
                                    "v.PosID = p.posid AND v.viptype = ? ORDER BY p.RowIndex"),
                     {types.Value(row, 0)});
            QStringList names;
            for (int s = 0; s < stores.RecordCount(); ++s)
                names.append(stores.Value(s, 0).toString());
            if (types.Value(row, 1).toInt() == 1) {
                QCOMPARE(names, QStringList());
                QCOMPARE(types.Value(row, 2).toString(), QStringLiteral("全部门店"));
            } else {
                ++limited;
                QVERIFY(!names.isEmpty());
                QCOMPARE(types.Value(row, 2).toString(), names.join(QLatin1Char(';')));
            }
        }
        QVERIFY(limited > 0);

        const int live = count(QStringLiteral("SELECT COUNT(*) FROM vipcard WHERE deleted = 0"));
        QVERIFY(live >= 200);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(DISTINCT CardNo) FROM vipcard WHERE deleted = 0")), live);
        QVERIFY(count(QStringLiteral(
                    "SELECT COUNT(*) FROM vipcard d WHERE d.deleted = 1 AND EXISTS (SELECT 1 FROM "
                    "vipcard c WHERE c.deleted = 0 AND c.CardNo = d.CardNo)")) > 0);
        QVERIFY(DemoData::summary(db.data().database()).contains(QStringLiteral("会员卡 %1 张").arg(live)));

        // Every card, deleted or not, has the creation record the card procedure writes.
        QCOMPARE(count(QStringLiteral(
                           "SELECT COUNT(*) FROM vipcard c WHERE (SELECT COUNT(*) FROM VipChangeInfo i WHERE "
                           "i.Vipcardid = c.id AND i.ChangeType = 1 AND i.Memo LIKE ?) <> 1"),
                       {QStringLiteral("新建会员卡%")}),
                 0);
        QCOMPARE(
            count(QStringLiteral("SELECT COUNT(*) FROM vipcard c, viptype t WHERE c.CardType = t.CTypeId AND "
                                 "(c.AutoDiscount <> t.AutoDiscount OR c.AutoIntegral <> t.AutoIntegral OR "
                                 "c.AutoMemberTotal <> t.automembertotal OR c.Discount <> t.Discount)")),
            0);

        // Stored value and points add up.
        QCOMPARE(count(QStringLiteral(
                           "SELECT COUNT(*) FROM vipcard WHERE (VipCz = 0 AND (Cz00 <> 0 OR CzTotal <> 0 OR "
                           "Cz <> 0 OR VipCzService <> 0)) OR Cz00 < 0 OR Cz00 > CzTotal OR Cz < 0 OR "
                           "Cz > CzTotal OR Cz00 > ? OR CzTotal - Cz > buyTotal OR IntegralTotal < 0 OR "
                           "IntegralTotal > ljIntegral OR (UsePass = 1 AND VipCz = 0)"),
                       {QVariant::fromValue(Money::fromUnits(100000))}),
                 0);
        QVERIFY(count(QStringLiteral(
                    "SELECT COUNT(*) FROM vipcard WHERE deleted = 0 AND Cz > 0 AND Cz < CzTotal")) > 0);
        QCOMPARE(
            count(QStringLiteral("SELECT COUNT(*) FROM vipcard c, viptype t WHERE c.CardType = t.CTypeId AND "
                                 "c.VipCz = 1 AND t.IsCZPreferential = 0")),
            0);
        // Franchise stores may not take an opening balance.
        QCOMPARE(count(QStringLiteral(
                     "SELECT COUNT(*) FROM vipcard c, posinfo p WHERE c.ActivatePosId = p.posid AND "
                     "p.PosType = 2 AND c.Cz00 <> 0")),
                 0);
        // Cards of a limited type were activated in one of its stores.
        QCOMPARE(count(QStringLiteral(
                     "SELECT COUNT(*) FROM vipcard c, viptype t WHERE c.CardType = t.CTypeId AND "
                     "t.CanAllPos = 0 AND c.IsLife = 1 AND NOT EXISTS (SELECT 1 FROM PosVipType v "
                     "WHERE v.viptype = t.CTypeId AND v.PosID = c.ActivatePosId)")),
                 0);
        QCOMPARE(
            count(QStringLiteral("SELECT COUNT(*) FROM vipcard WHERE IsLife = 0 AND (ActivatePosId <> -1 OR "
                                 "Name <> '' OR Cz <> 0)")),
            0);
        for (const QString& state : {QStringLiteral("Lose = 1"), QStringLiteral("StopUse = 1"),
                                     QStringLiteral("IsLife = 0"), QStringLiteral("BirthType = 1"),
                                     QStringLiteral("JSVIPCardID > 0"), QStringLiteral("btypeid > 0")}) {
            QVERIFY2(count(QStringLiteral("SELECT COUNT(*) FROM vipcard WHERE deleted = 0 AND ") + state) > 0,
                     qPrintable(state));
        }
        // An introduced member's reward is booked on the introducer's card.
        QCOMPARE(count(QStringLiteral(
                           "SELECT COUNT(*) FROM vipcard c WHERE c.JSVIPCardID > 0 AND NOT EXISTS (SELECT 1 "
                           "FROM VipChangeInfo i, vipcard j WHERE i.Vipcardid = c.JSVIPCardID AND "
                           "i.OfferCardID = c.id AND i.Memo LIKE ? AND j.id = c.JSVIPCardID AND "
                           "j.deleted = 0 AND i.ChangeTotal > 0)"),
                       {QStringLiteral("介绍新会员%")}),
                 0);
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
        {
            // Base data without members is somebody's real set-up, not a place for the demo.
            TestDatabase db;
            Database& database = db.data().database();
            database.execute(
                QStringLiteral("INSERT INTO loginuser (UserCode, UserName, PasswordSalt, PasswordHash) "
                               "VALUES ('boss', '老板', 's', 'h')"));
            QVERIFY_THROWS_EXCEPTION(DbError, DemoData::fill(database, Today));
            QMap<QString, int> expected;
            for (const QString& table : tableCounts(database).keys())
                expected[table] = table == QLatin1String("loginuser") ? 1 : 0;
            QCOMPARE(tableCounts(database), expected);
        }
    }

    void failureHalfWayWritesNothing() {
        TestDatabase db;
        Database& database = db.data().database();
        // Without the change ledger the fill fails late, after stores, users and types.
        database.execute(QStringLiteral("DROP TABLE VipChangeInfo"));
        QVERIFY_THROWS_EXCEPTION(DbError, DemoData::fill(database, Today));
        for (const char* table : {"posinfo", "posmachine", "ptype", "pricelist", "loginuser", "userlimit",
                                  "viptype", "vipAutoDiscount", "vipcard", "sysdata"}) {
            QCOMPARE(
                database.scalar(QStringLiteral("SELECT COUNT(*) FROM %1").arg(QString::fromLatin1(table)))
                    .toInt(),
                0);
        }
        QCOMPARE(database.transactionDepth(), 0);
    }
};

QTEST_GUILESS_MAIN(DemoDataTest)
#include "tst_DemoData.moc"
