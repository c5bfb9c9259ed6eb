#include "host/data/Database.h"
#include "host/data/StoredProcedure.h"
#include "host/sdk/DataModule.h"
#include "host/sdk/DbError.h"
#include "host/sdk/Transaction.h"
#include "tests/support/TestDatabase.h"

#include <QTest>

namespace {

// A procedure that writes, then fails the way its caller tells it to.
int halfWayFailure(ProcedureContext& call) {
    call.db().execute(QStringLiteral("INSERT INTO sysdata (SubName, SubValue) VALUES (?, ?)"),
                      {call.text(QStringLiteral("@szName")), QStringLiteral("written")});
    if (call.integer(QStringLiteral("@How")) == 1)
        throw DbError(QStringLiteral("failure after the first write"));
    call.setOutput(QStringLiteral("@Written"), 1);
    return call.integer(QStringLiteral("@How")) == 2 ? -3 : 7;
}
const ProcedureRegistration registration(QStringLiteral("test_HalfWay"), halfWayFailure);

QString subValue(const QString& name) {
    return dmClient().OpenSQLAsStr(QStringLiteral("SELECT SubValue FROM sysdata WHERE SubName = ?"), {name});
}

} // namespace

class DataLayerTest : public QObject {
    Q_OBJECT

private slots:
    void hostileTextIsStoredVerbatim() {
        TestDatabase db;
        const QStringList texts = {QStringLiteral("O'Brien"), QStringLiteral("'; drop table vipcard; --"),
                                   QStringLiteral("会员\"卡\"\\%_"), QStringLiteral("  两端空格  ")};
        for (int i = 0; i < texts.size(); ++i) {
            const QString name = QStringLiteral("k%1").arg(i);
            QCOMPARE(db.data().ExecuteProcByName(QStringLiteral("Kd_SetSubValue"),
                                                 {QStringLiteral("@szName"), QStringLiteral("@szValue")},
                                                 {name, texts[i]}),
                     0);
            QCOMPARE(subValue(name), texts[i]);
        }
        QVERIFY(db.data().database().tableExists(QStringLiteral("vipcard")));
        // Update path of the upsert, with the hostile text as the key itself.
        TParamObject params;
        params.Add(QStringLiteral("@szName"), texts[1]);
        params.Add(QStringLiteral("@szValue"), QStringLiteral("first"));
        QCOMPARE(db.data().ExecuteProcByName(QStringLiteral("Kd_SetSubValue"), params), 0);
        params.Add(QStringLiteral("@szValue"), texts[0]);
        QCOMPARE(db.data().ExecuteProcByName(QStringLiteral("Kd_SetSubValue"), params), 0);
        QCOMPARE(subValue(texts[1]), texts[0]);
        QCOMPARE(db.data().OpenSQLAsInt(QStringLiteral("SELECT COUNT(*) FROM sysdata WHERE SubName = ?"), {texts[1]}),
                 1);
    }

    void procedureFailingHalfWayLeavesNothing() {
        TestDatabase db;
        TParamObject params;
        params.Add(QStringLiteral("@szName"), QStringLiteral("thrown"));
        params.Add(QStringLiteral("@How"), 1);
        QVERIFY_THROWS_EXCEPTION(DbError, db.data().ExecuteProcByName(QStringLiteral("test_HalfWay"), params));
        QCOMPARE(db.data().OpenSQLAsInt(QStringLiteral("SELECT COUNT(*) FROM sysdata")), 0);

        params.Add(QStringLiteral("@szName"), QStringLiteral("refused"));
        params.Add(QStringLiteral("@How"), 2);
        QCOMPARE(db.data().ExecuteProcByName(QStringLiteral("test_HalfWay"), params), -3);
        QCOMPARE(db.data().OpenSQLAsInt(QStringLiteral("SELECT COUNT(*) FROM sysdata")), 0);

        // Inside a caller's transaction the failed procedure undoes only its own writes,
        // and the caller's rollback undoes the rest.
        {
            Transaction outer(db.data());
            db.data().ExecuteSQL(QStringLiteral("INSERT INTO sysdata (SubName, SubValue) VALUES ('outer', '1')"));
            QCOMPARE(db.data().ExecuteProcByName(QStringLiteral("test_HalfWay"), params), -3);
            QCOMPARE(subValue(QStringLiteral("outer")), QStringLiteral("1"));
            QCOMPARE(subValue(QStringLiteral("refused")), QString());
        }
        QCOMPARE(db.data().OpenSQLAsInt(QStringLiteral("SELECT COUNT(*) FROM sysdata")), 0);

        params.Add(QStringLiteral("@szName"), QStringLiteral("kept"));
        params.Add(QStringLiteral("@How"), 0);
        QCOMPARE(db.data().ExecuteProcByName(QStringLiteral("test_HalfWay"), params), 7);
        QCOMPARE(params.AsInteger(QStringLiteral("@Written")), 1);
        QCOMPARE(subValue(QStringLiteral("kept")), QStringLiteral("written"));
    }

    void procedureChecksItsCaller() {
        TestDatabase db;
        QVERIFY_THROWS_EXCEPTION(DbError, db.data().ExecuteProcByName(QStringLiteral("Kd_SetSubValue"),
                                                                      {QStringLiteral("@szName")}, {QStringLiteral("x")}));
        QVERIFY_THROWS_EXCEPTION(DbError, db.data().ExecuteProcByName(QStringLiteral("kd_setsubvalue"),
                                                                      {QStringLiteral("@szName"), QStringLiteral("@szValue")},
                                                                      {QStringLiteral("x"), QStringLiteral("y")}));
        QVERIFY_THROWS_EXCEPTION(DbError, db.data().ExecuteProcByName(QStringLiteral("Kd_SetSubValue"),
                                                                      {QStringLiteral("@szName"), QStringLiteral("@szValue")},
                                                                      {QString(61, QLatin1Char('n')), QStringLiteral("y")}));
        QCOMPARE(db.data().OpenSQLAsInt(QStringLiteral("SELECT COUNT(*) FROM sysdata")), 0);
    }

