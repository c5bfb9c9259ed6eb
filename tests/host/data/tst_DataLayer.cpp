#include "host/data/Database.h"
#include "host/data/StoredProcedure.h"
#include "host/sdk/DataModule.h"
#include "host/sdk/DbError.h"
#include "host/sdk/Transaction.h"
#include "tests/support/TestDatabase.h"
#include "tests/support/TestRows.h"

#include <QFile>
#include <QTest>
#include <ctime>

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

int rowCount(const QString& table) {
    return dmClient().OpenSQLAsInt(QStringLiteral("SELECT COUNT(*) FROM ") + table);
}

int setSubValue(const QString& name, const QString& value) {
    return dmClient().ExecuteProcByName(QStringLiteral("Kd_SetSubValue"), {"@szName", "@szValue"},
                                        {name, value});
}

// Moments are the store's wall-clock time. The zone is set before anything reads
// the clock, eight hours from UTC, so that a conversion to or from UTC shows.
const bool inShanghai = [] {
    qputenv("TZ", "Asia/Shanghai");
    tzset();
    return true;
}();

} // namespace

class DataLayerTest : public QObject {
    Q_OBJECT

private slots:
    void settingsProcedureStoresHostileTextVerbatimAndChecksItsCaller() {
        TestDatabase db;
        const QStringList texts = {QStringLiteral("O'Brien"), QStringLiteral("'; drop table vipcard; --"),
                                   QStringLiteral("会员\"卡\"\\%_"), QStringLiteral("  两端空格  ")};
        for (int i = 0; i < texts.size(); ++i) {
            QCOMPARE(setSubValue(QStringLiteral("k%1").arg(i), texts[i]), 0);
            QCOMPARE(subValue(QStringLiteral("k%1").arg(i)), texts[i]);
        }
        QVERIFY(db.data().database().tableExists(QStringLiteral("vipcard")));
        // Update path of the upsert, with the hostile text as the key itself.
        QCOMPARE(setSubValue(texts[1], QStringLiteral("first")), 0);
        QCOMPARE(setSubValue(texts[1], texts[0]), 0);
        QCOMPARE(subValue(texts[1]), texts[0]);
        QCOMPARE(rowCount(QStringLiteral("sysdata")), int(texts.size()) + 1);

        // A call short of a parameter, under another name's case, or with a key longer
        // than the column is refused before it writes.
        const QString name = QStringLiteral("Kd_SetSubValue");
        QVERIFY_THROWS_EXCEPTION(DbError, db.data().ExecuteProcByName(name, {"@szName"}, {"x"}));
        QVERIFY_THROWS_EXCEPTION(
            DbError, db.data().ExecuteProcByName(name.toLower(), {"@szName", "@szValue"}, {"x", "y"}));
        QVERIFY_THROWS_EXCEPTION(DbError, setSubValue(QString(61, QLatin1Char('n')), QStringLiteral("y")));
        QCOMPARE(rowCount(QStringLiteral("sysdata")), int(texts.size()) + 1);
    }

    void procedureFailingHalfWayLeavesNothing() {
        TestDatabase db;
        TParamObject params;
        const auto run = [&](const QString& name, int how) {
            params.Add(QStringLiteral("@szName"), name);
            params.Add(QStringLiteral("@How"), how);
            return db.data().ExecuteProcByName(QStringLiteral("test_HalfWay"), params);
        };
        QVERIFY_THROWS_EXCEPTION(DbError, run(QStringLiteral("thrown"), 1));
        QCOMPARE(rowCount(QStringLiteral("sysdata")), 0);
        QCOMPARE(run(QStringLiteral("refused"), 2), -3);
        QCOMPARE(rowCount(QStringLiteral("sysdata")), 0);

        // Inside a caller's transaction the failed procedure undoes only its own writes,
        // and the caller's rollback undoes the rest.
        {
            Transaction outer(db.data());
            db.data().ExecuteSQL(
                QStringLiteral("INSERT INTO sysdata (SubName, SubValue) VALUES ('outer', '1')"));
            QCOMPARE(run(QStringLiteral("refused"), 2), -3);
            QVERIFY_THROWS_EXCEPTION(DbError, run(QStringLiteral("thrown"), 1));
            QCOMPARE(subValue(QStringLiteral("outer")), QStringLiteral("1"));
            QCOMPARE(rowCount(QStringLiteral("sysdata")), 1);
        }
        QCOMPARE(rowCount(QStringLiteral("sysdata")), 0);

        QCOMPARE(run(QStringLiteral("kept"), 0), 7);
        QCOMPARE(params.AsInteger(QStringLiteral("@Written")), 1);
        QCOMPARE(subValue(QStringLiteral("kept")), QStringLiteral("written"));
    }

