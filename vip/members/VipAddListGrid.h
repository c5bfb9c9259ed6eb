#pragma once

#include <QAbstractTableModel>
#include <QStringList>

// The batch issue's preview grid (SDGData): one row per card number, with its bar
// code and what every card of the run shares. A model over the lists rather than
// one item per cell, so a run of many thousands previews at once.
class VipAddListGrid : public QAbstractTableModel {
    Q_OBJECT

public:
    struct Shared {
        QString bulidDate;
        QString validityDate;
        QString typeName;
        QString isLife;
    };

    using QAbstractTableModel::QAbstractTableModel;

    void Fill(QStringList cardNos, QStringList barCodes, const Shared& shared);
    void Clear() { Fill({}, {}, {}); }
    const QStringList& CardNos() const { return m_cardNos; }
    const QStringList& BarCodes() const { return m_barCodes; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QStringList m_cardNos;
    QStringList m_barCodes;
    Shared m_shared;
};
