#pragma once

#include "host/data/Database.h"
#include "host/sdk/DataModule.h"
#include "host/sdk/DbError.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMap>
#include <QRandomGenerator>
#include <QString>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <functional>
#include <iostream>
#include <latch>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

// Clerks at the tills at once, each on a connection of its own: the shape every
// throughput benchmark of a money-moving procedure shares. Each pair measures the
// procedure and, in the same run, the raw statements of the same work; the ratio of
// the two is the figure to watch, printed at the end.
class ClerkRace {
public:
    // One operation of a clerk: the procedure's path, or the raw one when 'raw'.
    using Step = std::function<void(DataModule& data, QRandomGenerator& random, bool raw)>;

    // 'what' names the benchmarks ("Recharge/postgres/4conn/raw"), 'unit' the
    // operations in the printed rates ("recharges").
    ClerkRace(QString what, QString unit)
        : m_what(std::move(what))
        , m_unit(std::move(unit)) {}

    // 'connections' clerks sharing 'total' operations, once through the procedure
    // and once raw.
    void registerPair(const QString& backend, const DbSetting& setting, int connections, int total,
                      Step step) {
        for (const bool raw : {false, true}) {
            const QString name = QStringLiteral("%1/%2/%3conn/%4")
                                     .arg(m_what, backend)
                                     .arg(connections)
                                     .arg(raw ? QStringLiteral("raw") : QStringLiteral("procedure"));
            benchmark::RegisterBenchmark(name.toStdString().c_str(),
                                         [=, this](benchmark::State& state) {
                                             measure(state, name, setting, connections, total, step, raw);
                                         })
                ->Iterations(1)
                ->UseRealTime()
                ->Unit(benchmark::kMillisecond);
        }
    }

    // The whole benchmark: one clerk doing 400 operations on a scratch SQLite file
    // and, when VIP_BENCH_PG_URI names a server, 1, 4 and 8 clerks doing 2400 on a
    // schema of its own ('schemaPrefix' and the process id), dropped afterwards.
    // 'prepare' fills a database and gives the step its clerks run.
    int runOnBothBackends(int argc, char** argv, const QString& schemaPrefix,
                          const std::function<Step(const DbSetting&)>& prepare) {
        benchmark::Initialize(&argc, argv);
        QTemporaryDir dir;
        const DbSetting sqlite = DbSetting::parse(dir.filePath(QStringLiteral("bench.sqlite")));
        registerPair(QStringLiteral("sqlite"), sqlite, 1, 400, prepare(sqlite));
        const QString pg = qEnvironmentVariable("VIP_BENCH_PG_URI");
        std::optional<DbSetting> server;
        const QString schema =
            QStringLiteral("%1_%2").arg(schemaPrefix).arg(QCoreApplication::applicationPid());
        if (!pg.isEmpty()) {
            server = DbSetting::parse(pg);
            const DbSetting own = server->withSchema(schema);
            const Step step = prepare(own);
            for (int connections : {1, 4, 8})
                registerPair(QStringLiteral("postgres"), own, connections, 2400, step);
        }
        benchmark::RunSpecifiedBenchmarks();
        printRatios();
        if (server)
            Database::open(*server)->execute(QStringLiteral("DROP SCHEMA IF EXISTS %1 CASCADE").arg(schema));
        benchmark::Shutdown();
        return 0;
    }

private:
    void printRatios() const {
        for (const QString& name : m_rates.keys()) {
            if (!name.endsWith(QLatin1String("/procedure")))
                continue;
            const QString shape = name.section(QLatin1Char('/'), 0, -2);
            const double procedure = m_rates.value(name);
            const double raw = m_rates.value(shape + QStringLiteral("/raw"));
            if (procedure > 0 && raw > 0)
                std::cout << shape.toStdString() << ": procedure " << qRound(procedure) << " "
                          << m_unit.toStdString() << "/s, raw " << qRound(raw) << " " << m_unit.toStdString()
                          << "/s, ratio " << QString::number(procedure / raw, 'f', 2).toStdString() << "\n";
        }
    }

    void measure(benchmark::State& state, const QString& name, const DbSetting& setting, int connections,
                 int total, const Step& step, bool raw) try {
        double rate = 0;
        for (auto _ : state)
            rate = run(setting, connections, total, step, raw);
        m_rates[name] = rate;
        state.counters[(m_unit + QStringLiteral("_per_second")).toStdString()] = rate;
    } catch (const DbError& error) {
        state.SkipWithError(error.message().toStdString().c_str());
    }

    // Operations per second; the clocks starts once every clerk is connected.
    static double run(const DbSetting& setting, int connections, int total, const Step& step, bool raw) {
        std::latch ready(connections + 1);
        std::latch start(1);
        std::mutex guard;
        QString failure;
        std::vector<std::thread> clerks;
        for (int c = 0; c < connections; ++c) {
            clerks.emplace_back([&, c] {
                try {
                    DataModule data(Database::open(setting));
                    QRandomGenerator random(c + 1);
                    ready.count_down();
                    start.wait();
                    for (int i = 0; i < total / connections; ++i)
                        step(data, random, raw);
                } catch (const DbError& e) {
                    const std::lock_guard<std::mutex> lock(guard);
                    failure = e.message();
                }
            });
        }
        ready.arrive_and_wait();
        QElapsedTimer clock;
        clock.start();
        start.count_down();
        for (std::thread& clerk : clerks)
            clerk.join();
        const qint64 elapsed = qMax<qint64>(1, clock.elapsed());
        if (!failure.isEmpty())
            throw DbError(failure);
        return (total / connections) * connections * 1000.0 / elapsed;
    }

    QString m_what;
    QString m_unit;
    QMap<QString, double> m_rates;
};
