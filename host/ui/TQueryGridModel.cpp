#include "host/sdk/ui/TQueryGridModel.h"

#include "host/data/Database.h"
#include "host/data/VariantText.h"
#include "host/db/queries/PagedListQuery.h"
#include "host/sdk/DataModule.h"
#include "host/sdk/DbError.h"
#include "host/ui/PagedRowLoader.h"

#include <QCollator>
#include <QCollatorSortKey>
#include <QSet>
#include <algorithm>
#include <exception>
#include <iterator>
#include <numeric>
#include <optional>

const QString TQueryGridModel::MarkField = QStringLiteral("SelName");
const QString TQueryGridModel::Mark = QStringLiteral("√");

namespace {

bool isNumber(const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Bool:
        return true;
    default:
        return false;
    }
}

// Flags arrive as booleans (PostgreSQL), as 0/1 (SQLite) or as text a query built.
bool isYes(const QVariant& value) {
    if (value.isNull())
        return false;
    if (value.typeId() == QMetaType::Bool)
        return value.toBool();
    const QString text = value.toString().trimmed();
    bool numeric = false;
    const double number = text.toDouble(&numeric);
    if (numeric)
        return number != 0;
    return text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 || text == QLatin1String("是") ||
           text == QLatin1String("√");
}

// What one row contributes to a sort: nulls first, then numbers, then text in the
// user's collation (card numbers "C9" before "C10").
struct SortKey {
    int kind;
    double number;
    int text;
};

} // namespace

// A paged list's query as last read, its reading thread, and its marks: keys marked
// one by one, and "mark all" as the query (so the filter) it was given with the keys
// unmarked since.
struct TQueryGridModel::Paging {
    explicit Paging(const PagedListQuery& first)
        : query(first) {}
    PagedListQuery query;
    std::unique_ptr<PagedRowLoader> loader;
    bool more = false;
    bool fetching = false;
    bool waiting = false;
    qint64 listed = -1;
    QSet<qint64> marked;
    std::optional<PagedListQuery> all;
    QString allText;
    QList<int> allColumns;
    QSet<qint64> unmarked;
};

TQueryGridModel::TQueryGridModel(QObject* parent)
    : QAbstractTableModel(parent) {}

TQueryGridModel::~TQueryGridModel() = default;

void TQueryGridModel::SetColumns(const QList<GridColumn>& columns) {
    beginResetModel();
    m_declared = columns;
    ensureMarkField();
    resolveColumns();
    if (m_sortColumn >= m_columns.size())
        m_sortColumn = -1;
    matchAll(false);
    rebuildShown();
    endResetModel();
}

