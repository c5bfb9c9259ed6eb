// How fast the member search of bills answers at chain scale: on a demo database of a
// million members (made once with "vipctl demo --members 1000000" and named by
// VIP_BENCH_SQLITE and VIP_BENCH_PG, the latter a PostgreSQL URI with its schema),
// the search of fragments of 1, 2, 3 and 6 characters of a member's name, telephone
// and card number, and the exact lookup of a number. Each is measured three ways in
// the same run: through the procedure the picker calls (P_VipSelect, P_SelVipCard),
// the procedure's own statement run directly, and the same match made by reading
// every card (LIKE '%...%' with no index), for comparison.

#include "host/data/Database.h"
#include "host/db/procedures/PinyinInitials.h"
#include "host/db/procedures/VipCardRows.h"
#include "host/db/procedures/VipCardSearch.h"
#include "host/sdk/ClientDataSet.h"
#include "host/sdk/DataModule.h"
#include "host/sdk/DbError.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

enum class Way { Picker, Statement, Scan };

struct Backend {
    QString name;
    std::shared_ptr<DataModule> data;
};

// A member from the middle of the table with a name of three characters (as most
// are; none is six long), whose texts the fragments are cut from.
struct Sample {
    QString name, tel, cardNo;
};

Sample sample(DataModule& data) {
    ClientDataSet row;
    data.OpenSQL(QStringLiteral("SELECT Name, Tel, CardNo FROM vipcard WHERE deleted = 0 AND IsLife = 1 AND "
                                "LENGTH(Name) = 3 AND id >= "
                                "(SELECT MAX(id) / 2 FROM vipcard) ORDER BY id LIMIT 1"),
                 row);
    if (row.IsEmpty())
        throw DbError(QStringLiteral("the database holds no members"));
    return {row.FieldByName(QStringLiteral("Name")).AsString(),
            row.FieldByName(QStringLiteral("Tel")).AsString(),
            row.FieldByName(QStringLiteral("CardNo")).AsString()};
}

// A fragment from inside the text (a name's from its end, where the given name is),
// empty when the text is too short.
QString fragment(const QString& text, int length, bool fromEnd) {
    if (text.size() < length)
        return {};
    return fromEnd ? text.right(length) : text.mid((text.size() - length) / 2, length);
}

void search(benchmark::State& state, std::shared_ptr<DataModule> data, QString text, Way way) try {
    VipCardSearch::Filter filter;
    filter.text = text;
    filter.today = QDate::currentDate();
    const VipCardSearch::Statement statement =
        VipCardSearch::statement(data->database().dialect(), filter, way == Way::Statement);
    const VipCardSearch::Statement scan = VipCardSearch::statement(data->database().dialect(), filter, false);
    int rows = 0;
    for (auto _ : state) {
        ClientDataSet found;
        if (way == Way::Picker)
            data->OpenProcByName(QStringLiteral("P_VipSelect"),
                                 {QStringLiteral("@Text"), QStringLiteral("@NotActivated"),
                                  QStringLiteral("@ByIdentity"), QStringLiteral("@UsableToday"),
                                  QStringLiteral("@ServiceOnly"), QStringLiteral("@PosId"),
                                  QStringLiteral("@Today")},
                                 {text, false, false, false, false, 0, filter.today}, found);
        else
            data->OpenSQL(way == Way::Scan ? scan.sql : statement.sql, found,
                          way == Way::Scan ? scan.params : statement.params);
        rows = found.RecordCount();
    }
    state.counters["rows"] = rows;
} catch (const DbError& error) {
    state.SkipWithError(error.message().toStdString().c_str());
}

void exact(benchmark::State& state, std::shared_ptr<DataModule> data, QString cardNo, Way way) try {
    int rows = 0;
    for (auto _ : state) {
        ClientDataSet found;
        if (way == Way::Picker)
            data->OpenProcByName(QStringLiteral("P_SelVipCard"),
                                 {QStringLiteral("@EditType"), QStringLiteral("@CardNo")},
                                 {QStringLiteral("S"), cardNo}, found);
        else
            data->OpenSQL(VipCardRows::select() + QStringLiteral("WHERE a.deleted = 0 AND a.CardNo = ?"),
                          found, {cardNo});
        rows = found.RecordCount();
    }
    state.counters["rows"] = rows;
    if (rows != 1)
        state.SkipWithError("the sample card was not found");
} catch (const DbError& error) {
    state.SkipWithError(error.message().toStdString().c_str());
}

// What working out the initials adds to the write of a card: a common name (the
// GB 2312 table) and one with a rarer character (ICU's Han-Latin, cached).
void initials(benchmark::State& state, QString name) {
    QString result;
    for (auto _ : state)
        benchmark::DoNotOptimize(result = PinyinInitials::of(name));
    state.SetLabel(result.toStdString());
}

void registerBackend(const Backend& backend) {
    const Sample member = sample(*backend.data);
    const QList<std::tuple<const char*, QString, bool>> fields = {
        {"name", member.name, true}, {"tel", member.tel, false}, {"cardno", member.cardNo, false}};
    const QList<std::pair<const char*, Way>> ways = {
        {"VIPSelect", Way::Picker}, {"statement", Way::Statement}, {"like_scan", Way::Scan}};
    for (const auto& [field, text, fromEnd] : fields) {
        for (int length : {1, 2, 3, 6}) {
            const QString piece = fragment(text, length, fromEnd);
            if (piece.isEmpty())
                continue;
            for (const auto& [wayName, way] : ways) {
                const std::string name = QStringLiteral("%1/%2/%3/%4[%5]")
                                             .arg(backend.name, QLatin1String(field))
                                             .arg(length)
                                             .arg(QLatin1String(wayName), piece)
                                             .toStdString();
                benchmark::RegisterBenchmark(name.c_str(), search, backend.data, piece, way)
                    ->Unit(benchmark::kMillisecond)
                    ->MinTime(0.2);
            }
        }
    }
    for (const auto& [wayName, way] :
         {std::pair{"P_SelVipCard", Way::Picker}, std::pair{"statement", Way::Statement}}) {
        const std::string name =
            QStringLiteral("%1/exact/%2").arg(backend.name, QLatin1String(wayName)).toStdString();
        benchmark::RegisterBenchmark(name.c_str(), exact, backend.data, member.cardNo, way)
            ->Unit(benchmark::kMillisecond)
            ->MinTime(0.2);
    }
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    QList<Backend> backends;
    const QString sqlite = qEnvironmentVariable("VIP_BENCH_SQLITE");
    if (!sqlite.isEmpty() && QFileInfo::exists(sqlite))
        backends.append({QStringLiteral("sqlite"),
                         std::make_shared<DataModule>(Database::open(DbSetting::parse(sqlite)))});
    const QString pg = qEnvironmentVariable("VIP_BENCH_PG");
    if (!pg.isEmpty())
        backends.append(
            {QStringLiteral("postgres"), std::make_shared<DataModule>(Database::open(DbSetting::parse(pg)))});
    if (backends.isEmpty())
        qWarning("VIP_BENCH_SQLITE (a file) or VIP_BENCH_PG (a URI) must name a demo database of members");
    for (const QString& name :
         {QStringLiteral("单雄信"), QStringLiteral("欧阳娜娜"), QStringLiteral("龘珺喆")})
        benchmark::RegisterBenchmark(("initials/" + name.toStdString()).c_str(), initials, name);
    for (const Backend& backend : backends)
        registerBackend(backend);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
