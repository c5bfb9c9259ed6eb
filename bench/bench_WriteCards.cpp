// How fast the data module writes member cards: 100,000 rows through ExecuteSQL with
// bound parameters inside one transaction, on SQLite (a temporary file) and, when
// VIP_BENCH_PG_URI names a server, on a fresh PostgreSQL schema that is dropped after.
// And what a committed change's durability costs on SQLite: 500 cards each in its own
// transaction with the full synchronisation the program uses, beside the same with
// the lighter setting that can lose the last commits in a power cut.
// And the member editor's save path: 10,000 new cards, each saved as the editor saves
// it in a transaction of its own (the card procedure with its creation row, the
// opening balance through the stored-value ledger, the custom fields, a log line),
// beside the same rows inserted straight, per card transaction too, on both
// backends. No card carries a stored-value password: its Argon2id hash is slow on
// purpose and would measure the hash, not the database.

#include "host/data/Database.h"
#include "host/db/SchemaMigrator.h"
#include "host/sdk/DataModule.h"
#include "host/sdk/DbError.h"
#include "host/sdk/Money.h"
#include "host/sdk/SysLog.h"
#include "host/sdk/Transaction.h"
#include "host/sdk/VipCodes.h"

#include <QCoreApplication>
#include <QDate>
#include <QDateTime>
#include <QElapsedTimer>
#include <QMap>
#include <QTemporaryDir>
#include <QUuid>
#include <benchmark/benchmark.h>
#include <iostream>