int TQueryGridModel::ColumnOf(const QString& field) const {
    for (int i = 0; i < m_columns.size(); ++i) {
        if (m_columns[i].field.compare(field, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

void TQueryGridModel::SetRows(ClientDataSet rows) {
    beginResetModel();
    m_paging.reset();
    m_rows = std::move(rows);
    ensureMarkField();
    resolveColumns();
    m_order.resize(static_cast<size_t>(m_rows.RecordCount()));
    std::iota(m_order.begin(), m_order.end(), 0);
    applySort();
    matchAll(false);
    rebuildShown();
    m_stylerFailed = false;
    endResetModel();
}

int TQueryGridModel::DisplayRow(int dataRow) const {
    const auto found = std::find(m_shown.cbegin(), m_shown.cend(), dataRow);
    return found == m_shown.cend() ? -1 : static_cast<int>(found - m_shown.cbegin());
}

void TQueryGridModel::SetFilter(const QString& text, const QList<int>& columns) {
    if (m_paging) {
        m_filterText = text.trimmed();
        m_filterColumns = columns;
        requestFirstPage();
        requestCount();
        return;
    }
    beginResetModel();
    // Typing on only ever narrows what the last text left, so only those rows are read again.
    const QString trimmed = text.trimmed();
    const bool narrowing = !m_filterText.isEmpty() && columns == m_filterColumns &&
                           trimmed.contains(m_filterText, Qt::CaseInsensitive);
    m_filterText = trimmed;
    m_filterColumns = columns;
    matchAll(narrowing);
    rebuildShown();
    endResetModel();
}

bool TQueryGridModel::matches(int dataRow, const QString& text, const QList<int>& columns) const {
    for (int column : columns) {
        if (column < 0 || column >= m_columns.size() || m_fieldOf[column] < 0)
            continue;
        const QVariant value = m_rows.Value(dataRow, m_fieldOf[column]);
        if (displayText(value, m_columns[column].format).contains(text, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

void TQueryGridModel::matchAll(bool narrowing) {
    const QString& text = m_filterText;
    if (text.isEmpty()) {
        m_matches.clear();
        return;
    }
    const auto rows = static_cast<size_t>(m_rows.RecordCount());
    if (!narrowing || m_matches.size() != rows)
        m_matches.assign(rows, 1);
    for (size_t row = 0; row < rows; ++row) {
        if (m_matches[row])
            m_matches[row] = matches(static_cast<int>(row), text, m_filterColumns) ? 1 : 0;
    }
}

void TQueryGridModel::rebuildShown() {
    if (m_matches.empty()) {
        m_shown = m_order;
        return;
    }
    m_shown.clear();
    std::copy_if(m_order.cbegin(), m_order.cend(), std::back_inserter(m_shown),
                 [this](int row) { return m_matches[static_cast<size_t>(row)] != 0; });
}

void TQueryGridModel::resolveColumns() {
    m_columns = m_declared;
    if (m_columns.isEmpty()) {
        for (const QString& name : m_rows.FieldNames())
            m_columns.append(GridColumn{name, name});
    }
    m_fieldOf.clear();
    for (const GridColumn& column : m_columns)
        m_fieldOf.append(m_rows.FindField(column.field));
}

void TQueryGridModel::ensureMarkField() {
    const bool declared = std::any_of(m_declared.cbegin(), m_declared.cend(), [](const GridColumn& c) {
        return c.field.compare(MarkField, Qt::CaseInsensitive) == 0;
    });
    // A paged list keeps its marks by key, not in its rows.
    if (!declared || m_paging || m_rows.FieldCount() == 0 || m_rows.FindField(MarkField) >= 0)
        return;
    ClientDataSet marked;
    marked.SetFields(QStringList(m_rows.FieldNames()) << MarkField);
    const int fields = m_rows.FieldCount();
    for (int row = 0; row < m_rows.RecordCount(); ++row) {
        QList<QVariant> values;
        values.reserve(fields + 1);
        for (int column = 0; column < fields; ++column)
            values.append(m_rows.Value(row, column));
        values.append(QString());
        marked.AppendRow(std::move(values));
    }
    m_rows = std::move(marked);
}

QVariant TQueryGridModel::Value(int row, const QString& field) const {
    if (m_paging && field.compare(MarkField, Qt::CaseInsensitive) == 0)
        return IsMarked(row) ? Mark : QString();
    return m_rows.Value(DataRow(row), field);
}

QString TQueryGridModel::Text(int row, const QString& field) const {
    const QVariant value = Value(row, field);
    const int column = ColumnOf(field);
    return column < 0 ? VariantText::toText(value) : displayText(value, m_columns[column].format);
}

QString TQueryGridModel::CellText(int row, int column) const {
    const int field = m_fieldOf.at(column);
    if (m_paging && m_columns[column].field.compare(MarkField, Qt::CaseInsensitive) == 0)
        return IsMarked(row) ? Mark : QString();
    return field < 0 ? QString() : displayText(m_rows.Value(DataRow(row), field), m_columns[column].format);
}

QVariant TQueryGridModel::CellValue(int row, int column) const {
    const int field = m_fieldOf.at(column);
    if (field < 0)
        return QString();
    const QVariant value = m_rows.Value(DataRow(row), field);
    switch (m_columns[column].format) {
    case GridColumn::Money:
        return value.isNull() ? QVariant(QString())
                              : QVariant(Field(QString(), value).AsMoney().rounded().toDouble());
    case GridColumn::Date: {
        const QDate date = Field(QString(), value).AsDate();
        return date.isValid() ? QVariant(date) : QVariant(VariantText::toText(value));
    }
    case GridColumn::YesNo:
        return isYes(value) ? QStringLiteral("是") : QStringLiteral("否");
    case GridColumn::Plain:
        break;
    }
    if (isNumber(value) && value.typeId() != QMetaType::Bool)
        return value.toDouble();
    return VariantText::toText(value);
}

void TQueryGridModel::SetValue(int row, const QString& field, const QVariant& value) {
    if (m_paging && field.compare(MarkField, Qt::CaseInsensitive) == 0) {
        SetMarked(row, value.toString() == Mark);
        return;
    }
    m_rows.SetValue(DataRow(row), field, value);
    const int column = ColumnOf(field);
    if (column >= 0)
        emit dataChanged(index(row, column), index(row, column));
}

int TQueryGridModel::requireMarkField() const {
    const int field = m_rows.FindField(MarkField);
    if (field < 0)
        throw DbError(QStringLiteral("列表没有选择标记列 %1。").arg(MarkField));
    return field;
}

bool TQueryGridModel::IsMarked(int row) const {
    if (m_paging) {
        const qint64 key = keyOf(row);
        if (m_paging->marked.contains(key))
            return true;
        return m_paging->all && !m_paging->unmarked.contains(key) &&
               (m_paging->allText.isEmpty() ||
                matches(DataRow(row), m_paging->allText, m_paging->allColumns));
    }
    return m_rows.Value(DataRow(row), requireMarkField()).toString() == Mark;
}

void TQueryGridModel::SetMarked(int row, bool marked) {
    if (m_paging) {
        const qint64 key = keyOf(row);
        if (marked) {
            m_paging->unmarked.remove(key);
            m_paging->marked.insert(key);
        } else {
            m_paging->marked.remove(key);
            if (m_paging->all)
                m_paging->unmarked.insert(key);
        }
        markColumnChanged(row);
        return;
    }
    SetValue(row, MarkField, marked ? Mark : QString());
}

void TQueryGridModel::MarkAll(bool marked) {
    if (m_paging) {
        m_paging->marked.clear();
        m_paging->unmarked.clear();
        m_paging->all.reset();
        if (marked) {
            m_paging->all = m_paging->query;
            m_paging->allText = m_filterText;
            m_paging->allColumns = m_filterColumns;
        }
        markColumnChanged(-1);
        return;
    }
    requireMarkField();
    const QString mark = marked ? Mark : QString();
    for (int row : m_shown)
        m_rows.SetValue(row, MarkField, mark);
    const int column = ColumnOf(MarkField);
    if (column >= 0 && rowCount() > 0)
        emit dataChanged(index(0, column), index(rowCount() - 1, column));
}

QList<int> TQueryGridModel::MarkedRows() const {
    QList<int> rows;
    if (m_paging) {
        for (int row = 0; row < rowCount(); ++row) {
            if (IsMarked(row))
                rows.append(row);
        }
        return rows;
    }
    const int field = requireMarkField();
    for (int row = 0; row < rowCount(); ++row) {
        if (m_rows.Value(DataRow(row), field).toString() == Mark)
            rows.append(row);
    }
    return rows;
}

int TQueryGridModel::MarkedCount() const {
    if (m_paging) {
        int count = 0;
        ForEachMarkedKey(QString(), 10000, [&count](const QList<qint64>& keys) { count += keys.size(); });
        return count;
    }
    const int field = requireMarkField();
    int count = 0;
    for (int row = 0; row < m_rows.RecordCount(); ++row) {
        if (m_rows.Value(row, field).toString() == Mark)
            ++count;
    }
    return count;
}

void TQueryGridModel::SetCellStyler(CellStyler styler) {
    m_styler = std::move(styler);
    m_stylerFailed = false;
    Restyle();
}

void TQueryGridModel::Restyle() {
    if (rowCount() > 0 && columnCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

int TQueryGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_shown.size());
}

int TQueryGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_columns.size());
}

QString TQueryGridModel::displayText(const QVariant& value, GridColumn::Format format) const {
    switch (format) {
    case GridColumn::Money:
        return value.isNull() ? QString() : Field(QString(), value).AsMoney().toString(2);
    case GridColumn::Date: {
        const QDate date = Field(QString(), value).AsDate();
        return date.isValid() ? date.toString(QStringLiteral("yyyy-MM-dd")) : VariantText::toText(value);
    }
    case GridColumn::YesNo:
        return isYes(value) ? Mark : QString();
    case GridColumn::Plain:
        break;
    }
    return VariantText::toText(value);
}

CellStyle TQueryGridModel::styleOf(const QModelIndex& index) const {
    CellStyle style;
    if (!m_styler || m_stylerFailed)
        return style;
    // Drawing must not throw; a styler that fails once is reported once and
    // left off until the next load, so the grid stays usable.
    try {
        m_styler(index.row(), m_columns[index.column()].field, style);
    } catch (const DbError& e) {
        m_stylerFailed = true;
        emit const_cast<TQueryGridModel*>(this)->cellStyleFailed(e.message());
    } catch (const std::exception& e) {
        m_stylerFailed = true;
        emit const_cast<TQueryGridModel*>(this)->cellStyleFailed(QString::fromLocal8Bit(e.what()));
    }
    return style;
}

QVariant TQueryGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
        return {};
    const int field = m_fieldOf[index.column()];
    const GridColumn::Format format = m_columns[index.column()].format;
    if (format == GridColumn::YesNo) {
        // A flag reads best as a box, ticked or not; its text would only repeat it.
        if (role == Qt::CheckStateRole)
            return field >= 0 && isYes(m_rows.Value(DataRow(index.row()), field)) ? Qt::Checked
                                                                                  : Qt::Unchecked;
        if (role == Qt::DisplayRole)
            return {};
    }
    switch (role) {
    case Qt::DisplayRole:
        if (m_paging && m_columns[index.column()].field.compare(MarkField, Qt::CaseInsensitive) == 0)
            return CellText(index.row(), index.column());
        return field < 0
                   ? QString()
                   : displayText(m_rows.Value(DataRow(index.row()), field), m_columns[index.column()].format);
    case Qt::TextAlignmentRole: {
        if (m_columns[index.column()].field.compare(MarkField, Qt::CaseInsensitive) == 0)
            return int(Qt::AlignCenter);
        const bool numeric = field >= 0 && (isNumber(m_rows.Value(DataRow(index.row()), field)) ||
                                            m_columns[index.column()].format == GridColumn::Money);
        return int((numeric ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    }
    case Qt::ForegroundRole: {
        const QColor colour = styleOf(index).font;
        return colour.isValid() ? QVariant(colour) : QVariant();
    }
    case Qt::BackgroundRole: {
        const QColor colour = styleOf(index).background;
        return colour.isValid() ? QVariant(colour) : QVariant();
    }
    default:
        return {};
    }
}

QVariant TQueryGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    if (section < 0 || section >= m_columns.size())
        return {};
    return m_columns[section].caption.isEmpty() ? m_columns[section].field : m_columns[section].caption;
}

void TQueryGridModel::sort(int column, Qt::SortOrder order) {
    if (m_paging) {
        // Only a column of the query's own can be ordered by the database.
        const int field = column >= 0 && column < m_columns.size() ? m_fieldOf[column] : -1;
        m_sortColumn = field < 0 ? -1 : column;
        m_sortOrder = order;
        m_paging->query.SetOrder(field < 0 ? QString() : m_rows.FieldNames().at(field),
                                 field >= 0 && order == Qt::DescendingOrder);
        requestFirstPage();
        return;
    }
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    QList<int> dataRows;
    dataRows.reserve(before.size());
    for (const QModelIndex& index : before)
        dataRows.append(DataRow(index.row()));

    m_sortColumn = column >= 0 && column < m_columns.size() ? column : -1;
    m_sortOrder = order;
    if (m_sortColumn < 0)
        std::iota(m_order.begin(), m_order.end(), 0);
    applySort();
    rebuildShown();

    std::vector<int> displayRowOf(m_order.size(), -1);
    for (size_t row = 0; row < m_shown.size(); ++row)
        displayRowOf[static_cast<size_t>(m_shown[row])] = static_cast<int>(row);
    QModelIndexList after;
    after.reserve(before.size());
    for (int i = 0; i < before.size(); ++i)
        after.append(index(displayRowOf[static_cast<size_t>(dataRows[i])], before[i].column()));
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void TQueryGridModel::applySort() {
    if (m_sortColumn < 0)
        return;
    const int field = m_fieldOf[m_sortColumn];
    if (field < 0)
        return;
    const int rows = m_rows.RecordCount();
    std::vector<SortKey> keys(static_cast<size_t>(rows));
    std::vector<QCollatorSortKey> texts;
    QCollator collator;
    collator.setNumericMode(true);
    for (int row = 0; row < rows; ++row) {
        const QVariant value = m_rows.Value(row, field);
        SortKey& key = keys[static_cast<size_t>(row)];
        if (!value.isValid() || value.isNull()) {
            key = SortKey{0, 0.0, -1};
        } else if (isNumber(value)) {
            key = SortKey{1, VariantText::toDouble(value), -1};
        } else {
            key = SortKey{2, 0.0, static_cast<int>(texts.size())};
            texts.push_back(collator.sortKey(VariantText::toText(value)));
        }
    }
    const auto less = [&](int a, int b) {
        const SortKey& x = keys[static_cast<size_t>(a)];
        const SortKey& y = keys[static_cast<size_t>(b)];
        if (x.kind != y.kind)
            return x.kind < y.kind;
        if (x.kind == 1)
            return x.number < y.number;
        if (x.kind == 2)
            return texts[static_cast<size_t>(x.text)].compare(texts[static_cast<size_t>(y.text)]) < 0;
        return false;
    };
    if (m_sortOrder == Qt::AscendingOrder)
        std::stable_sort(m_order.begin(), m_order.end(), less);
    else
        std::stable_sort(m_order.begin(), m_order.end(), [&](int a, int b) { return less(b, a); });
}

void TQueryGridModel::LoadFirstPage(const PagedListQuery& query, Database& db) {
    auto paging = std::make_unique<Paging>(query);
    if (m_paging) {
        // A reload keeps the marks, the sort, the filter and the reading thread.
        m_paging->loader->Supersede();
        paging->loader = std::move(m_paging->loader);
        paging->marked = std::move(m_paging->marked);
        paging->all = std::move(m_paging->all);
        paging->allText = m_paging->allText;
        paging->allColumns = m_paging->allColumns;
        paging->unmarked = std::move(m_paging->unmarked);
        paging->query.SetFieldNames(m_paging->query.FieldNames());
        paging->query.SetOrder(m_paging->query.OrderField(), m_paging->query.Descending());
    } else {
        m_sortColumn = -1;
        paging->loader = std::make_unique<PagedRowLoader>(db.setting(), [this](const QString& message) {
            if (m_paging) {
                m_paging->fetching = false;
                m_paging->waiting = false;
            }
            emit pagingFailed(message);
        });
    }
    m_paging = std::move(paging);
    if (!m_paging->query.FieldNames().isEmpty())
        filterQuery();
    ClientDataSet rows;
    m_paging->query.Page(db, 0, PageSize, rows);
    m_paging->loader->Supersede();
    m_paging->query.SetFieldNames(rows.FieldNames());
    replaceRows(rows);
    requestCount();
}

bool TQueryGridModel::FetchPageNow(Database& db) {
    if (!m_paging)
        return false;
    if (m_paging->waiting) {
        // A sort or search still on its way: its first page, read here instead.
        m_paging->loader->Supersede();
        ClientDataSet rows;
        m_paging->query.Page(db, 0, PageSize, rows);
        replaceRows(rows);
        emit rowsReplaced();
        return true;
    }
    if (!m_paging->more)
        return false;
    m_paging->loader->Supersede();
    m_paging->fetching = true;
    ClientDataSet rows;
    m_paging->query.Page(db, m_rows.RecordCount(), PageSize, rows);
    appendRows(rows);
    return rows.RecordCount() > 0;
}

const PagedListQuery& TQueryGridModel::PagedQuery() const {
    return m_paging->query;
}

qint64 TQueryGridModel::ListedCount() const {
    return m_paging ? m_paging->listed : m_rows.RecordCount();
}

bool TQueryGridModel::IsWaiting() const {
    return m_paging && (m_paging->waiting || m_paging->fetching);
}

void TQueryGridModel::requestFirstPage() {
    filterQuery();
    m_paging->waiting = true;
    m_paging->loader->RequestPage(m_paging->query, 0, PageSize, [this](ClientDataSet& rows) {
        replaceRows(rows);
        emit rowsReplaced();
    });
}

void TQueryGridModel::filterQuery() {
    if (!m_filterText.isEmpty()) {
        // The search reads the shown columns the query returns, dates and numbers as
        // their text; amounts and flags show a text the database does not hold.
        QStringList fields;
        QStringList cast;
        for (int column : m_filterColumns) {
            if (column < 0 || column >= m_columns.size() || m_fieldOf[column] < 0)
                continue;
            const GridColumn& declared = m_columns[column];
            if (declared.format == GridColumn::Money || declared.format == GridColumn::YesNo ||
                declared.field.compare(MarkField, Qt::CaseInsensitive) == 0)
                continue;
            const QString name = m_rows.FieldNames().at(m_fieldOf[column]);
            fields.append(name);
            const bool text =
                m_rows.RecordCount() > 0 && m_rows.Value(0, m_fieldOf[column]).typeId() == QMetaType::QString;
            if (declared.format == GridColumn::Date || !text)
                cast.append(name);
        }
        m_paging->query.SetFilter(m_filterText, fields, cast);
    } else {
        m_paging->query.SetFilter(QString(), {}, {});
    }
}

void TQueryGridModel::requestCount() {
    m_paging->listed = -1;
    emit countChanged();
    m_paging->loader->RequestCount(m_paging->query, [this](qint64 count) {
        m_paging->listed = count;
        emit countChanged();
    });
}

void TQueryGridModel::replaceRows(ClientDataSet& rows) {
    beginResetModel();
    m_rows = std::move(rows);
    resolveColumns();
    m_order.resize(static_cast<size_t>(m_rows.RecordCount()));
    std::iota(m_order.begin(), m_order.end(), 0);
    m_matches.clear();
    m_shown = m_order;
    m_paging->more = m_rows.RecordCount() == PageSize;
    m_paging->fetching = false;
    m_paging->waiting = false;
    m_stylerFailed = false;
    endResetModel();
}

void TQueryGridModel::appendRows(ClientDataSet& rows) {
    m_paging->more = rows.RecordCount() == PageSize;
    if (rows.IsEmpty()) {
        m_paging->fetching = false;
        return;
    }
    const int first = m_rows.RecordCount();
    beginInsertRows({}, first, first + rows.RecordCount() - 1);
    for (int row = 0; row < rows.RecordCount(); ++row) {
        QList<QVariant> values;
        values.reserve(rows.FieldCount());
        for (int column = 0; column < rows.FieldCount(); ++column)
            values.append(rows.Value(row, column));
        m_rows.AppendRow(std::move(values));
        m_order.push_back(first + row);
        m_shown.push_back(first + row);
    }
    // Still fetching while the views hear of the new rows: one asking for more in
    // between would ask for this page again.
    endInsertRows();
    m_paging->fetching = false;
}

bool TQueryGridModel::canFetchMore(const QModelIndex& parent) const {
    return !parent.isValid() && m_paging && m_paging->more && !m_paging->fetching && !m_paging->waiting;
}

void TQueryGridModel::fetchMore(const QModelIndex& parent) {
    if (!canFetchMore(parent))
        return;
    m_paging->fetching = true;
    const int offset = m_rows.RecordCount();
    m_paging->loader->RequestPage(m_paging->query, offset, PageSize, [this, offset](ClientDataSet& rows) {
        if (offset == m_rows.RecordCount())
            appendRows(rows);
    });
}

qint64 TQueryGridModel::keyOf(int row) const {
    return m_rows.Value(DataRow(row), m_paging->query.KeyField()).toLongLong();
}

void TQueryGridModel::markColumnChanged(int row) {
    const int column = ColumnOf(MarkField);
    if (column < 0 || rowCount() == 0)
        return;
    emit dataChanged(index(row < 0 ? 0 : row, column), index(row < 0 ? rowCount() - 1 : row, column));
}

void TQueryGridModel::ForEachShownKey(const QString& keyField, int chunk,
                                      const std::function<void(const QList<qint64>&)>& take) const {
    if (m_paging) {
        m_paging->query.ForEachKeyChunk(dmClient().database(), chunk, take);
        return;
    }
    const int key = m_rows.FindField(keyField);
    if (key < 0)
        throw DbError(QStringLiteral("数据集中没有字段“%1”。").arg(keyField));
    QList<qint64> keys;
    for (int row = 0; row < rowCount(); ++row) {
        keys.append(m_rows.Value(DataRow(row), key).toLongLong());
        if (keys.size() == chunk) {
            take(keys);
            keys.clear();
        }
    }
    if (!keys.isEmpty())
        take(keys);
}

void TQueryGridModel::ForEachMarkedKey(const QString& keyField, int chunk,
                                       const std::function<void(const QList<qint64>&)>& take) const {
    if (!m_paging) {
        const int mark = requireMarkField();
        const int key = m_rows.FindField(keyField);
        if (key < 0)
            throw DbError(QStringLiteral("数据集中没有字段“%1”。").arg(keyField));
        QList<qint64> keys;
        for (int row = 0; row < m_rows.RecordCount(); ++row) {
            if (m_rows.Value(row, mark).toString() != Mark)
                continue;
            keys.append(m_rows.Value(row, key).toLongLong());
            if (keys.size() == chunk) {
                take(keys);
                keys.clear();
            }
        }
        if (!keys.isEmpty())
            take(keys);
        return;
    }
    QSet<qint64> single = m_paging->marked;
    if (m_paging->all) {
        m_paging->all->ForEachKeyChunk(dmClient().database(), chunk, [&](const QList<qint64>& keys) {
            QList<qint64> kept;
            kept.reserve(keys.size());
            for (qint64 key : keys) {
                single.remove(key);
                if (!m_paging->unmarked.contains(key))
                    kept.append(key);
            }
            if (!kept.isEmpty())
                take(kept);
        });
    }
    // Rows marked one by one that "mark all" did not cover.
    QList<qint64> rest(single.cbegin(), single.cend());
    std::sort(rest.begin(), rest.end());
    for (qsizetype first = 0; first < rest.size(); first += chunk)
        take(rest.mid(first, chunk));
}
