#include "vip/cardtypes/CardTypeRuleModel.h"

#include "host/sdk/ui/NumberText.h"

#include <QColor>

namespace {

int slot(CardTypeRuleModel::Field field) {
    return static_cast<int>(field);
}

QString amountText(const Money& amount) {
    return DoubleToString(amount.toDouble());
}

} // namespace

CardTypeRuleModel::CardTypeRuleModel(QList<Column> columns, bool itemRows, QObject* parent)
    : QAbstractTableModel(parent)
    , m_columns(std::move(columns))
    , m_itemRows(itemRows) {
    m_rows.resize(MinRows);
}

bool CardTypeRuleModel::IsNumeric(Field field) {
    switch (field) {
    case Field::From:
    case Field::To:
    case Field::Discount:
    case Field::Base:
    case Field::Grant:
        return true;
    case Field::Comment:
    case Field::ItemCode:
    case Field::ItemName:
        break;
    }
    return false;
}

void CardTypeRuleModel::Load(const ClientDataSet& rows) {
    beginResetModel();
    m_rows.clear();
    const bool items = rows.FindField(QStringLiteral("itemCode")) >= 0;
    const bool marked = rows.FindField(QStringLiteral("itemGone")) >= 0;
    for (int r = 0; r < rows.RecordCount(); ++r) {
        const auto field = [&](const char* name) {
            return ::Field(QString(), rows.Value(r, QLatin1String(name)));
        };
        Row row;
        row.cells[slot(Field::From)] = amountText(field("BuyToTalBegin").AsMoney());
        row.cells[slot(Field::To)] = amountText(field("BuyTotalEnd").AsMoney());
        row.cells[slot(Field::Discount)] = DoubleToString(field("Discount").AsFloat());
        row.cells[slot(Field::Base)] = amountText(field("IntegralQuotiety").AsMoney());
        row.cells[slot(Field::Grant)] = amountText(field("Integral").AsMoney());
        row.cells[slot(Field::Comment)] = field("Comment").AsString();
        row.prec = field("prec").AsInteger();
        if (items) {
            row.cells[slot(Field::ItemCode)] = field("itemCode").AsString();
            row.cells[slot(Field::ItemName)] = field("itemName").AsString();
        }
        row.gone = marked && field("itemGone").AsInteger() == 1;
        m_rows.append(row);
    }
    do
        m_rows.append(Row{});
    while (m_rows.size() < MinRows);
    endResetModel();
}

int CardTypeRuleModel::ColumnOf(Field field) const {
    for (int i = 0; i < m_columns.size(); ++i) {
        if (m_columns[i].field == field)
            return i;
    }
    return -1;
}

QString CardTypeRuleModel::Text(int row, Field field) const {
    return m_rows.at(row).cells[slot(field)];
}

QString CardTypeRuleModel::normalised(Field field, const QString& text) {
    if (!IsNumeric(field))
        return text;
    // Amounts read as the host reads typed amounts; rates as plain numbers.
    return DoubleToString(field == Field::Discount ? StringToDouble(text) : Money::fromText(text).toDouble());
}

void CardTypeRuleModel::SetText(int row, Field field, const QString& text) {
    m_rows[row].cells[slot(field)] = normalised(field, text);
    const int column = ColumnOf(field);
    if (column >= 0)
        emit dataChanged(index(row, column), index(row, column));
    keepEmptyRowAtEnd();
}

void CardTypeRuleModel::SetItem(int row, int prec, const QString& code, const QString& name) {
    Row& target = m_rows[row];
    target.prec = prec;
    target.gone = false;
    target.cells[slot(Field::ItemCode)] = code;
    target.cells[slot(Field::ItemName)] = name;
    emit dataChanged(index(row, 0), index(row, columnCount() - 1));
    keepEmptyRowAtEnd();
}

void CardTypeRuleModel::MarkGone(const QSet<int>& precs) {
    for (int row = 0; row < m_rows.size(); ++row) {
        const bool gone = m_rows[row].prec != 0 && precs.contains(m_rows[row].prec);
        if (m_rows[row].gone == gone)
            continue;
        m_rows[row].gone = gone;
        emit dataChanged(index(row, 0), index(row, columnCount() - 1));
    }
}

void CardTypeRuleModel::InsertEmptyRow(int row) {
    beginInsertRows({}, row, row);
    m_rows.insert(row, Row{});
    endInsertRows();
}