namespace {

constexpr int Rows = 100000;

const QString InsertCard = QStringLiteral(
    "INSERT INTO vipcard (cardid, CardNo, VIPBarCode, Name, Tel, Address, sex, Birthday, CardType, Discount, "
    "AutoDiscount, AutoIntegral, BulidDate, ValidityDate, IsLife, ActivatePosId, CreatePosId, VipCz, Cz00, "
    "CzTotal, "
    "Cz, buyTotal, ljIntegral, IntegralTotal) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, "
    "?, ?, ?, "
    "?, ?, ?)");

QVariantList cardRow(int i, int cardType, const QDate& issued) {
    static const QStringList names = {QStringLiteral("王芳"), QStringLiteral("李伟"), QStringLiteral("张敏"),
                                      QStringLiteral("刘洋"), QStringLiteral("陈静"), QStringLiteral("杨磊")};
    const QString number = QString::number(60000000 + i);
    const Money opening = Money::fromUnits(100 * (i % 20));
    const Money total = opening + Money::fromUnits(50 * (i % 7));
    const Money balance = total - Money::fromRaw(total.raw() / 3);
    return {QUuid::createUuid().toString(QUuid::WithBraces).toUpper(),
            number,
            QStringLiteral("2900") + number + QStringLiteral("0"),
            names.at(i % names.size()),
            QStringLiteral("139%1").arg(i, 8, 10, QLatin1Char('0')),
            QStringLiteral("杭州市西湖区文三路%1号").arg(i % 500 + 1),
            i % 2,
            QDate(1970 + i % 40, i % 12 + 1, i % 28 + 1).toString(QStringLiteral("yyyy-MM-dd")),
            cardType,
            95.0,
            1,
            1,
            issued,
            issued.addYears(3),
            1,
            i % 8 + 1,
            i % 8 + 1,
            1,
            QVariant::fromValue(opening),
            QVariant::fromValue(total),
            QVariant::fromValue(balance),
            QVariant::fromValue(Money::fromUnits(i % 5000)),
            i % 5000 / 10,
            i % 5000 / 20};
}

// A migrated database with the one card type every benchmark card belongs to; its id.
int prepare(DataModule& data) {
    SchemaMigrator(data.database()).upgrade();
    return data.OpenSQLAsInt(
        QStringLiteral("INSERT INTO viptype (TypeName, Discount) VALUES (?, ?) RETURNING CTypeId"),
        {QStringLiteral("银卡"), 95.0});
}

const QDate Issued(2026, 1, 1);

void writeCards(benchmark::State& state, const DbSetting& setting) try {
    DataModule data(Database::open(setting));
    const int cardType = prepare(data);
    int written = 0;
    for (auto _ : state) {
        Transaction transaction(data);
        for (int i = 0; i < Rows; ++i)
            data.ExecuteSQL(InsertCard, cardRow(written + i, cardType, Issued));
        transaction.Commit();
        written += Rows;
    }
    if (data.OpenSQLAsInt(QStringLiteral("SELECT COUNT(*) FROM vipcard")) != written)
        state.SkipWithError("the card count does not match the rows written");
    state.counters["rows_per_second"] = benchmark::Counter(written, benchmark::Counter::kIsRate);
} catch (const DbError& error) {
    state.SkipWithError(error.message().toStdString().c_str());
}

constexpr int SingleCommits = 500;

void commitEachCard(benchmark::State& state, bool fullSync) try {
    QTemporaryDir dir;
    DataModule data(Database::open(DbSetting::parse(dir.filePath(QStringLiteral("bench.sqlite")))));
    const int cardType = prepare(data);
    if (!fullSync)
        data.ExecuteSQL(QStringLiteral("PRAGMA synchronous = NORMAL"));
    int written = 0;
    for (auto _ : state) {
        for (int i = 0; i < SingleCommits; ++i) {
            Transaction transaction(data);
            data.ExecuteSQL(InsertCard, cardRow(written++, cardType, Issued));
            transaction.Commit();
        }
    }
    state.counters["commits_per_second"] = benchmark::Counter(written, benchmark::Counter::kIsRate);
} catch (const DbError& error) {
    state.SkipWithError(error.message().toStdString().c_str());
}

constexpr int SavedCards = 10000;
constexpr int CustomFields = 20;
constexpr int MemberCards = 6;

// Cards per second of each save benchmark, by name, for the comparison printed last.
QMap<QString, double>& savedRates() {
    static QMap<QString, double> rates;
    return rates;
}

struct SavedCard {
    QString guid;
    QString number;
    QString name;
    QString tel;
    Money opening;
    QString job;
};

SavedCard savedCard(int i) {
    static const QStringList names = {QStringLiteral("王芳"), QStringLiteral("李伟"), QStringLiteral("张敏")};
    return {QUuid::createUuid().toString(QUuid::WithBraces).toUpper(),
            QString::number(70000000 + i),
            names.at(i % names.size()),
            QStringLiteral("138%1").arg(i, 8, 10, QLatin1Char('0')),
            Money::fromUnits(100 * (i % 20 + 1)),
            QStringLiteral("职业%1").arg(i % 9)};
}

// What the editor's store sends for a new card and its follow-up writes.
void saveThroughProcedures(DataModule& data, int cardType, const SavedCard& c) {
    TParamObject card;
    const QList<std::pair<const char*, QVariant>> values = {{"@EditType", QStringLiteral("I")},
                                                            {"@CardNo", c.number},
                                                            {"@Name", c.name},
                                                            {"@Tel", c.tel},
                                                            {"@Address", QString()},
                                                            {"@Comment", QString()},
                                                            {"@CardType", cardType},
                                                            {"@Discount", 95.0},
                                                            {"@BulidDate", Issued},
                                                            {"@ValidityDate", Issued.addYears(3)},
                                                            {"@Lose", 0},
                                                            {"@StopUse", 0},
                                                            {"@AutoDiscount", 1},
                                                            {"@AutoMemberTotal", 0},
                                                            {"@AutoOneOff", 0},
                                                            {"@AutoIntegral", 1},
                                                            {"@Sex", 1},
                                                            {"@Birthday", QStringLiteral("1990-05-04")},
                                                            {"@Identitycard", QString()},
                                                            {"@Email", QString()},
                                                            {"@MediFeedBack", QString()},
                                                            {"@case", QString()},
                                                            {"@buliddate1", QString()},
                                                            {"@validitydate1", QString()},
                                                            {"@searchdate", QString()},
                                                            {"@searchdate1", QString()},
                                                            {"@cardid", c.guid},
                                                            {"@BRec", 0},
                                                            {"@IsLife", 1},
                                                            {"@VIPBarCode", QString()},
                                                            {"@JSVIPCardID", 0},
                                                            {"@PosID", 1},
                                                            {"@ERec", 1},
                                                            {"@ActivePosId", 1},
                                                            {"@BirthType", 0},
                                                            {"@BirthdayCN", QStringLiteral("1990-04-10")},
                                                            {"@IsLeapMonth", 0},
                                                            {"@BuyTotal", 0},
                                                            {"@ljIntegral", 0}};
    for (const auto& [name, value] : values)
        card.Add(QLatin1String(name), value);
    const int id = data.ExecuteProcByName(QStringLiteral("Y_InsVipCard"), card);
    if (id <= 0)
        throw DbError(QStringLiteral("卡 %1 未能保存（%2）。").arg(c.number).arg(id));
    TParamObject storedValue;
    const QList<std::pair<const char*, QVariant>> settings = {
        {"@Vipcardid", id},
        {"@VipCz", 1},
        {"@VipCzService", 0},
        {"@SetOpening", 1},
        {"@Cz00", QVariant::fromValue(c.opening)},
        {"@UsePass", 0},
        {"@CzPosId", 0},
        {"@IsJSReward", -1},
        {"@PosID", 1},
        {"@ERec", 1},
        {"@OpId", QUuid::createUuid().toString(QUuid::WithoutBraces)}};
    for (const auto& [name, value] : settings)
        storedValue.Add(QLatin1String(name), value);
    data.ExecuteProcByName(QStringLiteral("Y_InsVipCardCz"), storedValue);
    TParamObject custom;
    custom.Add(QStringLiteral("@IDFlag"), MemberCards);
    custom.Add(QStringLiteral("@cardid"), id);
    for (int i = 0; i < CustomFields; ++i)
        custom.Add(QStringLiteral("@C%1").arg(i), i == 0 ? c.job : QString());
    data.ExecuteProcByName(QStringLiteral("P_VipCustomChange"), custom);
    TSysLog::LocalLogOper(1, LogKind::MemberCards, QStringLiteral("会员卡号:[%1]新建").arg(c.number));
}

// The same rows written straight, with the values the procedures would give them.
void saveStraight(DataModule& data, int cardType, const SavedCard& c) {
    const QDateTime now = QDateTime::currentDateTime();
    const QVariant opening = QVariant::fromValue(c.opening);
    const int id = data.OpenSQLAsInt(
        QStringLiteral(
            "INSERT INTO vipcard (cardid, CardNo, Name, Tel, sex, Birthday, BirthdayCN, CardType, "
            "Discount, AutoDiscount, AutoIntegral, BulidDate, ValidityDate, IsLife, ActivatePosId, "
            "CreatePosId, Creator, VipCz, Cz00, CzTotal, Cz) VALUES (?, ?, ?, ?, 1, '1990-05-04', "
            "'1990-04-10', ?, 95, 1, 1, ?, ?, 1, 1, 1, 1, 1, ?, ?, ?) RETURNING id"),
        {c.guid, c.number, c.name, c.tel, cardType, Issued, Issued.addYears(3), opening, opening, opening});
    data.ExecuteSQL(QStringLiteral("INSERT INTO VipChangeInfo (Vipcardid, ChangeType, Memo, PosId, ERec, "
                                   "ChangeDate) VALUES (?, 1, ?, 1, 1, ?)"),
                    {id, QStringLiteral("新建会员卡[%1]").arg(c.number), now});
    data.ExecuteSQL(
        QStringLiteral("INSERT INTO VipCzChange (Vipcardid, ChangeType, Amount, BalanceAfter, OpId, "
                       "PosId, ERec, ChangeDate, Memo) VALUES (?, ?, ?, ?, ?, 1, 1, ?, '期初储值')"),
        {id, StoredValueChange::Opening, opening, opening, QUuid::createUuid().toString(QUuid::WithoutBraces),
         now});
    data.ExecuteSQL(QStringLiteral("INSERT INTO VipCustomFields (IDflag, cardid, C0) VALUES (?, ?, ?)"),
                    {MemberCards, id, c.job});
    data.ExecuteSQL(
        QStringLiteral("INSERT INTO syslog (LogTime, UserRec, Kind, LogText, PosId) VALUES (?, 1, ?, "
                       "?, 1)"),
        {now, LogKind::MemberCards, QStringLiteral("会员卡号:[%1]新建").arg(c.number)});
}

void saveCards(benchmark::State& state, const DbSetting& setting, bool straight, const QString& backend) try {
    DataModule data(Database::open(setting));
    DataModule::install(&data);
    const int cardType = prepare(data);
    data.ExecuteSQL(QStringLiteral("INSERT INTO posinfo (PosCode, PosName) VALUES ('01', '一店')"));
    data.ExecuteSQL(
        QStringLiteral("INSERT INTO CustomFieldsDefine (idflag, Name, RowIndex) VALUES (6, '职业', 1)"));
    int saved = 0;
    QElapsedTimer clock;
    clock.start();
    for (auto _ : state) {
        for (int i = 0; i < SavedCards; ++i) {
            const SavedCard card = savedCard(saved++);
            Transaction transaction(data);
            straight ? saveStraight(data, cardType, card) : saveThroughProcedures(data, cardType, card);
            transaction.Commit();
        }
    }
    DataModule::install(nullptr);
    const Money expected = Money::fromRaw(
        data.OpenSQLAsStr(QStringLiteral("SELECT CAST(SUM(Cz) AS VARCHAR(30)) FROM vipcard")).toLongLong());
    if (data.OpenSQLAsInt(QStringLiteral("SELECT COUNT(*) FROM VipCzChange")) != saved || expected.isZero())
        state.SkipWithError("the ledger does not hold a row for every card saved");
    state.counters["cards_per_second"] = benchmark::Counter(saved, benchmark::Counter::kIsRate);
    savedRates()[backend + (straight ? QStringLiteral("/raw") : QStringLiteral("/editor"))] =
        saved * 1000.0 / qMax<qint64>(1, clock.elapsed());
} catch (const DbError& error) {
    DataModule::install(nullptr);
    state.SkipWithError(error.message().toStdString().c_str());
}

void saveOnSqlite(benchmark::State& state, bool straight) {
    QTemporaryDir dir;
    saveCards(state, DbSetting::parse(dir.filePath(QStringLiteral("bench.sqlite"))), straight,
              QStringLiteral("sqlite"));
}

void saveOnPostgres(benchmark::State& state, QString uri, bool straight) try {
    const DbSetting server = DbSetting::parse(uri);
    const QString schema = QStringLiteral("bench_save_%1").arg(QCoreApplication::applicationPid());
    saveCards(state, server.withSchema(schema), straight, QStringLiteral("postgres"));
    Database::open(server)->execute(QStringLiteral("DROP SCHEMA IF EXISTS %1 CASCADE").arg(schema));
} catch (const DbError& error) {
    state.SkipWithError(error.message().toStdString().c_str());
}

void onSqlite(benchmark::State& state) {
    QTemporaryDir dir;
    writeCards(state, DbSetting::parse(dir.filePath(QStringLiteral("bench.sqlite"))));
}

void onPostgres(benchmark::State& state, QString uri) try {
    const DbSetting server = DbSetting::parse(uri);
    const QString schema = QStringLiteral("bench_cards_%1").arg(QCoreApplication::applicationPid());
    writeCards(state, server.withSchema(schema));
    Database::open(server)->execute(QStringLiteral("DROP SCHEMA IF EXISTS %1 CASCADE").arg(schema));
} catch (const DbError& error) {
    state.SkipWithError(error.message().toStdString().c_str());
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RegisterBenchmark("WriteCards/sqlite", onSqlite)
        ->Iterations(1)
        ->UseRealTime()
        ->Unit(benchmark::kMillisecond);
    for (const bool fullSync : {true, false}) {
        benchmark::RegisterBenchmark(fullSync ? "CommitEachCard/sqlite_full_sync"
                                              : "CommitEachCard/sqlite_normal_sync",
                                     commitEachCard, fullSync)
            ->Iterations(1)
            ->UseRealTime()
            ->Unit(benchmark::kMillisecond);
    }
    const QString pg = qEnvironmentVariable("VIP_BENCH_PG_URI");
    if (!pg.isEmpty()) {
        benchmark::RegisterBenchmark("WriteCards/postgres", onPostgres, pg)
            ->Iterations(1)
            ->UseRealTime()
            ->Unit(benchmark::kMillisecond);
    }
    QList<QPair<QString, QString>> backends = {{QStringLiteral("sqlite"), QString()}};
    if (!pg.isEmpty())
        backends.append({QStringLiteral("postgres"), pg});
    for (const auto& [backend, uri] : backends) {
        for (const bool straight : {false, true}) {
            const std::string name =
                QStringLiteral("SaveCards/%1/%2").arg(backend, straight ? "raw" : "editor").toStdString();
            auto* run = uri.isEmpty()
                            ? benchmark::RegisterBenchmark(name.c_str(), saveOnSqlite, straight)
                            : benchmark::RegisterBenchmark(name.c_str(), saveOnPostgres, uri, straight);
            run->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);
        }
    }
    benchmark::RunSpecifiedBenchmarks();
    // The save path beside the raw rows of the same run: the ratio is the figure to watch.
    for (const auto& [backend, uri] : backends) {
        const double editor = savedRates().value(backend + QStringLiteral("/editor"));
        const double raw = savedRates().value(backend + QStringLiteral("/raw"));
        if (editor > 0 && raw > 0)
            std::cout << backend.toStdString() << ": editor save path " << qRound(editor)
                      << " cards/s, raw rows " << qRound(raw) << " cards/s, ratio "
                      << QString::number(editor / raw, 'f', 2).toStdString() << "\n";
    }
    benchmark::Shutdown();
    return 0;
}
