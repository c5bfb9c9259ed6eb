#pragma once

#include <QAbstractTableModel>
#include <QList>

class TQueryGrid;
class TQueryGridModel;

// A grid as the user sees it, for export and print: the rows the filter shows in
// their sorted order, the visible columns in the order the user arranged them, and
// every cell as the text the grid shows (amounts with two decimals, flags as "√").
// It reads the grid's rows in place; the columns are taken when it is made.
class ShownGridModel final : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit ShownGridModel(const TQueryGrid& grid, QObject* parent = nullptr);
    // Rows of another model of the same columns (a batch of a long export), shown as 'grid' shows its own.
    ShownGridModel(const TQueryGridModel& rows, const TQueryGrid& grid, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    const TQueryGridModel& m_rows;
    QList<int> m_columns;
};
