#pragma once

#include "vip/storedvalue/VipCzStore.h"

#include <QAbstractTableModel>

// The ladder of a service item as its rules dialog edits it, one step a row. The
// first row is the least purchase: it always exists and its count follows the
// item's least purchase, never typed. While the ladder may be edited an empty row
// waits at the end for the next step; rows with a count of 0 are no steps.
class VipServiceRuleModel final : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { BuyTimes, OncePrice, PriceTotal, GainTimes, NumTotal, ValidityDays, ColumnCount };

    explicit VipServiceRuleModel(QObject* parent = nullptr);

    // Steps by count; without any, the first row alone (count 0).
    void Load(const QList<VipCzStore::ServiceRule>& rules);
    // Read-only (browse, print): no row waits at the end and no cell may be edited.
    void SetReadOnly(bool readOnly);
    // The first row takes the least purchase; its price only where it has none yet.
    void SetFirstRow(int buyTimes, Money oncePrice);
    // Every row in order, those with a count of 0 among them.
    const QList<VipCzStore::ServiceRule>& Rules() const { return m_rows; }
    void RemoveRule(int row);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    // A cell as typed. The amount sets the price (amount / count) when there is a
    // count; the price, count and gift uses set the amount and the total uses.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QString text(int row, int column) const;
    void keepEmptyRowAtEnd();

    QList<VipCzStore::ServiceRule> m_rows;
    bool m_readOnly = false;
};
