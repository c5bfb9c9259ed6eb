// What asking the right afresh adds to every action of an open window: the guarded
// action of a window that needs a right, for one user of 10,000 who hold 50 rights
// each, beside the bare lookup of the same right row on the same connection. On
// SQLite (a temporary file) and, when VIP_BENCH_PG_URI names a server, on a fresh
// PostgreSQL schema that is dropped after.

#include "host/data/Database.h"
#include "host/db/SchemaMigrator.h"
#include "host/sdk/DataModule.h"
#include "host/sdk/DbError.h"
#include "host/sdk/Transaction.h"
#include "host/sdk/Ucomvar.h"
#include "host/sdk/ui/GuardedHandler.h"

#include <QCoreApplication>
#include <QObject>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int Users = 10000;
constexpr int RightsEach = 50;
constexpr int FirstRight = 100;

void fill(DataModule& data) {
    SchemaMigrator(data.database()).upgrade();
    Transaction transaction(data);
    data.ExecuteSQL(
        QStringLiteral("INSERT INTO loginuser (UserCode, UserName, PasswordSalt, PasswordHash) "
                       "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < ?) "
                       "SELECT 'u' || CAST(i AS VARCHAR(10)), 'u', '', 'x' FROM n"),
        {Users});
    data.ExecuteSQL(
        QStringLiteral("INSERT INTO userlimit (UserRec, LimitNo) "
                       "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < ?) "
                       "SELECT u.rec, ? + n.i FROM loginuser u, n"),
        {RightsEach - 1, FirstRight});
    transaction.Commit();
}

// Which of the two is measured.
enum class Check { GuardedAction, BareLookup };

void run(benchmark::State& state, const DbSetting& setting, Check check) try {
    DataModule data(Database::open(setting));
    fill(data);
    if (data.isPostgres())
        data.ExecuteSQL(QStringLiteral("ANALYZE userlimit"));
    DataModule::install(&data);
    const int user = data.OpenSQLAsInt(QStringLiteral("SELECT rec FROM loginuser WHERE UserCode = ?"),
                                       {QStringLiteral("u%1").arg(Users / 2)});
    Ucomvar().nLoginUserRec = user;
    QObject window;
    const int right = FirstRight + RightsEach / 2;
    RequireRight(window, right);
    int ran = 0;
    for (auto _ : state) {
        if (check == Check::GuardedAction)
            RunGuardedAction(&window, [&ran] { ++ran; });
        else
            ran += data.database()
                       .scalar(
                           QStringLiteral("SELECT COUNT(*) FROM userlimit WHERE UserRec = ? AND LimitNo = ?"),
                           {user, right})
                       .toInt();
    }
    DataModule::install(nullptr);
    if (ran != int(state.iterations()))
        state.SkipWithError("the right was not found");
} catch (const DbError& error) {
    DataModule::install(nullptr);
    state.SkipWithError(error.message().toStdString().c_str());
}

void onSqlite(benchmark::State& state, Check check) {
    QTemporaryDir dir;
    run(state, DbSetting::parse(dir.filePath(QStringLiteral("bench.sqlite"))), check);
}

void onPostgres(benchmark::State& state, QString uri, Check check) try {
    const DbSetting server = DbSetting::parse(uri);
    const QString schema = QStringLiteral("bench_rights_%1").arg(QCoreApplication::applicationPid());
    run(state, server.withSchema(schema), check);
    Database::open(server)->execute(QStringLiteral("DROP SCHEMA IF EXISTS %1 CASCADE").arg(schema));
} catch (const DbError& error) {
    state.SkipWithError(error.message().toStdString().c_str());
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    for (const auto& [name, check] :
         {std::pair{"GuardedAction", Check::GuardedAction}, std::pair{"BareLookup", Check::BareLookup}}) {
        benchmark::RegisterBenchmark((std::string("ActionRight/sqlite/") + name).c_str(), onSqlite, check)
            ->Unit(benchmark::kMicrosecond);
        const QString pg = qEnvironmentVariable("VIP_BENCH_PG_URI");
        if (!pg.isEmpty())
            benchmark::RegisterBenchmark((std::string("ActionRight/postgres/") + name).c_str(), onPostgres,
                                         pg, check)
                ->Unit(benchmark::kMicrosecond);
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
