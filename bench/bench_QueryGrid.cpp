// How the list-window grid copes with 100,000 member cards on SQLite: opening the
// window's list query into the grid's model, sorting by a number and by Chinese
// names, marking every row, and filtering as a card number is typed key by key or
// by a text no row shows (every shown cell of every row is read).

#include "host/data/Database.h"
#include "host/db/SchemaMigrator.h"
#include "host/db/queries/ListQueryRegistry.h"
#include "host/sdk/DataModule.h"
#include "host/sdk/DbError.h"
#include "host/sdk/Money.h"
#include "host/sdk/Transaction.h"
#include "host/sdk/ui/TQueryGridModel.h"

#include <QCoreApplication>
#include <QDate>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

constexpr int Rows = 100000;
constexpr int ListNo = 99001;

const ListQueryRegistration cardList(
    ListNo,
    QStringLiteral("SELECT id, CardNo, Name, Tel, ljIntegral, Cz, BulidDate, IsLife, Lose, StopUse "
                   "FROM vipcard WHERE deleted = 0 AND (@CardType = 0 OR CardType = @CardType) ORDER BY id"));

// One database of cards shared by every benchmark of the run.
class CardDatabase {
public:
    CardDatabase()
        : m_data(Database::open(DbSetting::parse(m_dir.filePath(QStringLiteral("bench.sqlite"))))) {
        SchemaMigrator(m_data.database()).upgrade();
        DataModule::install(&m_data);
        m_data.ExecuteSQL(QStringLiteral("INSERT INTO viptype (TypeName) VALUES ('金卡')"));
        static const QStringList surnames = {QStringLiteral("王"), QStringLiteral("李"),
                                             QStringLiteral("张"), QStringLiteral("刘"),
                                             QStringLiteral("陈"), QStringLiteral("杨")};
        static const QStringList givens = {QStringLiteral("芳"),  QStringLiteral("伟"), QStringLiteral("敏"),
                                           QStringLiteral("洋"),  QStringLiteral("静"), QStringLiteral("磊"),
                                           QStringLiteral("秀英")};
        Transaction transaction(m_data);
        const int perStatement = 500;
        for (int first = 0; first < Rows; first += perStatement) {
            QString sql =
                QStringLiteral("INSERT INTO vipcard (cardid, CardNo, Name, Tel, CardType, BulidDate, "
                               "ValidityDate, ljIntegral, Cz) VALUES ");
            QVariantList values;
            for (int i = first; i < first + perStatement; ++i) {
                sql += i == first ? QStringLiteral("(?,?,?,?,1,?,?,?,?)")
                                  : QStringLiteral(",(?,?,?,?,1,?,?,?,?)");
                values << QStringLiteral("{%1}").arg(i) << QString::number(60000000 + i)
                       << surnames[i % surnames.size()] + givens[(i / 7) % givens.size()]
                       << QStringLiteral("139%1").arg(i, 8, 10, QLatin1Char('0'))
                       << QDate(2026, 1, 1).addDays(i % 365) << QDate(2029, 1, 1) << (i * 7919) % 100003
                       << QVariant::fromValue(Money::fromUnits(i % 3000));
            }
            m_data.ExecuteSQL(sql, values);
        }
        transaction.Commit();
    }
    ~CardDatabase() { DataModule::install(nullptr); }

    static CardDatabase& instance() {
        static CardDatabase database;
        return database;
    }

    void load(TQueryGridModel& model) {
        TParamObject params;
        params.Add(QStringLiteral("@CardType"), 0);
        ClientDataSet rows;
        ListQueryRegistry::global().open(ListNo, params, rows);
        model.SetRows(std::move(rows));
    }

private:
    QTemporaryDir m_dir;
    DataModule m_data;
};

std::unique_ptr<TQueryGridModel> loadedModel() {
    auto model = std::make_unique<TQueryGridModel>();
    model->SetColumns({{QStringLiteral("SelName"), QStringLiteral("选择")},
                       {QStringLiteral("CardNo"), QStringLiteral("卡号")},
                       {QStringLiteral("Name"), QStringLiteral("持卡人")},
                       {QStringLiteral("ljIntegral"), QStringLiteral("积分")},
                       {QStringLiteral("Cz"), QStringLiteral("储值余额"), 80, true, GridColumn::Money}});
    CardDatabase::instance().load(*model);
    return model;
}

void openList(benchmark::State& state) try {
    TQueryGridModel model;
    for (auto _ : state)
        CardDatabase::instance().load(model);
    if (model.rowCount() != Rows)
        state.SkipWithError("the grid does not hold every card");
    state.counters["rows_per_second"] =
        benchmark::Counter(double(Rows) * state.iterations(), benchmark::Counter::kIsRate);
} catch (const DbError& error) {
    state.SkipWithError(error.message().toStdString().c_str());
}

void sortBy(benchmark::State& state, const QString& field) try {
    const auto model = loadedModel();
    const int column = model->ColumnOf(field);
    Qt::SortOrder order = Qt::AscendingOrder;
    for (auto _ : state) {
        model->sort(column, order);
        order = order == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    }
} catch (const DbError& error) {
    state.SkipWithError(error.message().toStdString().c_str());
}

void markAll(benchmark::State& state) try {
    const auto model = loadedModel();
    bool marked = true;
    for (auto _ : state) {
        model->MarkAll(marked);
        marked = !marked;
    }
} catch (const DbError& error) {
    state.SkipWithError(error.message().toStdString().c_str());
}

void filterBy(benchmark::State& state, const QStringList& keystrokes) try {
    const auto model = loadedModel();
    const QList<int> columns = {0, 1, 2, 3, 4};
    for (auto _ : state) {
        for (const QString& text : keystrokes)
            model->SetFilter(text, columns);
        model->SetFilter(QString(), columns);
    }
} catch (const DbError& error) {
    state.SkipWithError(error.message().toStdString().c_str());
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RegisterBenchmark("QueryGrid/open_100k", openList)
        ->Iterations(3)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("QueryGrid/sort_points_100k", sortBy, QStringLiteral("ljIntegral"))
        ->Iterations(4)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("QueryGrid/sort_names_100k", sortBy, QStringLiteral("Name"))
        ->Iterations(4)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("QueryGrid/mark_all_100k", markAll)
        ->Iterations(4)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("QueryGrid/filter_typing_card_100k", filterBy,
                                 QStringList{QStringLiteral("6"), QStringLiteral("60"), QStringLiteral("600"),
                                             QStringLiteral("6001"), QStringLiteral("60012"),
                                             QStringLiteral("600123")})
        ->Iterations(4)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("QueryGrid/filter_no_match_100k", filterBy,
                                 QStringList{QStringLiteral("无此人")})
        ->Iterations(4)
        ->Unit(benchmark::kMillisecond);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
