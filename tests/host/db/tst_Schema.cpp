#include "host/data/Database.h"
#include "host/db/SchemaMigrator.h"
#include "host/sdk/DataModule.h"
#include "host/sdk/DbError.h"
#include "tests/support/DbProbe.h"
#include "tests/support/TestDatabase.h"
#include "tests/support/TestRows.h"

#include <QTest>

namespace {

// The card type every card of these tests belongs to.
constexpr int TypeId = 1;

void addType(DataModule& data) {
    QCOMPARE(TestRows::addCardType(data, QStringLiteral("普通卡")), TypeId);
}

void addCard(DataModule& data, const QString& cardNo, const QString& barCode = {}) {
    TestRows::addCard(data, {.cardNo = cardNo, .cardType = TypeId, .barCode = barCode});
}

} // namespace

class SchemaTest : public QObject {
    Q_OBJECT

private slots:
    void migratesOnceAndRefusesANewerDatabase() {
        TestDatabase db;
        SchemaMigrator migrator(db.data().database());
        const int latest = SchemaMigrator::latestVersion();
        QVERIFY(latest >= 1);
        // The first run (in TestDatabase) recorded every migration exactly once.
        QCOMPARE(migrator.currentVersion(), latest);
        QCOMPARE(DbProbe::count(db.data(), QStringLiteral("schema_version")), latest);
        QCOMPARE(migrator.upgrade(), 0);
        QCOMPARE(DbProbe::count(db.data(), QStringLiteral("schema_version")), latest);

        // A database written by a newer program must not be touched by this one.
        db.data().ExecuteSQL(QStringLiteral("INSERT INTO sysdata (SubName, SubValue) VALUES ('kept', '1')"));
        db.data().ExecuteSQL(QStringLiteral("INSERT INTO schema_version (version) VALUES (?)"), {latest + 1});
        try {
            migrator.upgrade();
            QFAIL("a newer database was accepted");
        } catch (const DbError& error) {
            QVERIFY2(error.message().contains(QString::number(latest + 1)), qPrintable(error.message()));
            QVERIFY2(error.message().contains(QString::number(latest)), qPrintable(error.message()));
        }
        QCOMPARE(migrator.currentVersion(), latest + 1);
        QCOMPARE(DbProbe::count(db.data(), QStringLiteral("sysdata")), 1);
    }

    void onlyLiveCardsOfAnExistingTypeKeepTheirNumberAndBarCodeToThemselves() {
        TestDatabase db;
        DataModule& data = db.data();
        QVERIFY_THROWS_EXCEPTION(DbError, addCard(data, QStringLiteral("80010001")));
        addType(data);
        addCard(data, QStringLiteral("80010001"), QStringLiteral("2900800100017"));
        // A type that cards use stays.
        QVERIFY_THROWS_EXCEPTION(DbError, data.ExecuteSQL(QStringLiteral("DELETE FROM viptype")));
        QVERIFY_THROWS_EXCEPTION(DbError, addCard(data, QStringLiteral("80010001")));

        // A deleted card gives its number and bar code back for reissue.
        data.ExecuteSQL(QStringLiteral("UPDATE vipcard SET deleted = 1 WHERE CardNo = ?"),
                        {QStringLiteral("80010001")});
        addCard(data, QStringLiteral("80010001"), QStringLiteral("2900800100017"));
        QCOMPARE(DbProbe::count(data, QStringLiteral("vipcard"), QStringLiteral("CardNo = ?"),
                                {QStringLiteral("80010001")}),
                 2);
        // ... but the deleted one cannot come back to life beside its successor.
        QVERIFY_THROWS_EXCEPTION(
            DbError, data.ExecuteSQL(QStringLiteral("UPDATE vipcard SET deleted = 0 WHERE deleted = 1")));
        QCOMPARE(DbProbe::count(data, QStringLiteral("vipcard"), QStringLiteral("deleted = 1")), 1);

        // Cards without a bar code are many; a bar code in use is not given twice.
        addCard(data, QStringLiteral("80010002"));
        addCard(data, QStringLiteral("80010003"));
        QVERIFY_THROWS_EXCEPTION(DbError,
                                 addCard(data, QStringLiteral("80010004"), QStringLiteral("2900800100017")));
        QCOMPARE(DbProbe::count(data, QStringLiteral("vipcard"), QStringLiteral("deleted = 0")), 3);
    }

    void quotedColumnsReadBackByAnySpelling() {
        // "E-Mail" and "Case" must be quoted; on PostgreSQL that also fixes their case,
        // so every statement spells them one way and readers find them ignoring case.
        TestDatabase db;
        DataModule& data = db.data();
        addType(data);
        addCard(data, QStringLiteral("80010001"));
        const QString mail = QStringLiteral("o'brien@example.com");
        const QString note = QStringLiteral("过敏\"史\"; --");
        data.ExecuteSQL(QStringLiteral("UPDATE vipcard SET \"E-Mail\" = ?, \"Case\" = ? WHERE CardNo = ?"),
                        {mail, note, QStringLiteral("80010001")});
        ClientDataSet rows;
        data.OpenSQL(QStringLiteral("SELECT * FROM vipcard WHERE CardNo = ?"), rows,
                     {QStringLiteral("80010001")});
        QCOMPARE(rows.FieldByName(QStringLiteral("e-mail")).AsString(), mail);
        QCOMPARE(rows.FieldByName(QStringLiteral("CASE")).AsString(), note);
        QCOMPARE(rows.FieldByName(QStringLiteral("PYZJM")).AsString(), QString());
        QCOMPARE(rows.FieldByName(QStringLiteral("remaintotal")).AsMoney(), Money());
    }
};

QTEST_GUILESS_MAIN(SchemaTest)
#include "tst_Schema.moc"
