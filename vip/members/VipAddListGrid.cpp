#include "vip/members/VipAddListGrid.h"

namespace {
const QStringList Captions = {QStringLiteral("会员卡号"), QStringLiteral("会员条码"),
                              QStringLiteral("发卡日期"), QStringLiteral("有效日期"),
                              QStringLiteral("卡类型"),   QStringLiteral("激活")};
}

void VipAddListGrid::Fill(QStringList cardNos, QStringList barCodes, const Shared& shared) {
    beginResetModel();
    m_cardNos = std::move(cardNos);
    m_barCodes = std::move(barCodes);
    m_shared = shared;
    endResetModel();
}

int VipAddListGrid::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_cardNos.size());
}

int VipAddListGrid::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(Captions.size());
}

QVariant VipAddListGrid::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || role != Qt::DisplayRole || index.row() >= m_cardNos.size())
        return {};
    switch (index.column()) {
    case 0:
        return m_cardNos.at(index.row());
    case 1:
        return m_barCodes.value(index.row());
    case 2:
        return m_shared.bulidDate;
    case 3:
        return m_shared.validityDate;
    case 4:
        return m_shared.typeName;
    case 5:
        return m_shared.isLife;
    default:
        return {};
    }
}

QVariant VipAddListGrid::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return Captions.value(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}
