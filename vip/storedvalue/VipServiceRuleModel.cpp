#include "vip/storedvalue/VipServiceRuleModel.h"

#include "host/sdk/ui/NumberText.h"

namespace {

bool isEmpty(const VipCzStore::ServiceRule& rule) {
    return rule.buyTimes == 0 && rule.oncePrice.isZero() && rule.gainTimes == 0 && rule.validityDays == 0;
}

QString countText(int count) {
    return count > 0 ? QString::number(count) : QString();
}

} // namespace

VipServiceRuleModel::VipServiceRuleModel(QObject* parent)
    : QAbstractTableModel(parent) {
    Load({});
}

void VipServiceRuleModel::Load(const QList<VipCzStore::ServiceRule>& rules) {
    beginResetModel();
    m_rows = rules;
    if (m_rows.isEmpty())
        m_rows.append(VipCzStore::ServiceRule{});
    endResetModel();
    keepEmptyRowAtEnd();
}

void VipServiceRuleModel::SetReadOnly(bool readOnly) {
    m_readOnly = readOnly;
    if (readOnly && m_rows.size() > 1 && isEmpty(m_rows.last())) {
        beginRemoveRows({}, m_rows.size() - 1, m_rows.size() - 1);
        m_rows.removeLast();
        endRemoveRows();
    }
    keepEmptyRowAtEnd();
}

void VipServiceRuleModel::SetFirstRow(int buyTimes, Money oncePrice) {
    VipCzStore::ServiceRule& first = m_rows.first();
    first.buyTimes = buyTimes;
    if (first.oncePrice.isZero())
        first.oncePrice = oncePrice;
    emit dataChanged(index(0, 0), index(0, ColumnCount - 1));
    keepEmptyRowAtEnd();
}

void VipServiceRuleModel::RemoveRule(int row) {
    if (row <= 0 || row >= m_rows.size())
        return;
    beginRemoveRows({}, row, row);
    m_rows.removeAt(row);
    endRemoveRows();
    keepEmptyRowAtEnd();
}

void VipServiceRuleModel::keepEmptyRowAtEnd() {
    if (m_readOnly || (m_rows.size() > 1 && isEmpty(m_rows.last())))
        return;
    beginInsertRows({}, m_rows.size(), m_rows.size());
    m_rows.append(VipCzStore::ServiceRule{});
    endInsertRows();
}

int VipServiceRuleModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_rows.size();
}

int VipServiceRuleModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QString VipServiceRuleModel::text(int row, int column) const {
    const VipCzStore::ServiceRule& rule = m_rows.at(row);
    switch (column) {
    case BuyTimes:
        return countText(rule.buyTimes);
    case OncePrice:
        return rule.oncePrice.isZero() ? QString() : DoubleToString(rule.oncePrice.toDouble());
    case PriceTotal:
        return rule.buyTimes == 0 || rule.oncePrice.isZero() ? QString()
                                                             : (rule.oncePrice * rule.buyTimes).toString(2);
    case GainTimes:
        return countText(rule.gainTimes);
    case NumTotal:
        return countText(rule.buyTimes + rule.gainTimes);
    case ValidityDays:
        return countText(rule.validityDays);
    default:
        return {};
    }
}

QVariant VipServiceRuleModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return text(index.row(), index.column());
    if (role == Qt::TextAlignmentRole)
        return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

bool VipServiceRuleModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable))
        return false;
    VipCzStore::ServiceRule& rule = m_rows[index.row()];
    const QString typed = value.toString();
    switch (index.column()) {
    case BuyTimes:
        rule.buyTimes = std::max(0, StringToInt(typed));
        break;
    case OncePrice:
        rule.oncePrice = Money::fromText(typed).rounded(4);
        break;
    case PriceTotal:
        // Without a count there is no price to derive; the amount is only ever shown.
        if (rule.buyTimes > 0)
            rule.oncePrice =
                Money::fromRaw((Money::fromText(typed).raw() + rule.buyTimes / 2) / rule.buyTimes);
        break;
    case GainTimes:
        rule.gainTimes = std::max(0, StringToInt(typed));
        break;
    case ValidityDays:
        rule.validityDays = std::max(0, StringToInt(typed));
        break;
    default:
        return false;
    }
    emit dataChanged(this->index(index.row(), 0), this->index(index.row(), ColumnCount - 1));
    keepEmptyRowAtEnd();
    return true;
}

Qt::ItemFlags VipServiceRuleModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    const bool fixed = index.column() == NumTotal || (index.row() == 0 && index.column() == BuyTimes);
    if (!m_readOnly && !fixed)
        flags |= Qt::ItemIsEditable;
    return flags;
}

QVariant VipServiceRuleModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    static const char* const captions[ColumnCount] = {"购买次数", "单价",   "金额",
                                                      "赠送次数", "总数量", "有效天数"};
    return QString::fromUtf8(captions[section]);
}
