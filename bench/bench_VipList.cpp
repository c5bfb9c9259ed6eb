// The member list at a million members, on the databases `vipctl demo --members
// 1000000` made (VIP_BENCH_LIST_SQLITE: a SQLite file, VIP_BENCH_LIST_PG: a
// PostgreSQL URI with its schema; each backend runs when its variable is set): the
// window opening until its first rows are shown, the status line's count, the search
// box filtering by card number, telephone and name, a sort by a column, and marking
// every row and reading back their ids. Each figure stands beside the raw statement
// that reads the same rows on the same connection in the same run. Peak memory
// (maxrss) is reported after each. VIP_BENCH_LIST_ITERATIONS sets the runs of each
// figure (5 unless given).

#include "host/data/Database.h"
#include "host/db/SchemaMigrator.h"
#include "host/db/queries/BoundQuery.h"
#include "host/db/queries/ListQueryRegistry.h"
#include "host/sdk/DataModule.h"
#include "host/sdk/DbError.h"
#include "host/sdk/ui/TBaseQuery.h"
#include "host/sdk/ui/TQueryGrid.h"

#include <QApplication>
#include <QDate>
#include <QLineEdit>
#include <benchmark/benchmark.h>
#include <memory>
#include <sys/resource.h>

namespace {

// The member list's own query, at the head office (every store's cards), with
// conditions that let every card through.
constexpr int ListNo = 6;

TParamObject conditions() {
    TParamObject params;
    params.Add(QStringLiteral("@nPosRec"), 0);
    params.Add(QStringLiteral("@VIPFKDate"), QDate(1900, 1, 1));
    params.Add(QStringLiteral("@VIPFKDate1"), QDate(2100, 12, 31));
    params.Add(QStringLiteral("@VIPYxDate"), QDate(1900, 1, 1));
    params.Add(QStringLiteral("@VIPYxDate1"), QDate(2100, 12, 31));
    return params;
}

// The raw statement: the list's query as registered, with 'where' added and its
// ORDER BY replaced by 'order' (none when empty), run straight on the connection.
QString rawStatement(const QString& where, const QString& order, QVariantList& values) {
    const BoundQuery bound(ListQueryRegistry::global().sql(ListNo), conditions());
    values = bound.values() + values;
    const QString sql = bound.sql().left(bound.sql().lastIndexOf(QLatin1String("ORDER BY"))) + where;
    return order.isEmpty() ? sql : sql + QStringLiteral(" ORDER BY ") + order;
}

class MemberList : public TBaseQuery {
public:
    MemberList() {
        SetModelId(ListNo);
        Params() = conditions();
    }

protected:
    void SetGrid() override {
        AddGridColumn(QStringLiteral("SelName"), QStringLiteral("选择"), 40);
        AddGridColumn(QStringLiteral("CardNo"), QStringLiteral("卡号"), 90);
        AddGridColumn(QStringLiteral("Name"), QStringLiteral("持卡人"), 90);
        AddGridColumn(QStringLiteral("Tel"), QStringLiteral("电话"), 100);
        AddGridColumn(QStringLiteral("TypeName"), QStringLiteral("卡类型"), 80);
        AddGridColumn(QStringLiteral("BulidDate"), QStringLiteral("发卡日期"), 80, true, GridColumn::Date);
        AddGridColumn(QStringLiteral("ValidityDate"), QStringLiteral("有效期"), 80, true, GridColumn::Date);
        AddGridColumn(QStringLiteral("Cz"), QStringLiteral("储值余额"), 80, true, GridColumn::Money);
        AddGridColumn(QStringLiteral("ljIntegral"), QStringLiteral("累计积分"), 70);
        AddGridColumn(QStringLiteral("PosName"), QStringLiteral("门店"), 90);
    }
};

long maxRssMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

void waitForRows(const TBaseQuery& window) {
    while (window.GetMainGrid()->GridModel()->IsWaiting())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

void waitForCount(const TBaseQuery& window) {
    while (window.GetMainGrid()->GridModel()->ListedCount() < 0)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

// One backend's database, opened (and brought up to this program's schema) once;
// the texts searched for are taken from a card half-way through.
class Bench {
public:
    explicit Bench(const QString& setting)
        : m_data(Database::open(DbSetting::parse(setting))) {
        SchemaMigrator(m_data.database()).upgrade();
        DataModule::install(&m_data);
        if (m_data.isPostgres())
            m_data.ExecuteSQL(QStringLiteral("ANALYZE vipcard"));
        ClientDataSet sample;
        m_data.OpenSQL(QStringLiteral("SELECT CardNo, Tel, Name FROM vipcard WHERE deleted = 0 AND id >= "
                                      "(SELECT MAX(id) / 2 FROM vipcard) ORDER BY id LIMIT 1"),
                       sample);
        cardFragment = sample.FieldByName(QStringLiteral("CardNo")).AsString().right(6);
        telFragment = sample.FieldByName(QStringLiteral("Tel")).AsString().right(6);
        name = sample.FieldByName(QStringLiteral("Name")).AsString();
    }
    ~Bench() { DataModule::install(nullptr); }
    QString cardFragment;
    QString telFragment;
    QString name;

private:
    DataModule m_data;
};

std::unique_ptr<Bench> current;
QString currentSetting;

Bench& bench(const QString& setting) {
    if (currentSetting != setting) {
        current.reset();
        current = std::make_unique<Bench>(setting);
        currentSetting = setting;
    }
    return *current;
}

void report(benchmark::State& state) {
    state.counters["maxrss_MB"] = static_cast<double>(maxRssMegabytes());
}

QString searched(const Bench& b, int what) {
    return what == 0 ? b.cardFragment : what == 1 ? b.telFragment : b.name;
}

template <typename Body> void guarded(benchmark::State& state, const QString& setting, Body body) try {
    bench(setting);
    body();
} catch (const DbError& e) {
    state.SkipWithError(e.message().toStdString().c_str());
}

void rawPage(benchmark::State& state, const QString& setting, const QString& where, const QString& order,
             QVariantList values = {}) {
    guarded(state, setting, [&] {
        const QString sql = rawStatement(where, order, values) + QStringLiteral(" LIMIT 200");
        for (auto _ : state) {
            ClientDataSet rows;
            dmClient().OpenSQL(sql, rows, values);
            benchmark::DoNotOptimize(rows.RecordCount());
        }
        report(state);
    });
}

void Open(benchmark::State& state, QString setting) {
    guarded(state, setting, [&] {
        for (auto _ : state) {
            auto window = std::make_unique<MemberList>();
            window->Open();
            window->show();
            QCoreApplication::processEvents();
            benchmark::DoNotOptimize(window->RowCount());
            // Closing waits for the count still being read; that is not the opening.
            state.PauseTiming();
            window.reset();
            state.ResumeTiming();
        }
        report(state);
    });
}

void OpenRaw(benchmark::State& state, QString setting) {
    rawPage(state, setting, QString(), QStringLiteral("a.id"));
}

// The status line's count of the whole list, read on the window's reading thread.
void Count(benchmark::State& state, QString setting) {
    guarded(state, setting, [&] {
        for (auto _ : state) {
            auto window = std::make_unique<MemberList>();
            window->Open();
            waitForCount(*window);
            benchmark::DoNotOptimize(window->GetMainGrid()->GridModel()->ListedCount());
            state.PauseTiming();
            window.reset();
            state.ResumeTiming();
        }
        report(state);
    });
}

void CountRaw(benchmark::State& state, QString setting) {
    guarded(state, setting, [&] {
        QVariantList values;
        const QString sql = QStringLiteral("SELECT COUNT(*) FROM (%1) q").arg(rawStatement({}, {}, values));
        for (auto _ : state)
            benchmark::DoNotOptimize(dmClient().OpenSQLAsInt(sql, values));
        report(state);
    });
}

// Text put into the search box until the first rows of the filtered list are shown.
void Filter(benchmark::State& state, QString setting, int what) {
    guarded(state, setting, [&] {
        const QString text = searched(bench(setting), what);
        MemberList window;
        window.Open();
        auto* search = window.findChild<QLineEdit*>(QStringLiteral("searchBox"));
        // The reading thread reads pages and counts one after the other: each search
        // starts once the last count is in.
        waitForCount(window);
        for (auto _ : state) {
            search->setText(text);
            waitForRows(window);
            if (window.RowCount() == 0)
                state.SkipWithError("the filter found no row");
            state.PauseTiming();
            waitForCount(window);
            search->clear();
            waitForRows(window);
            waitForCount(window);
            state.ResumeTiming();
        }
        report(state);
    });
}

// The raw search reads only the one column the text is in.
void FilterRaw(benchmark::State& state, QString setting, int what) {
    const QString column = what == 0   ? QStringLiteral("a.CardNo")
                           : what == 1 ? QStringLiteral("a.Tel")
                                       : QStringLiteral("a.Name");
    guarded(state, setting, [&] {
        const QString text = searched(bench(setting), what);
        rawPage(
            state, setting,
            QStringLiteral(" AND %1 %2 ?").arg(column, dmClient().database().dialect().likeIgnoringCase()),
            QStringLiteral("a.id"), {QLatin1Char('%') + text + QLatin1Char('%')});
    });
}

// A click on a column's header until the first rows in the new order are shown.
void Sort(benchmark::State& state, QString setting, QString field) {
    guarded(state, setting, [&] {
        MemberList window;
        window.Open();
        TQueryGridModel* model = window.GetMainGrid()->GridModel();
        const int column = model->ColumnOf(field);
        waitForCount(window);
        for (auto _ : state) {
            model->sort(column, Qt::DescendingOrder);
            waitForRows(window);
            state.PauseTiming();
            model->sort(-1);
            waitForRows(window);
            state.ResumeTiming();
        }
        report(state);
    });
}

void SortRaw(benchmark::State& state, QString setting, QString field) {
    rawPage(state, setting, QString(), QStringLiteral("a.%1 DESC, a.id DESC").arg(field));
}

// "Mark all", then every marked id handed out in chunks as a batch action reads them.
void MarkAll(benchmark::State& state, QString setting) {
    guarded(state, setting, [&] {
        MemberList window;
        window.Open();
        TQueryGridModel* model = window.GetMainGrid()->GridModel();
        qint64 marked = 0;
        for (auto _ : state) {
            model->MarkAll(true);
            QCoreApplication::processEvents();
            marked = 0;
            window.ForEachMarkedKey(QStringLiteral("id"), 10000,
                                    [&](const QList<qint64>& ids) { marked += ids.size(); });
            model->MarkAll(false);
        }
        state.counters["rows"] = static_cast<double>(marked);
        report(state);
    });
}

void MarkAllRaw(benchmark::State& state, QString setting) {
    guarded(state, setting, [&] {
        QVariantList values;
        const QString sql =
            QStringLiteral("SELECT q.id FROM (%1) q ORDER BY q.id").arg(rawStatement({}, {}, values));
        qint64 marked = 0;
        for (auto _ : state) {
            ClientDataSet rows;
            dmClient().OpenSQL(sql, rows, values);
            marked = rows.RecordCount();
        }
        state.counters["rows"] = static_cast<double>(marked);
        report(state);
    });
}

void registerBackend(const QString& backend, const QString& setting) {
    const auto add = [&](const QString& name, auto&& function, auto... args) {
        const std::string title =
            (QStringLiteral("VipList/") + backend + QLatin1Char('/') + name).toStdString();
        benchmark::RegisterBenchmark(title.c_str(), function, setting, args...)
            ->Iterations(qEnvironmentVariableIntValue("VIP_BENCH_LIST_ITERATIONS") > 0
                             ? qEnvironmentVariableIntValue("VIP_BENCH_LIST_ITERATIONS")
                             : 5)
            ->UseRealTime()
            ->Unit(benchmark::kMillisecond);
    };
    add(QStringLiteral("Open"), Open);
    add(QStringLiteral("Open_raw"), OpenRaw);
    add(QStringLiteral("Count"), Count);
    add(QStringLiteral("Count_raw"), CountRaw);
    const QStringList filters = {QStringLiteral("CardNo"), QStringLiteral("Tel"), QStringLiteral("Name")};
    for (int what = 0; what < filters.size(); ++what) {
        add(QStringLiteral("Filter") + filters[what], Filter, what);
        add(QStringLiteral("Filter") + filters[what] + QStringLiteral("_raw"), FilterRaw, what);
    }
    for (const QString& field :
         {QStringLiteral("CardNo"), QStringLiteral("Name"), QStringLiteral("ljIntegral")}) {
        add(QStringLiteral("Sort") + field, Sort, field);
        add(QStringLiteral("Sort") + field + QStringLiteral("_raw"), SortRaw, field);
    }
    add(QStringLiteral("MarkAll"), MarkAll);
    add(QStringLiteral("MarkAll_raw"), MarkAllRaw);
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    const QString sqlite = qEnvironmentVariable("VIP_BENCH_LIST_SQLITE");
    const QString pg = qEnvironmentVariable("VIP_BENCH_LIST_PG");
    if (!sqlite.isEmpty())
        registerBackend(QStringLiteral("sqlite"), sqlite);
    if (!pg.isEmpty())
        registerBackend(QStringLiteral("postgres"), pg);
    benchmark::RunSpecifiedBenchmarks();
    current.reset();
    benchmark::Shutdown();
    return 0;
}