void CardTypeRuleModel::RemoveRule(int row) {
    beginRemoveRows({}, row, row);
    m_rows.removeAt(row);
    endRemoveRows();
    keepEmptyRowAtEnd();
}

int CardTypeRuleModel::RowOfItem(int prec, int exceptRow) const {
    for (int row = 0; row < m_rows.size(); ++row) {
        if (row != exceptRow && prec != 0 && m_rows[row].prec == prec)
            return row;
    }
    return -1;
}

bool CardTypeRuleModel::isBlank(const Row& row) const {
    if (row.prec != 0)
        return false;
    for (const QString& cell : row.cells) {
        if (!cell.trimmed().isEmpty())
            return false;
    }
    return true;
}

bool CardTypeRuleModel::IsRowEmpty(int row) const {
    return m_itemRows ? m_rows.at(row).prec == 0 : isBlank(m_rows.at(row));
}

bool CardTypeRuleModel::isVacant(const Row& row) const {
    if (row.prec != 0 || !row.cells[slot(Field::Comment)].trimmed().isEmpty())
        return false;
    for (Field field : {Field::To, Field::Discount, Field::Base, Field::Grant}) {
        if (StringToDouble(row.cells[slot(field)]) != 0)
            return false;
    }
    return true;
}

int CardTypeRuleModel::CountedRows() const {
    int count = 0;
    while (count < m_rows.size() && !IsRowEmpty(count))
        ++count;
    // Band rows left at the end with nothing in them but zeros, or the lower bound
    // Enter carried over from the row above, are no rule the user made; a row like
    // that between two rules still counts, and the checks name it.
    while (!m_itemRows && count > 0 && isVacant(m_rows[count - 1]))
        --count;
    return count;
}

QList<VipTypeRuleRow> CardTypeRuleModel::Rules() const {
    QList<VipTypeRuleRow> rules;
    const int count = CountedRows();
    for (int r = 0; r < count; ++r) {
        const Row& row = m_rows[r];
        VipTypeRuleRow rule;
        rule.from = Money::fromText(row.cells[slot(Field::From)]);
        rule.to = Money::fromText(row.cells[slot(Field::To)]);
        rule.discount = StringToDouble(row.cells[slot(Field::Discount)]);
        rule.base = Money::fromText(row.cells[slot(Field::Base)]);
        rule.grant = Money::fromText(row.cells[slot(Field::Grant)]);
        rule.comment = row.cells[slot(Field::Comment)];
        rule.prec = row.prec;
        rules.append(rule);
    }
    return rules;
}

void CardTypeRuleModel::keepEmptyRowAtEnd() {
    while (m_rows.size() < MinRows || !isBlank(m_rows.last())) {
        beginInsertRows({}, static_cast<int>(m_rows.size()), static_cast<int>(m_rows.size()));
        m_rows.append(Row{});
        endInsertRows();
    }
}

int CardTypeRuleModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int CardTypeRuleModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_columns.size());
}

QVariant CardTypeRuleModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
        return {};
    const Field field = m_columns[index.column()].field;
    const bool itemCell = field == Field::ItemCode || field == Field::ItemName;
    const bool gone = itemCell && m_rows[index.row()].gone;
    switch (role) {
    case Qt::DisplayRole:
        if (gone && field == Field::ItemName)
            return Text(index.row(), field) + QStringLiteral("（已删除）");
        return Text(index.row(), field);
    case Qt::EditRole:
        return Text(index.row(), field);
    case Qt::ForegroundRole:
        return gone ? QVariant(QColor(Qt::red)) : QVariant();
    case Qt::TextAlignmentRole:
        return int((IsNumeric(field) ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    default:
        return {};
    }
}

bool CardTypeRuleModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable))
        return false;
    // Leaving an untouched cell of an empty row must not turn the row into a "0" row.
    if (isBlank(m_rows[index.row()]) && value.toString().trimmed().isEmpty())
        return false;
    SetText(index.row(), m_columns[index.column()].field, value.toString());
    return true;
}

Qt::ItemFlags CardTypeRuleModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    const Field field = m_columns[index.column()].field;
    const bool chosen = field == Field::ItemCode || field == Field::ItemName;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | (chosen ? Qt::NoItemFlags : Qt::ItemIsEditable);
}

QVariant CardTypeRuleModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    return section >= 0 && section < m_columns.size() ? QVariant(m_columns[section].caption) : QVariant();
}
