#include "vip/points/VipExchangeListModel.h"

#include "host/sdk/VipCodes.h"

VipExchangeListModel::VipExchangeListModel(QObject* parent)
    : QAbstractTableModel(parent) {}

void VipExchangeListModel::SetChangeType(int changeType) {
    beginResetModel();
    m_changeType = changeType;
    switch (changeType) {
    case PointsChange::Goods:
        m_columns = {Product, UseIntegral, ExchangeNum, DiffPrice, ExQty, ExInt, ExTotal, DiffTotal};
        break;
    case PointsChange::ShoppingCards:
        m_columns = {TypeName, Name, UseIntegral, ExchangeNum, DiffPrice, ExQty, ExInt, ExTotal, DiffTotal};
        break;
    default:
        m_columns = {UseIntegral, ExchangeNum, ExQty, ExInt, ExTotal};
    }
    endResetModel();
}

void VipExchangeListModel::Load(const ClientDataSet& rules) {
    beginResetModel();
    m_rows.clear();
    for (int i = 0; i < rules.RecordCount(); ++i) {
        const auto value = [&](const char* name) { return rules.Value(i, QLatin1String(name)); };
        Row row;
        row.exchangeId = value("ExChangeID").toInt();
        row.prec = value("PRec").toInt();
        row.productName = value("PFullName").toString();
        row.typeName = value("TypeName").toString();
        row.name = value("NAME").toString();
        row.type = value("TYPE").toInt();
        row.etcId = value("ETCID").toInt();
        row.line = {value("UseIntegral").toInt(), Money::fromRaw(value("exchangeNum").toLongLong()),
                    Money::fromRaw(value("diffprice").toLongLong())};
        m_rows.append(row);
    }
    endResetModel();
    emit totalsChanged();
}

void VipExchangeListModel::Clear() {
    Load(ClientDataSet());
}

int VipExchangeListModel::Allot(int points) {
    qint64 remaining = points;
    for (Row& row : m_rows) {
        row.units = 0;
        if (remaining == 0 || row.line.useIntegral <= 0)
            continue;
        const qint64 units = remaining / row.line.useIntegral;
        if (units >= 1) {
            row.units = static_cast<int>(units);
            remaining -= row.line.points(row.units);
        }
    }
    rowsChanged();
    return static_cast<int>(points - remaining);
}

void VipExchangeListModel::SetUnits(int row, qint64 units) {
    Row& edited = m_rows[row];
    const int costs = edited.line.useIntegral;
    const qint64 left = qMax<qint64>(0, qint64(m_available) - (Points() - edited.points()));
    units = costs <= 0 ? 0 : qMax<qint64>(0, units);
    if (units * costs > left)
        units = left / costs;
    edited.units = static_cast<int>(units);
    emit dataChanged(index(row, 0), index(row, columnCount() - 1));
    emit totalsChanged();
}

void VipExchangeListModel::SetPoints(int row, qint64 points) {
    const int costs = m_rows.at(row).line.useIntegral;
    SetUnits(row, costs == 0 ? 0 : points / costs);
}

void VipExchangeListModel::SetCardList(int row, const QString& cardList) {
    m_rows[row].cardList = cardList;
}

int VipExchangeListModel::Points() const {
    int sum = 0;
    for (const Row& row : m_rows)
        sum += row.points();
    return sum;
}

Money VipExchangeListModel::Total() const {
    Money sum;
    for (const Row& row : m_rows)
        sum += row.total();
    return sum;
}

Money VipExchangeListModel::DifferenceTotal() const {
    Money sum;
    for (const Row& row : m_rows)
        sum += row.diffTotal();
    return sum;
}

QString VipExchangeListModel::QuantityText(Money quantity) {
    if (quantity.raw() % Money::Scale == 0)
        return QString::number(quantity.raw() / Money::Scale);
    QString text = quantity.toString(4);
    while (text.endsWith(QLatin1Char('0')))
        text.chop(1);
    return text;
}

QString VipExchangeListModel::amountText(Money value) const {
    const bool money = m_changeType == PointsChange::Cash || m_changeType == PointsChange::StoredValue;
    return money ? value.toString(2) : QuantityText(value);
}

void VipExchangeListModel::rowsChanged() {
    if (!m_rows.isEmpty())
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
    emit totalsChanged();
}

int VipExchangeListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int VipExchangeListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_columns.size());
}

QVariant VipExchangeListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() ||
        (role != Qt::DisplayRole && role != Qt::EditRole && role != Qt::TextAlignmentRole))
        return {};
    const Column column = m_columns.at(index.column());
    if (role == Qt::TextAlignmentRole)
        return column >= UseIntegral ? QVariant(Qt::AlignRight | Qt::AlignVCenter) : QVariant();
    const Row& row = m_rows.at(index.row());
    switch (column) {
    case Product:
        return row.productName;
    case TypeName:
        return row.typeName;
    case Name:
        return row.name;
    case UseIntegral:
        return row.line.useIntegral;
    case ExchangeNum:
        return amountText(row.line.exchangeNum);
    case DiffPrice:
        return row.line.diffprice.toString(2);
    case ExQty:
        return row.units;
    case ExInt:
        return row.points();
    case ExTotal:
        return amountText(row.total());
    case DiffTotal:
        return row.diffTotal().toString(2);
    }
    return {};
}

bool VipExchangeListModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable))
        return false;
    const qint64 typed = value.toString().trimmed().toLongLong();
    if (m_columns.at(index.column()) == ExQty)
        SetUnits(index.row(), typed);
    else
        SetPoints(index.row(), typed);
    return true;
}

Qt::ItemFlags VipExchangeListModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    const Column column = m_columns.at(index.column());
    const bool editable =
        (column == ExQty || column == ExInt) && m_rows.at(index.row()).line.useIntegral != 0;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | (editable ? Qt::ItemIsEditable : Qt::NoItemFlags);
}

QVariant VipExchangeListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    const bool cash = m_changeType == PointsChange::Cash;
    const bool storedValue = m_changeType == PointsChange::StoredValue;
    switch (m_columns.at(section)) {
    case Product:
        return QStringLiteral("商品名称");
    case TypeName:
        return QStringLiteral("购物卡类型");
    case Name:
        return QStringLiteral("类型名称");
    case UseIntegral:
        return QStringLiteral("所需积分");
    case ExchangeNum:
        return cash          ? QStringLiteral("可换金额")
               : storedValue ? QStringLiteral("可换储值")
                             : QStringLiteral("可换数量");
    case DiffPrice:
        return QStringLiteral("补差单价");
    case ExQty:
        return QStringLiteral("兑换量");
    case ExInt:
        return QStringLiteral("使用积分");
    case ExTotal:
        return cash          ? QStringLiteral("兑换金额")
               : storedValue ? QStringLiteral("兑换储值")
                             : QStringLiteral("兑换数量");
    case DiffTotal:
        return QStringLiteral("补差合计");
    }
    return {};
}
