#include "vip/points/ExchangeRuleModel.h"

#include "host/sdk/ui/NumberText.h"
#include "vip/coupons/ETCKinds.h"

namespace {

QString amountText(const Money& amount) {
    return amount.isZero() ? QString() : DoubleToString(amount.toDouble());
}

} // namespace

ExchangeRuleModel::ExchangeRuleModel(int way, QObject* parent)
    : QAbstractTableModel(parent)
    , m_way(way) {
    using enum Field;
    if (way == ExchangeWay::Goods)
        m_fields = {ProductCode, ProductName, Points, Quantity, DiffPrice};
    else if (way == ExchangeWay::CouponCards)
        m_fields = {CouponKind, CouponName, Points, Quantity, DiffPrice};
    else
        m_fields = {Points, Quantity};
    m_rows.resize(MinRows);
}

QString ExchangeRuleModel::CouponKindName(int kind) {
    // A row without a coupon type yet shows no kind.
    return kind == 0 ? QString() : ETCKinds::Name(kind);
}

bool ExchangeRuleModel::IsChosen(Field field) {
    return field == Field::ProductCode || field == Field::ProductName || field == Field::CouponName;
}

void ExchangeRuleModel::Load(const QList<ExchangeRule>& rules) {
    beginResetModel();
    m_rows.clear();
    for (const ExchangeRule& rule : rules) {
        Row row;
        row.rule = rule;
        row.points = QString::number(rule.useIntegral);
        row.quantity = amountText(rule.exchangeNum);
        row.diffPrice = amountText(rule.diffPrice);
        m_rows.append(row);
    }
    do
        m_rows.append(Row{});
    while (m_rows.size() < MinRows);
    endResetModel();
}

int ExchangeRuleModel::ColumnOf(Field field) const {
    return static_cast<int>(m_fields.indexOf(field));
}

QString ExchangeRuleModel::Text(int row, Field field) const {
    const Row& r = m_rows.at(row);
    switch (field) {
    case Field::ProductCode:
        return r.rule.productCode;
    case Field::ProductName:
        return r.rule.productName;
    case Field::CouponKind:
        return CouponKindName(r.rule.couponKind);
    case Field::CouponName:
        return r.rule.couponName;
    case Field::Points:
        return r.points;
    case Field::Quantity:
        return r.quantity;
    case Field::DiffPrice:
        return r.diffPrice;
    }
    return {};
}

void ExchangeRuleModel::SetText(int row, Field field, const QString& text) {
    Row& r = m_rows[row];
    switch (field) {
    case Field::Points:
        r.points = text.trimmed();
        break;
    case Field::Quantity:
        r.quantity = text.trimmed();
        break;
    case Field::DiffPrice:
        r.diffPrice = text.trimmed();
        break;
    case Field::CouponKind:
        for (int kind : {CouponKind::CashCoupon, CouponKind::DiscountCard, CouponKind::PreferentialCoupon}) {
            if (CouponKindName(kind) == text && kind != r.rule.couponKind)
                SetCoupon(row, 0, kind, QString());
        }
        return;
    case Field::ProductCode:
    case Field::ProductName:
    case Field::CouponName:
        return;
    }
    changed(row);
}

void ExchangeRuleModel::SetProduct(int row, int prec, const QString& code, const QString& name) {
    ExchangeRule& rule = m_rows[row].rule;
    rule.prec = prec;
    rule.productCode = code;
    rule.productName = name;
    changed(row);
}

void ExchangeRuleModel::SetCoupon(int row, int etcId, int kind, const QString& name) {
    ExchangeRule& rule = m_rows[row].rule;
    rule.etcId = etcId;
    rule.couponKind = kind;
    rule.couponName = name;
    changed(row);
}

void ExchangeRuleModel::InsertEmptyRow(int row) {
    beginInsertRows({}, row, row);
    m_rows.insert(row, Row{});
    endInsertRows();
}

void ExchangeRuleModel::RemoveRule(int row) {
    beginRemoveRows({}, row, row);
    m_rows.removeAt(row);
    endRemoveRows();
    keepEmptyRowAtEnd();
}

bool ExchangeRuleModel::IsRowEmpty(int row) const {
    const Row& r = m_rows.at(row);
    return r.rule.prec == 0 && r.rule.etcId == 0 && r.rule.couponKind == 0 && r.points.isEmpty() &&
           r.quantity.isEmpty() && r.diffPrice.isEmpty();
}

ExchangeRule ExchangeRuleModel::Rule(int row) const {
    const Row& r = m_rows.at(row);
    ExchangeRule rule = r.rule;
    rule.useIntegral = r.points.toInt();
    rule.exchangeNum = Money::fromText(r.quantity);
    rule.diffPrice = Money::fromText(r.diffPrice);
    return rule;
}

void ExchangeRuleModel::changed(int row) {
    emit dataChanged(index(row, 0), index(row, columnCount() - 1));
    keepEmptyRowAtEnd();
}

void ExchangeRuleModel::keepEmptyRowAtEnd() {
    while (m_rows.size() < MinRows || !IsRowEmpty(static_cast<int>(m_rows.size()) - 1)) {
        beginInsertRows({}, static_cast<int>(m_rows.size()), static_cast<int>(m_rows.size()));
        m_rows.append(Row{});
        endInsertRows();
    }
}

int ExchangeRuleModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int ExchangeRuleModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_fields.size());
}

QVariant ExchangeRuleModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
        return {};
    const Field field = m_fields.at(index.column());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return Text(index.row(), field);
    case Qt::TextAlignmentRole: {
        const bool number = field == Field::Points || field == Field::Quantity || field == Field::DiffPrice;
        return int((number ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    }
    default:
        return {};
    }
}

bool ExchangeRuleModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable))
        return false;
    SetText(index.row(), m_fields.at(index.column()), value.toString());
    return true;
}

Qt::ItemFlags ExchangeRuleModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    const Qt::ItemFlags shown = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    return IsChosen(m_fields.at(index.column())) ? shown : shown | Qt::ItemIsEditable;
}

QVariant ExchangeRuleModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    if (section < 0 || section >= m_fields.size())
        return {};
    const bool amount = m_way == ExchangeWay::Cash || m_way == ExchangeWay::StoredValue;
    switch (m_fields.at(section)) {
    case Field::ProductCode:
        return QStringLiteral("商品编号");
    case Field::ProductName:
        return QStringLiteral("商品名称");
    case Field::CouponKind:
        return QStringLiteral("购物卡类型");
    case Field::CouponName:
        return QStringLiteral("兑换购物卡");
    case Field::Points:
        return QStringLiteral("所需积分");
    case Field::Quantity:
        return amount ? QStringLiteral("兑换金额") : QStringLiteral("兑换数量");
    case Field::DiffPrice:
        return QStringLiteral("补差金额");
    }
    return {};
}
