#pragma once

#include "host/sdk/ClientDataSet.h"
#include "host/sdk/ui/CellStyle.h"
#include "host/sdk/ui/GridColumn.h"

#include <QAbstractTableModel>
#include <functional>
#include <vector>

// The rows of a list window as a table: the data set held once in memory, the
// declared columns over it, and a sort order kept as a permutation so sorting
// 100,000 rows moves integers, not rows. Rows in this interface are display rows.
class TQueryGridModel final : public QAbstractTableModel {
    Q_OBJECT

public:
    // The mark column and its mark: a chosen row carries "√" in SelName.
    static const QString MarkField;
    static const QString Mark;

    using CellStyler = std::function<void(int row, const QString& field, CellStyle& style)>;

    explicit TQueryGridModel(QObject* parent = nullptr);

    // Declared columns, in order; with none declared every field shows as stored.
    void SetColumns(const QList<GridColumn>& columns);
    const QList<GridColumn>& Columns() const { return m_columns; }
    int ColumnOf(const QString& field) const;

    // Takes the rows of a new load. The current sort is applied to them, and a
    // declared SelName column the query does not return is added, unmarked.
    void SetRows(ClientDataSet rows);
    const ClientDataSet& Rows() const { return m_rows; }
    int DataRow(int row) const { return m_order.at(static_cast<size_t>(row)); }

    // Throw DbError for a field the rows do not have.
    QVariant Value(int row, const QString& field) const;
    // The text the grid shows for a declared column (amounts as "1.00"), the stored
    // value as text for any other field.
    QString Text(int row, const QString& field) const;
    void SetValue(int row, const QString& field, const QVariant& value);

    bool IsMarked(int row) const;
    void SetMarked(int row, bool marked);
    void MarkAll(bool marked);
    QList<int> MarkedRows() const;
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

signals:
    void cellStyleFailed(const QString& message);

private:
    void resolveColumns();
    void ensureMarkField();
    void applySort();
    int requireMarkField() const;
    CellStyle styleOf(const QModelIndex& index) const;
    QString displayText(const QVariant& value, GridColumn::Format format) const;

    QList<GridColumn> m_declared;
    QList<GridColumn> m_columns;
    QList<int> m_fieldOf;
    ClientDataSet m_rows;
    std::vector<int> m_order;
    int m_sortColumn = -1;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
    CellStyler m_styler;
    mutable bool m_stylerFailed = false;
};
