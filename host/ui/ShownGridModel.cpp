#include "host/ui/ShownGridModel.h"

#include "host/sdk/ui/TQueryGrid.h"

ShownGridModel::ShownGridModel(const TQueryGrid& grid, QObject* parent)
    : ShownGridModel(*grid.GridModel(), grid, parent) {}

ShownGridModel::ShownGridModel(const TQueryGridModel& rows, const TQueryGrid& grid, QObject* parent)
    : QAbstractTableModel(parent)
    , m_rows(rows)
    , m_columns(grid.ShownColumns()) {}

int ShownGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_rows.rowCount();
}

int ShownGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_columns.size());
}

QVariant ShownGridModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    return m_rows.CellText(index.row(), m_columns[index.column()]);
}

QVariant ShownGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= m_columns.size())
        return QAbstractTableModel::headerData(section, orientation, role);
    return m_rows.headerData(m_columns[section], orientation, role);
}
