// The member list at a million members, on the databases `vipctl demo --members
// 1000000` made (VIP_BENCH_LIST_SQLITE: a SQLite file, VIP_BENCH_LIST_PG: a
// PostgreSQL URI with its schema; each backend runs when its variable is set): the
// window opening until its first rows are shown, the status line's count, the search
// box filtering by card number, telephone and name, a sort by a column, and marking
// every row and reading back their ids. Each figure stands beside the raw statement
// that reads the same rows on the same connection in the same run. Peak memory
// (maxrss) is reported after each.

#include "host/data/Database.h"
#include "host/db/SchemaMigrator.h"
#include "host/db/queries/ListQueryRegistry.h"
#include "host/sdk/DataModule.h"
#include "host/sdk/DbError.h"
#include "host/sdk/ui/TBaseQuery.h"
#include "host/sdk/ui/TQueryGrid.h"

#include <QApplication>
#include <QLineEdit>
#include <benchmark/benchmark.h>
#include <memory>
#include <sys/resource.h>

namespace {

constexpr int ListNo = 99006;

// The member list's shape: live cards with their type's and store's names.
const ListQueryRegistration
    memberList(ListNo,
               QStringLiteral("SELECT '' AS SelName, a.id, a.CardNo, a.Name, a.Tel, t.TypeName, a.BulidDate, "
                              "a.ValidityDate, a.Cz, a.ljIntegral, a.IsLife, a.Lose, a.StopUse, p.PosName "
                              "FROM vipcard a JOIN viptype t ON t.CTypeId = a.CardType "
                              "LEFT JOIN posinfo p ON p.posid = a.ActivatePosId "
                              "WHERE a.deleted = 0 ORDER BY a.id"),
               QStringLiteral("id"));

class MemberList : public TBaseQuery {
public:
    MemberList() { SetModelId(ListNo); }

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

const QString RawColumns = QStringLiteral(
    "a.id, a.CardNo, a.Name, a.Tel, t.TypeName, a.BulidDate, a.ValidityDate, a.Cz, a.ljIntegral, "
    "a.IsLife, a.Lose, a.StopUse, p.PosName FROM vipcard a JOIN viptype t ON t.CTypeId = a.CardType "
    "LEFT JOIN posinfo p ON p.posid = a.ActivatePosId WHERE a.deleted = 0");

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

// One backend's database, opened (and brought up to this program's schema) once.
class Bench {
public:
    explicit Bench(const QString& setting)
        : m_data(Database::open(DbSetting::parse(setting))) {
        SchemaMigrator(m_data.database()).upgrade();
        DataModule::install(&m_data);
        ClientDataSet sample;
        m_data.OpenSQL(QStringLiteral("SELECT CardNo, Tel, Name FROM vipcard WHERE deleted = 0 AND id >= "
                                      "(SELECT MAX(id) / 2 FROM vipcard) ORDER BY id LIMIT 1"),
                       sample);
        cardFragment = sample.FieldByName(QStringLiteral("CardNo")).AsString().right(6);
        telFragment = sample.FieldByName(QStringLiteral("Tel")).AsString().right(6);
        name = sample.FieldByName(QStringLiteral("Name")).AsString();
        if (m_data.isPostgres())
            m_data.ExecuteSQL(QStringLiteral("ANALYZE vipcard"));
    }
    ~Bench() { DataModule::install(nullptr); }
    DataModule& data() { return m_data; }
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

void rawPage(benchmark::State& state, const QString& where, const QString& order,
             const QVariantList& values) {
    DataModule& data = dmClient();
    for (auto _ : state) {
        ClientDataSet rows;
        data.OpenSQL(QStringLiteral("SELECT ") + RawColumns + where + QStringLiteral(" ORDER BY ") + order +
                         QStringLiteral(" LIMIT 200"),
                     rows, values);
        benchmark::DoNotOptimize(rows.RecordCount());
    }
    report(state);
}

template <typename Body> void guarded(benchmark::State& state, const QString& setting, Body body) try {
    bench(setting);
    body();
} catch (const DbError& e) {
    state.SkipWithError(e.message().toStdString().c_str());
}

void Open(benchmark::State& state, QString setting) {
    guarded(state, setting, [&] {
        for (auto _ : state) {
            MemberList window;
            window.Open();
            window.show();
            QCoreApplication::processEvents();
            benchmark::DoNotOptimize(window.RowCount());
        }
        report(state);
    });
}

void OpenRaw(benchmark::State& state, QString setting) {
    guarded(state, setting, [&] { rawPage(state, QString(), QStringLiteral("a.id"), {}); });
}

void Count(benchmark::State& state, QString setting) {
    guarded(state, setting, [&] {
        for (auto _ : state) {
            MemberList window;
            window.Open();
            waitForCount(window);
            benchmark::DoNotOptimize(window.GetMainGrid()->GridModel()->ListedCount());
        }
        report(state);
    });
}

void CountRaw(benchmark::State& state, QString setting) {
    guarded(state, setting, [&] {
        for (auto _ : state)
            benchmark::DoNotOptimize(
                dmClient().OpenSQLAsInt(QStringLiteral("SELECT COUNT(*) FROM vipcard a JOIN "
                                                       "viptype t ON t.CTypeId = a.CardType "
                                                       "WHERE a.deleted = 0")));
        report(state);
    });
}

// Typing into the search box until the first rows of the filtered list are shown.
void Filter(benchmark::State& state, QString setting, int what) {
    guarded(state, setting, [&] {
        Bench& b = bench(setting);
        const QString text = what == 0 ? b.cardFragment : what == 1 ? b.telFragment : b.name;
        MemberList window;
        window.Open();
        auto* search = window.findChild<QLineEdit*>(QStringLiteral("searchBox"));
        for (auto _ : state) {
            search->setText(text);
            waitForRows(window);
            if (window.RowCount() == 0)
                state.SkipWithError("the filter found no row");
            state.PauseTiming();
            search->clear();
            waitForRows(window);
            state.ResumeTiming();
        }
        report(state);
    });
}

void FilterRaw(benchmark::State& state, QString setting, int what) {
    guarded(state, setting, [&] {
        Bench& b = bench(setting);
        const QString column = what == 0   ? QStringLiteral("a.CardNo")
                               : what == 1 ? QStringLiteral("a.Tel")
                                           : QStringLiteral("a.Name");
        const QString text = what == 0 ? b.cardFragment : what == 1 ? b.telFragment : b.name;
        rawPage(
            state,
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
    guarded(state, setting,
            [&] { rawPage(state, QString(), QStringLiteral("a.%1 DESC, a.id DESC").arg(field), {}); });
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
        qint64 marked = 0;
        for (auto _ : state) {
            ClientDataSet rows;
            dmClient().OpenSQL(
                QStringLiteral("SELECT a.id FROM vipcard a JOIN viptype t ON t.CTypeId = a.CardType "
                               "LEFT JOIN posinfo p ON p.posid = a.ActivatePosId "
                               "WHERE a.deleted = 0 ORDER BY a.id"),
                rows);
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
            ->Iterations(5)
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
