#pragma once

#include "host/sdk/ClientDataSet.h"
#include "vip/cardtypes/VipCardTypeSettings.h"

#include <QAbstractTableModel>
#include <QList>
#include <QSet>

// The rows of one rule grid of the card type dialog, edited in place. Numbers are
// kept as the text the grid shows; the product or attribute of a per-item row is
// chosen through a selector, never typed. The grid is a sheet of rows, some of them
// empty, with an empty row always waiting at the end; only the rows before the
// first empty one count, less the band rows left vacant at the end of them.
class CardTypeRuleModel final : public QAbstractTableModel {
    Q_OBJECT

public:
    enum class Field { From, To, Discount, Base, Grant, Comment, ItemCode, ItemName };
    struct Column {
        Field field;
        QString caption;
        int width = 100;
    };

    // 'itemRows': each row belongs to a product or attribute, and the rows that
    // count end at the first row without one.
    CardTypeRuleModel(QList<Column> columns, bool itemRows, QObject* parent = nullptr);

    // Takes loaded rule rows: BuyToTalBegin, BuyTotalEnd, Discount, IntegralQuotiety,
    // Integral, Comment, prec, and itemCode/itemName/itemGone where the rows carry items.
    void Load(const ClientDataSet& rows);

    const QList<Column>& Columns() const { return m_columns; }
    int ColumnOf(Field field) const; // -1 when the grid has no such column
    Field FieldOf(int column) const { return m_columns.at(column).field; }
    static bool IsNumeric(Field field);

    QString Text(int row, Field field) const;
    // Sets a cell as if typed: numbers are read the host's way, an emptied number
    // cell becomes 0.
    void SetText(int row, Field field, const QString& text);
    int Prec(int row) const { return m_rows.at(row).prec; }
    void SetItem(int row, int prec, const QString& code, const QString& name);
    // Marks the rows whose product or attribute is among 'precs' as deleted (the
    // item's name says so) and clears the mark of every other row.
    void MarkGone(const QSet<int>& precs);
    bool IsGone(int row) const { return m_rows.at(row).gone; }
    // An empty row before 'row', for a further chosen item.
    void InsertEmptyRow(int row);
    void RemoveRule(int row);
    // The row holding that product or attribute, other than 'exceptRow'; -1 when none.
    int RowOfItem(int prec, int exceptRow = -1) const;

    bool IsRowEmpty(int row) const;
    // The rows that count: those before the first empty row (for item rows, the
    // first row without an item), without band rows left vacant at their end.
    int CountedRows() const;
    QList<VipTypeRuleRow> Rules() const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    static constexpr int FieldCount = 8;
    static constexpr int MinRows = 8;
    struct Row {
        QString cells[FieldCount];
        int prec = 0;
        bool gone = false; // the row's product or attribute was deleted
    };
    static QString normalised(Field field, const QString& text);
    bool isBlank(const Row& row) const;
    // Nothing but zeros, and perhaps a lower bound, in a row without item or remark.
    bool isVacant(const Row& row) const;
    void keepEmptyRowAtEnd();

    QList<Column> m_columns;
    bool m_itemRows;
    QList<Row> m_rows;
};
