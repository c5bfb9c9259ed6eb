#include "vip/storedvalue/ServiceGridModel.h"

#include <QDate>

ServiceGridModel::ServiceGridModel(QList<Column> columns, QObject* parent)
    : QAbstractTableModel(parent)
    , m_columns(std::move(columns)) {
    keepEmptyRowAtEnd();
}

int ServiceGridModel::ColumnOf(const QString& field) const {
    for (int c = 0; c < m_columns.size(); ++c)
        if (m_columns.at(c).field == field)
            return c;
    return -1;
}

void ServiceGridModel::SetItem(int row, int prec, const QString& code, const QString& name) {
    m_rows[row].prec = prec;
    m_rows[row].cells.insert(QStringLiteral("PUSERCODE"), code);
    m_rows[row].cells.insert(QStringLiteral("PFULLNAME"), name);
    emit dataChanged(index(row, 0), index(row, columnCount() - 1));
    keepEmptyRowAtEnd();
}

int ServiceGridModel::RowOfItem(int prec, int exceptRow) const {
    for (int r = 0; r < m_rows.size(); ++r)
        if (r != exceptRow && prec != 0 && m_rows.at(r).prec == prec)
            return r;
    return -1;
}

int ServiceGridModel::CountAt(int row, const QString& field) const {
    return m_rows.at(row).cells.value(field).toInt();
}

Money ServiceGridModel::AmountAt(int row, const QString& field) const {
    const QVariant value = m_rows.at(row).cells.value(field);
    return value.isValid() ? value.value<Money>() : Money();
}

QString ServiceGridModel::TextAt(int row, const QString& field) const {
    const int column = ColumnOf(field);
    if (column >= 0)
        return shown(m_rows.at(row), m_columns.at(column));
    return m_rows.at(row).cells.value(field).toString();
}

void ServiceGridModel::SetValue(int row, const QString& field, const QVariant& value) {
    if (value.isValid())
        m_rows[row].cells.insert(field, value);
    else
        m_rows[row].cells.remove(field);
    const int column = ColumnOf(field);
    if (column >= 0)
        emit dataChanged(index(row, column), index(row, column));
    emit totalsChanged();
}

void ServiceGridModel::ClearRow(int row) {
    m_rows[row] = Row();
    emit dataChanged(index(row, 0), index(row, columnCount() - 1));
    emit totalsChanged();
}

void ServiceGridModel::RemoveItemRow(int row) {
    beginRemoveRows({}, row, row);
    m_rows.removeAt(row);
    endRemoveRows();
    keepEmptyRowAtEnd();
    emit totalsChanged();
}

void ServiceGridModel::Clear() {
    beginResetModel();
    m_rows.clear();
    endResetModel();
    keepEmptyRowAtEnd();
    emit totalsChanged();
}

QList<int> ServiceGridModel::ItemRows() const {
    QList<int> rows;
    for (int r = 0; r < m_rows.size(); ++r)
        if (m_rows.at(r).prec != 0)
            rows.append(r);
    return rows;
}

int ServiceGridModel::FooterCount(const QString& field) const {
    int sum = 0;
    for (int r : ItemRows())
        sum += CountAt(r, field);
    return sum;
}

Money ServiceGridModel::FooterAmount(const QString& field) const {
    Money sum;
    for (int r : ItemRows())
        sum += AmountAt(r, field);
    return sum;
}

QString ServiceGridModel::FooterText() const {
    QStringList parts{QStringLiteral("合计")};
    for (const Column& column : m_columns) {
        if (!column.footer || !column.visible)
            continue;
        parts << column.caption + QLatin1Char(' ') +
                     (column.kind == Amount ? FooterAmount(column.field).toString(2)
                                            : QString::number(FooterCount(column.field)));
    }
    return parts.join(QStringLiteral("  "));
}

QString ServiceGridModel::shown(const Row& row, const Column& column) const {
    const QVariant value = row.cells.value(column.field);
    if (!value.isValid())
        return {};
    switch (column.kind) {
    case Count:
        return QString::number(value.toInt());
    case Amount:
        return value.value<Money>().toString(2);
    case Day:
        return value.toDate().toString(QStringLiteral("yyyy-MM-dd"));
    case Text:
        break;
    }
    return value.toString();
}

void ServiceGridModel::keepEmptyRowAtEnd() {
    if (!m_rows.isEmpty() && m_rows.last().prec == 0)
        return;
    beginInsertRows({}, m_rows.size(), m_rows.size());
    m_rows.append(Row());
    endInsertRows();
}

int ServiceGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_rows.size());
}

int ServiceGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant ServiceGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    const Column& column = m_columns.at(index.column());
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return shown(m_rows.at(index.row()), column);
    if (role == Qt::TextAlignmentRole && column.kind != Text)
        return int(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

bool ServiceGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable))
        return false;
    const Column& column = m_columns.at(index.column());
    const QString text = value.toString().trimmed();
    QVariant stored;
    if (column.kind == Count) {
        bool number = false;
        const qint64 count = text.toLongLong(&number);
        if (!text.isEmpty() && (!number || count < 0))
            return false;
        if (!text.isEmpty())
            stored = int(std::min<qint64>(count, 1000000));
    } else if (column.kind == Amount) {
        if (!text.isEmpty())
            stored = QVariant::fromValue(Money::fromText(text));
    } else {
        stored = text;
    }
    SetValue(index.row(), column.field, stored);
    emit cellEdited(index.row(), column.field);
    return true;
}

Qt::ItemFlags ServiceGridModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (m_columns.at(index.column()).editable && m_rows.at(index.row()).prec != 0)
        f |= Qt::ItemIsEditable;
    return f;
}

QVariant ServiceGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return m_columns.at(section).caption;
    return QAbstractTableModel::headerData(section, orientation, role);
}
