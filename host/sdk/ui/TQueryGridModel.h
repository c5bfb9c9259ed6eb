#pragma once

#include "host/sdk/ClientDataSet.h"
#include "host/sdk/ui/CellStyle.h"
#include "host/sdk/ui/GridColumn.h"

#include <QAbstractTableModel>
#include <functional>
#include <memory>
#include <vector>

class Database;
class PagedListQuery;

// The rows of a list window as a table: the data set held once in memory, the
// declared columns over it, and a sort order kept as a permutation so sorting
// 100,000 rows moves integers, not rows. A filter picks from that permutation the
// same way: the rows it hides stay loaded, marked or not, and come back when it
// lifts. Rows in this interface are display rows (sorted, filtered).
//
// A paged list (its query registered with a page key) holds only the pages read so
// far, in the database's order: a sort asks the database for the first page in the
// new ORDER BY, the filter for the first page of a WHERE over the searched columns,
// scrolling to the end for the next page, each read on a thread of its own while the
// rows already shown stay usable; the count of the whole list is read there too.
// Marks are kept by key, "mark all" as the filter it was given plus the keys
// unmarked since, so marking a million rows costs nothing.
class TQueryGridModel final : public QAbstractTableModel {
    Q_OBJECT

public:
    // The mark column and its mark: a chosen row carries "√" in SelName.
    static const QString MarkField;
    static const QString Mark;

    using CellStyler = std::function<void(int row, const QString& field, CellStyle& style)>;

    explicit TQueryGridModel(QObject* parent = nullptr);
    ~TQueryGridModel() override;

    // Declared columns, in order; with none declared every field shows as stored.
    void SetColumns(const QList<GridColumn>& columns);
    const QList<GridColumn>& Columns() const { return m_columns; }
    int ColumnOf(const QString& field) const;

    // Takes the rows of a new load. The current sort is applied to them, and a
    // declared SelName column the query does not return is added, unmarked.
    void SetRows(ClientDataSet rows);
    const ClientDataSet& Rows() const { return m_rows; }
    int DataRow(int row) const { return m_shown.at(static_cast<size_t>(row)); }
    // The display row of a data row, -1 while the filter hides it.
    int DisplayRow(int dataRow) const;
    // Every loaded row, shown or not.
    int TotalCount() const { return m_rows.RecordCount(); }

    // Paged lists. The first page of a load, read on the window's own connection with
    // the current sort and filter; the count follows on the reading thread.
    void LoadFirstPage(const PagedListQuery& query, Database& db);
    bool IsPaged() const { return m_paging != nullptr; }
    // The paged list's query with its current order and filter.
    const PagedListQuery& PagedQuery() const;
    // Reads the next page on 'db' now; false when there is none.
    bool FetchPageNow(Database& db);
    // The rows of the whole list under the filter, -1 while they are being counted.
    qint64 ListedCount() const;
    // Whether a sort or filter is still waiting for its rows.
    bool IsWaiting() const;
    // Hands over the key values of every marked row (shown, filtered out or not yet
    // read), 'chunk' at a time; a list that loads everything reads them from its
    // 'keyField'.
    void ForEachMarkedKey(const QString& keyField, int chunk,
                          const std::function<void(const QList<qint64>&)>& take) const;
    // The same for every row the filter lets through, read or not.
    void ForEachShownKey(const QString& keyField, int chunk,
                         const std::function<void(const QList<qint64>&)>& take) const;

    // Shows only the rows where one of 'columns' shows 'text' (ignoring case) as the
    // grid shows it; an empty text shows every row. The filter stays through loads
    // and sorts until it is set again.
    void SetFilter(const QString& text, const QList<int>& columns);
    const QString& FilterText() const { return m_filterText; }

    // Throw DbError for a field the rows do not have.
    QVariant Value(int row, const QString& field) const;
    // The text the grid shows for a declared column (amounts as "1.00"), the stored
    // value as text for any other field.
    QString Text(int row, const QString& field) const;
    // The text the grid shows in a cell, a flag as "√" or nothing.
    QString CellText(int row, int column) const;
    // A cell as a workbook keeps it: an amount as its number to the cent, a date as
    // a QDate, a flag as "是" or "否", a stored number as a number, anything else as
    // the text the grid shows.
    QVariant CellValue(int row, int column) const;
    void SetValue(int row, const QString& field, const QVariant& value);

    bool IsMarked(int row) const;
    void SetMarked(int row, bool marked);
    // Marks or clears the shown rows; rows the filter hides keep their marks. A paged
    // list marks every row the filter lets through, read or not, and clears every mark.
    void MarkAll(bool marked);
    // Marked display rows (of a paged list: among the rows read so far).
    QList<int> MarkedRows() const;
    // Marked rows among all loaded ones, shown or not; of a paged list, every marked
    // row of the list, counted in the database.
    int MarkedCount() const;

    // Asked for every drawn cell; a styler that throws is switched off after one report.
    void SetCellStyler(CellStyler styler);
    // Draws every cell again, asking the styler afresh.
    void Restyle();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

    // Rows a paged list reads at a time.
    static constexpr int PageSize = 200;

signals:
    void cellStyleFailed(const QString& message);
    // A paged list's rows were replaced by those of a new sort or filter.
    void rowsReplaced();
    void countChanged();
    void pagingFailed(const QString& message);

private:
    void resolveColumns();
    void ensureMarkField();
    void applySort();
    bool matches(int dataRow, const QString& text, const QList<int>& columns) const;
    struct Paging;
    void requestFirstPage();
    void filterQuery();
    void requestCount();
    void replaceRows(ClientDataSet& rows);
    void appendRows(ClientDataSet& rows);
    qint64 keyOf(int row) const;
    void markColumnChanged(int row);
    void matchAll(bool narrowing);
    void rebuildShown();
    int requireMarkField() const;
    CellStyle styleOf(const QModelIndex& index) const;
    QString displayText(const QVariant& value, GridColumn::Format format) const;

    QList<GridColumn> m_declared;
    QList<GridColumn> m_columns;
    QList<int> m_fieldOf;
    ClientDataSet m_rows;
    std::vector<int> m_order;
    std::vector<int> m_shown;
    // Per data row, whether it passes the filter; empty while there is none.
    std::vector<char> m_matches;
    QString m_filterText;
    QList<int> m_filterColumns;
    int m_sortColumn = -1;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
    CellStyler m_styler;
    mutable bool m_stylerFailed = false;
    std::unique_ptr<Paging> m_paging;
};