    void fieldsAreFoundIgnoringCase() {
        TestDatabase db;
        TestRows::addStore(db.data(),
                           {.code = QStringLiteral("001"), .name = QStringLiteral("总店"), .connectType = 1});
        ClientDataSet rows;
        db.data().OpenSQL(
            QStringLiteral("SELECT PosId, PosCode, posName, CONNECTTYPE FROM PosInfo WHERE posCode = ?"),
            rows, {QStringLiteral("001")});
        QCOMPARE(rows.RecordCount(), 1);
        QCOMPARE(rows.FieldByName(QStringLiteral("POSNAME")).AsString(), QStringLiteral("总店"));
        QCOMPARE(rows.FieldByName(QStringLiteral("connecttype")).AsInteger(), 1);
        QVERIFY_THROWS_EXCEPTION(DbError, rows.FieldByName(QStringLiteral("nosuchfield")));
        rows.Next(); // Locate must bring the cursor back to the row it finds
        QVERIFY(db.data().AdoLocate(rows, QStringLiteral("poscode;POSNAME"),
                                    {QStringLiteral("001"), QStringLiteral("总店")}));
        QCOMPARE(rows.RecNo(), 0);
        QVERIFY(!db.data().AdoLocate(rows, QStringLiteral("poscode"), {QStringLiteral("002")}));
    }

    void moneyStaysExact() {
        TestDatabase db;
        const int card = TestRows::addCard(
            db.data(), {.cardNo = QStringLiteral("1"), .cardType = TestRows::addCardType(db.data(), "t")});
        Money sum;
        Transaction t(db.data());
        for (int i = 0; i < 1000; ++i) {
            const Money step = Money::fromText(QStringLiteral("0.01"));
            sum += step;
            db.data().ExecuteSQL(QStringLiteral("UPDATE vipcard SET Cz = Cz + ? WHERE id = ?"),
                                 {QVariant::fromValue(step), card});
        }
        t.Commit();
        QCOMPARE(sum, Money::fromUnits(10));
        ClientDataSet rows;
        db.data().OpenSQL(QStringLiteral("SELECT Cz FROM vipcard WHERE id = ?"), rows, {card});
        QCOMPARE(rows.FieldByName(QStringLiteral("cz")).AsMoney(), Money::fromUnits(10));
    }

    void savepointsNestAndAFailedStatementLeavesTheConnectionUsable() {
        TestDatabase db;
        const auto add = [&](const char* name) {
            db.data().ExecuteSQL(QStringLiteral("INSERT INTO sysdata (SubName) VALUES (?)"), {name});
        };
        {
            Transaction outer(db.data());
            add("a");
            {
                Transaction inner(db.data());
                add("b");
            }
            {
                Transaction inner(db.data());
                add("c");
                inner.Commit();
            }
            outer.Commit();
        }
        QCOMPARE(db.data().OpenSQLAsStr(QStringLiteral("SELECT MIN(SubName) || MAX(SubName) FROM sysdata")),
                 QStringLiteral("ac"));
        QCOMPARE(rowCount(QStringLiteral("sysdata")), 2);
        {
            Transaction t(db.data());
            // A statement the database refuses is reported as itself, not as a lost connection.
            try {
                db.data().ExecuteSQL(QStringLiteral("INSERT INTO nosuchtable VALUES (1)"));
                QFAIL("a statement on a missing table went through");
            } catch (const DbError& e) {
                QVERIFY2(e.message().contains(QLatin1String("nosuchtable")), qPrintable(e.message()));
            }
        }
        QCOMPARE(rowCount(QStringLiteral("sysdata")), 2);
        {
            Transaction t(db.data());
            add("d");
            t.Commit();
        }
        QCOMPARE(rowCount(QStringLiteral("sysdata")), 3);
    }

    void failedCommitUndoesItsWorkAndLaterWritesLast() {
        TestDatabase db;
        Database& conn = db.data().database();
        conn.execute(QStringLiteral("CREATE TABLE t_parent (id INTEGER PRIMARY KEY)"));
        conn.execute(QStringLiteral("CREATE TABLE t_child (id INTEGER PRIMARY KEY, parent INTEGER "
                                    "REFERENCES t_parent (id) DEFERRABLE INITIALLY DEFERRED)"));
        {
            Transaction t(db.data());
            db.data().ExecuteSQL(QStringLiteral("INSERT INTO t_child (id, parent) VALUES (1, 99)"));
            // The constraint is only checked at COMMIT, which the database refuses.
            QVERIFY_THROWS_EXCEPTION(DbError, t.Commit());
            QCOMPARE(conn.transactionDepth(), 0);
        }
        {
            Transaction t(db.data());
            db.data().ExecuteSQL(QStringLiteral("INSERT INTO t_parent (id) VALUES (7)"));
            db.data().ExecuteSQL(QStringLiteral("INSERT INTO t_child (id, parent) VALUES (2, 7)"));
            t.Commit();
        }
        QCOMPARE(conn.transactionDepth(), 0);
        // What a second connection sees is what reached the disk, not what this one holds.
        const auto other = db.openAnother();
        QCOMPARE(other->OpenSQLAsInt(QStringLiteral("SELECT COUNT(*) FROM t_child")), 1);
        QCOMPARE(other->OpenSQLAsInt(QStringLiteral("SELECT parent FROM t_child")), 7);
    }