    void fieldsAreFoundIgnoringCase() {
        TestDatabase db;
        db.data().ExecuteSQL(QStringLiteral("INSERT INTO posinfo (PosCode, PosName, ConnectType) VALUES (?, ?, ?)"),
                             {QStringLiteral("001"), QStringLiteral("总店"), 1});
        ClientDataSet rows;
        db.data().OpenSQL(QStringLiteral("SELECT PosId, PosCode, posName, CONNECTTYPE FROM PosInfo WHERE posCode = ?"), rows,
                          {QStringLiteral("001")});
        QCOMPARE(rows.RecordCount(), 1);
        QCOMPARE(rows.FieldByName(QStringLiteral("POSNAME")).AsString(), QStringLiteral("总店"));
        QCOMPARE(rows.FieldByName(QStringLiteral("connecttype")).AsInteger(), 1);
        QVERIFY(rows.FieldByName(QStringLiteral("posid")).AsInteger() > 0);
        QVERIFY_THROWS_EXCEPTION(DbError, rows.FieldByName(QStringLiteral("nosuchfield")));
        rows.Next();
        QVERIFY(rows.Eof());
        QVERIFY(db.data().AdoLocate(rows, QStringLiteral("poscode;POSNAME"), {QStringLiteral("001"), QStringLiteral("总店")}));
        QCOMPARE(rows.RecNo(), 0);
        QVERIFY(!db.data().AdoLocate(rows, QStringLiteral("poscode"), {QStringLiteral("002")}));
    }

    void moneyStaysExact() {
        TestDatabase db;
        db.data().ExecuteSQL(QStringLiteral("INSERT INTO posinfo (PosCode, PosName) VALUES ('1', 'p')"));
        db.data().ExecuteSQL(QStringLiteral("INSERT INTO viptype (TypeName) VALUES ('t')"));
        db.data().ExecuteSQL(QStringLiteral("INSERT INTO vipcard (cardid, CardNo, CardType, BulidDate, ValidityDate) "
                                            "VALUES ('{1}', '1', 1, ?, ?)"),
                             {QDate(2026, 1, 1), QDate(2027, 1, 1)});
        Money sum;
        Transaction t(db.data());
        for (int i = 0; i < 1000; ++i) {
            const Money step = Money::fromText(QStringLiteral("0.01"));
            sum += step;
            db.data().ExecuteSQL(QStringLiteral("UPDATE vipcard SET Cz = Cz + ? WHERE id = 1"), {QVariant::fromValue(step)});
        }
        t.Commit();
        QCOMPARE(sum, Money::fromUnits(10));
        ClientDataSet rows;
        db.data().OpenSQL(QStringLiteral("SELECT Cz FROM vipcard WHERE id = 1"), rows);
        QCOMPARE(rows.FieldByName(QStringLiteral("cz")).AsMoney(), Money::fromUnits(10));
        QCOMPARE(rows.FieldByName(QStringLiteral("cz")).AsMoney().toString(), QStringLiteral("10.00"));
    }

    void moneyReadsTextTheHostsWay_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");
        QTest::newRow("plain") << "12.5" << "12.50";
        QTest::newRow("separators") << " 1,234.567 " << "1234.57";
        QTest::newRow("negative half rounds away") << "-0.005" << "-0.01";
        QTest::newRow("fifth decimal rounds") << "0.00005" << "0.00";
        QTest::newRow("not a number") << "12a" << "0.00";
        QTest::newRow("empty") << "" << "0.00";
        QTest::newRow("lone point") << "." << "0.00";
        QTest::newRow("full width digits") << "１２" << "0.00";
    }
    void moneyReadsTextTheHostsWay() {
        QFETCH(QString, text);
        QFETCH(QString, shown);
        QCOMPARE(Money::fromText(text).toString(), shown);
    }

    void savepointsNest() {
        TestDatabase db;
        Transaction outer(db.data());
        db.data().ExecuteSQL(QStringLiteral("INSERT INTO sysdata (SubName) VALUES ('a')"));
        {
            Transaction inner(db.data());
            db.data().ExecuteSQL(QStringLiteral("INSERT INTO sysdata (SubName) VALUES ('b')"));
        }
        {
            Transaction inner(db.data());
            db.data().ExecuteSQL(QStringLiteral("INSERT INTO sysdata (SubName) VALUES ('c')"));
            inner.Commit();
        }
        outer.Commit();
        QCOMPARE(db.data().OpenSQLAsStr(QStringLiteral("SELECT MIN(SubName) || MAX(SubName) FROM sysdata")),
                 QStringLiteral("ac"));
        QCOMPARE(db.data().OpenSQLAsInt(QStringLiteral("SELECT COUNT(*) FROM sysdata")), 2);
    }

    void failedStatementKeepsConnectionUsable() {
        TestDatabase db;
        {
            Transaction t(db.data());
            QVERIFY_THROWS_EXCEPTION(DbError, db.data().ExecuteSQL(QStringLiteral("INSERT INTO nosuchtable VALUES (1)")));
        }
        QCOMPARE(db.data().OpenSQLAsInt(QStringLiteral("SELECT COUNT(*) FROM sysdata")), 0);
    }
};

QTEST_GUILESS_MAIN(DataLayerTest)
#include "tst_DataLayer.moc"
