// How fast the data module writes member cards: 100,000 rows through ExecuteSQL with
// bound parameters inside one transaction, on SQLite (a temporary file) and, when
// VIP_BENCH_PG_URI names a server, on a fresh PostgreSQL schema that is dropped after.
// And what a committed change's durability costs on SQLite: 500 cards each in its own
// transaction with the full synchronisation the program uses, beside the same with
// the lighter setting that can lose the last commits in a power cut.

#include "host/data/Database.h"
#include "host/db/SchemaMigrator.h"
#include "host/sdk/DataModule.h"
#include "host/sdk/DbError.h"
#include "host/sdk/Money.h"
#include "host/sdk/Transaction.h"

#include <QCoreApplication>
#include <QDate>
#include <QTemporaryDir>
#include <QUuid>
#include <benchmark/benchmark.h>

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
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
