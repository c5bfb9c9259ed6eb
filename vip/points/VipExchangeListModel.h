#pragma once

#include "host/sdk/ClientDataSet.h"
#include "host/sdk/ExchangeLine.h"

#include <QAbstractTableModel>
#include <QList>

// The exchange list of the points exchange dialog: one row per rule the card's type
// offers for the exchange type, with the units the member takes. The points typed
// are allotted to the rows in order (each row takes all the whole units it can of
// what the rows before it left); a typed number of units or points is cut down to
// what the available points allow beside the other rows. Only the units and points
// columns of rows whose rule costs points are editable.
class VipExchangeListModel final : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column {
        Product,
        TypeName,
        Name,
        UseIntegral,
        ExchangeNum,
        DiffPrice,
        ExQty,
        ExInt,
        ExTotal,
        DiffTotal
    };

    struct Row {
        int exchangeId = 0;
        int prec = 0;
        QString productName;
        QString typeName; // the coupon kind's name
        QString name;     // the coupon type's name
        int type = 0;     // the coupon kind
        int etcId = 0;    // the coupon type
        ExchangeLine line;
        int units = 0;
        QString cardList;

        int points() const { return static_cast<int>(line.points(units)); }
        Money total() const { return line.total(units); }
        Money diffTotal() const { return line.diffTotal(units); }
    };

    explicit VipExchangeListModel(QObject* parent = nullptr);

    // The columns and captions of an exchange type (6, 7, 8, 12).
    void SetChangeType(int changeType);
    // Rows of kd_QueryIntegralexchangeSet, none taken yet.
    void Load(const ClientDataSet& rules);
    void Clear();
    // The points the card holds, the most the rows may use together.
    void SetAvailable(int points) { m_available = points; }

    // Spreads 'points' over the rows in order; the points the whole units use.
    int Allot(int points);
    // A typed number of units, or of points (whole units of them), for one row.
    void SetUnits(int row, qint64 units);
    void SetPoints(int row, qint64 points);

    const QList<Row>& Rows() const { return m_rows; }
    void SetCardList(int row, const QString& cardList);
    int Points() const;
    Money Total() const; // money (cash, stored value) or quantity (goods, cards)
    Money DifferenceTotal() const;
    // The model column showing a field, -1 when the exchange type does not show it.
    int ModelColumn(Column column) const { return static_cast<int>(m_columns.indexOf(column)); }
    // A quantity as the list shows it: whole numbers without decimals.
    static QString QuantityText(Money quantity);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

signals:
    // The units of a row or of every row changed.
    void totalsChanged();

private:
    QString amountText(Money value) const;
    void rowsChanged();

    int m_changeType = 0;
    int m_available = 0;
    QList<Column> m_columns;
    QList<Row> m_rows;
};
