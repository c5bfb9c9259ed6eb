// How fast the batch issue writes cards: 100,000 cards through the batch writer (the
// card procedure with its creation row in the points ledger, 1,000 cards to a
// transaction), beside the same rows inserted straight with the same transactions,
// in the same run, on SQLite (a temporary file) and, when VIP_BENCH_PG_URI names a
// server, on a fresh PostgreSQL schema dropped after. The same again for cards with
// an opening balance, which adds the stored-value ledger's row. Each run starts
// from an empty database and ends with the ledger audit.

#include "host/data/Database.h"
#include "host/db/LedgerAudit.h"
#include "host/db/SchemaMigrator.h"
#include "host/sdk/DataModule.h"
#include "host/sdk/DbError.h"
#include "host/sdk/Money.h"
#include "host/sdk/Transaction.h"
#include "host/sdk/VipCodes.h"
#include "vip/members/VipBatchIssueWriter.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QMap>
#include <QTemporaryDir>
#include <QUuid>
#include <benchmark/benchmark.h>
#include <iostream>

namespace {

constexpr int Cards = 100000;
constexpr int PerTransaction = VipBatchIssueWriter::CardsPerTransaction;
const QDate Issued(2026, 1, 1);
const Money Opening = Money::fromUnits(100);

QMap<QString, double>& rates() {
    static QMap<QString, double> measured;
    return measured;
}

QString cardNo(int i) {
    return QStringLiteral("VIP%1").arg(i, 6, 10, QLatin1Char('0'));
}

// The card rows as the card procedure writes them for a batch card, and its
// creation row; with an opening balance, the balance columns and the ledger row.
void insertStraight(DataModule& data, int cardType, int i, bool opening) {
    const QVariant balance = QVariant::fromValue(opening ? Opening : Money());
    const int id = data.OpenSQLAsInt(
        QStringLiteral(
            "INSERT INTO vipcard (CardNo, CardType, Discount, AutoDiscount, AutoOneOff, AutoIntegral, "
            "BulidDate, ValidityDate, cardid, ActivatePosId, CreatePosId, Creator, VipCz, Cz00, "
            "CzTotal, Cz) VALUES (?, ?, 95, 1, 1, 1, ?, ?, ?, 0, 0, 0, ?, ?, ?, ?) RETURNING id"),
        {cardNo(i), cardType, Issued, Issued.addYears(1), QUuid::createUuid().toString(QUuid::WithBraces),
         opening ? 1 : 0, balance, balance, balance});
    const QDateTime now = QDateTime::currentDateTime();
    data.ExecuteSQL(
        QStringLiteral("INSERT INTO VipChangeInfo (Vipcardid, ChangeType, ChangeTotal, Czxf, Memo, "
                       "OfferCardID, PosId, ERec, ChangeDate) VALUES (?, 1, 0, 0, ?, 0, 0, 0, ?)"),
        {id, QStringLiteral("新建会员卡[%1]").arg(cardNo(i)), now});
    if (opening)
        data.ExecuteSQL(
            QStringLiteral(
                "INSERT INTO VipCzChange (Vipcardid, ChangeType, Amount, BalanceAfter, OpId, PosId, "
                "ERec, ChangeDate, Memo) VALUES (?, ?, ?, ?, ?, 0, 0, ?, '期初储值')"),
            {id, StoredValueChange::Opening, balance, balance,
             QUuid::createUuid().toString(QUuid::WithoutBraces), now});
}

void writeThroughBatch(DataModule& data, int cardType, bool opening, benchmark::State& state) {
    VipCardStore::CardFields pattern;
    pattern.cardType = cardType;
    pattern.discount = 95;
    pattern.bulidDate = Issued;
    pattern.validityDate = Issued.addYears(1);
    pattern.autoDiscount = true;
    pattern.autoOneOff = true;
    pattern.autoIntegral = true;
    pattern.activePosId = 0;
    std::optional<VipCardStore::StoredValue> storedValue;
    if (opening) {
        VipCardStore::StoredValue value;
        value.vipCz = true;
        value.opening = Opening;
        storedValue = value;
    }
    QList<VipBatchIssueWriter::Card> cards;
    for (int i = 0; i < Cards; ++i)
        cards.append({cardNo(i), QString()});
    const std::atomic<bool> stop = false;
    const VipBatchIssueWriter::Tally tally =
        VipBatchIssueWriter(data, pattern, storedValue).Write(cards, stop);
    if (!tally.error.isEmpty() || tally.written != Cards)
        state.SkipWithError(QStringLiteral("the batch wrote %1 of the cards: %2")
                                .arg(tally.written)
                                .arg(tally.error)
                                .toStdString()
                                .c_str());
}

void issue(benchmark::State& state, const DbSetting& setting, const QString& name, bool batch,
           bool opening) try {
    DataModule data(Database::open(setting));
    SchemaMigrator(data.database()).upgrade();
    const int cardType = data.OpenSQLAsInt(
        QStringLiteral("INSERT INTO viptype (TypeName, Discount, IsCZPreferential) VALUES (?, ?, 1) "
                       "RETURNING CTypeId"),
        {QStringLiteral("银卡"), 95.0});
    QElapsedTimer clock;
    for (auto _ : state) {
        clock.start();
        if (batch) {
            writeThroughBatch(data, cardType, opening, state);
        } else {
            for (int first = 0; first < Cards; first += PerTransaction) {
                Transaction transaction(data);
                for (int i = first; i < first + PerTransaction; ++i)
                    insertStraight(data, cardType, i, opening);
                transaction.Commit();
            }
        }
        rates()[name] = Cards * 1000.0 / qMax<qint64>(1, clock.elapsed());
    }
    if (!LedgerAudit::run(data.database()).isEmpty() || LedgerAudit::liveCards(data.database()) != Cards)
        state.SkipWithError("the cards written do not pass the ledger audit");
    state.counters["cards_per_second"] = benchmark::Counter(Cards, benchmark::Counter::kIsRate);
} catch (const DbError& error) {
    state.SkipWithError(error.message().toStdString().c_str());
}

void onSqlite(benchmark::State& state, QString name, bool batch, bool opening) {
    QTemporaryDir dir;
    issue(state, DbSetting::parse(dir.filePath(QStringLiteral("bench.sqlite"))), name, batch, opening);
}

void onPostgres(benchmark::State& state, QString uri, QString name, bool batch, bool opening) try {
    const DbSetting server = DbSetting::parse(uri);
    const QString schema = QStringLiteral("bench_batch_%1").arg(QCoreApplication::applicationPid());
    issue(state, server.withSchema(schema), name, batch, opening);
    Database::open(server)->execute(QStringLiteral("DROP SCHEMA IF EXISTS %1 CASCADE").arg(schema));
} catch (const DbError& error) {
    state.SkipWithError(error.message().toStdString().c_str());
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    const QString pg = qEnvironmentVariable("VIP_BENCH_PG_URI");
    QStringList backends = {QStringLiteral("sqlite")};
    if (!pg.isEmpty())
        backends.append(QStringLiteral("postgres"));
    QStringList pairs;
    for (const QString& backend : backends) {
        for (const bool opening : {false, true}) {
            const QString pair = backend + (opening ? QStringLiteral("/opening") : QStringLiteral("/plain"));
            pairs.append(pair);
            for (const bool batch : {true, false}) {
                const QString name = QStringLiteral("BatchIssue/") + pair + (batch ? "/batch" : "/raw");
                auto* run = backend == QLatin1String("sqlite")
                                ? benchmark::RegisterBenchmark(name.toStdString().c_str(), onSqlite, name,
                                                               batch, opening)
                                : benchmark::RegisterBenchmark(name.toStdString().c_str(), onPostgres, pg,
                                                               name, batch, opening);
                run->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);
            }
        }
    }
    benchmark::RunSpecifiedBenchmarks();
    // The batch writer beside the raw rows of the same run: the ratio is the figure to watch.
    for (const QString& pair : pairs) {
        const double batch = rates().value(QStringLiteral("BatchIssue/") + pair + QStringLiteral("/batch"));
        const double raw = rates().value(QStringLiteral("BatchIssue/") + pair + QStringLiteral("/raw"));
        if (batch > 0 && raw > 0)
            std::cout << pair.toStdString() << ": batch writer " << qRound(batch) << " cards/s, raw rows "
                      << qRound(raw) << " cards/s, ratio "
                      << QString::number(batch / raw, 'f', 2).toStdString() << "\n";
    }
    benchmark::Shutdown();
    return 0;
}