    void lostConnectionFailsOnceAndIsReopened() {
        TestDatabase db;
        if (!db.isPostgres())
            QSKIP("only a server can close a connection under the program");
        const auto admin = db.openAnother();
        const auto terminate = [&] {
            const int pid = db.data().OpenSQLAsInt(QStringLiteral("SELECT pg_backend_pid()"));
            QCOMPARE(admin->OpenSQLAsInt(QStringLiteral("SELECT pg_terminate_backend(?)"), {pid}), 1);
        };
        {
            Transaction t(db.data());
            db.data().ExecuteSQL(QStringLiteral("INSERT INTO sysdata (SubName) VALUES ('lost')"));
            terminate();
            try {
                db.data().ExecuteSQL(QStringLiteral("INSERT INTO sysdata (SubName) VALUES ('after')"));
                QFAIL("a statement on a closed connection went through");
            } catch (const DbError& e) {
                QCOMPARE(e.message(), Database::ConnectionLostText);
            }
            QVERIFY_THROWS_EXCEPTION(DbError, t.Commit());
        }
        QCOMPARE(db.data().database().transactionDepth(), 0);
        QCOMPARE(rowCount(QStringLiteral("sysdata")), 0);

        // Closed while idle: the next action starts on a fresh connection unnoticed.
        terminate();
        {
            Transaction t(db.data());
            db.data().ExecuteSQL(QStringLiteral("INSERT INTO sysdata (SubName) VALUES ('next')"));
            t.Commit();
        }
        QCOMPARE(admin->OpenSQLAsStr(QStringLiteral("SELECT SubName FROM sysdata")), QStringLiteral("next"));
    }

    void sqliteFileIsPrivateAndABusyDatabaseSaysSo() {
        TestDatabase db;
        if (db.isPostgres())
            QSKIP("a server keeps its own files and queues its writers");
        QCOMPARE(QFile::permissions(db.setting().path()) & (QFileDevice::ReadGroup | QFileDevice::ReadOther),
                 0);
        const auto other = db.openAnother();
        Transaction holding(*other);
        other->ExecuteSQL(QStringLiteral("INSERT INTO sysdata (SubName) VALUES ('other')"));
        try {
            Transaction t(db.data());
            QFAIL("a second writer got in while the first held the database");
        } catch (const DbError& e) {
            QCOMPARE(e.message(), Database::BusyText);
        }
        QCOMPARE(db.data().database().transactionDepth(), 0);
        holding.Commit();
        Transaction t(db.data());
        db.data().ExecuteSQL(QStringLiteral("INSERT INTO sysdata (SubName) VALUES ('mine')"));
        t.Commit();
        QCOMPARE(rowCount(QStringLiteral("sysdata")), 2);
    }

    void momentsRoundTripAsWallClockTime() {
        QVERIFY(inShanghai);
        QCOMPARE(QDateTime::currentDateTime().offsetFromUtc(), 8 * 3600);
        TestDatabase db;
        const QDateTime moment(QDate(2026, 3, 1), QTime(23, 30, 15));
        db.data().ExecuteSQL(
            QStringLiteral("INSERT INTO syslog (LogTime, UserRec, Kind, LogText) VALUES (?, 1, 9, '')"),
            {moment});
        QCOMPARE(db.data().OpenSQLAsInt(
                     QStringLiteral("SELECT COUNT(*) FROM syslog WHERE LogTime = '2026-03-01 23:30:15'")),
                 1);
        ClientDataSet rows;
        db.data().OpenSQL(QStringLiteral("SELECT LogTime FROM syslog WHERE LogTime > ?"), rows,
                          {moment.addSecs(-1)});
        QCOMPARE(rows.RecordCount(), 1);
        QCOMPARE(rows.FieldByName(QStringLiteral("logtime")).AsString(),
                 QStringLiteral("2026-03-01 23:30:15"));
        QCOMPARE(rows.FieldByName(QStringLiteral("logtime")).AsDate(), QDate(2026, 3, 1));
    }
};

QTEST_GUILESS_MAIN(DataLayerTest)
#include "tst_DataLayer.moc"
