#pragma once

#include "host/sdk/Money.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QList>
#include <QVariant>

// The rows of a service dialog's grid (GridCZ), one service item each, edited in
// place: counts are whole uses, amounts Money; the item itself is chosen through the
// item selection, never typed. An empty row always waits at the end. Edits by the
// user are announced by cellEdited, so the dialog prices the row.
class ServiceGridModel final : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Kind { Text, Count, Amount, Day };
    struct Column {
        QString field;
        QString caption;
        int width = 80;
        Kind kind = Text;
        bool editable = false;
        bool footer = false;
        bool visible = true;
    };

    explicit ServiceGridModel(QList<Column> columns, QObject* parent = nullptr);

    const QList<Column>& Columns() const { return m_columns; }
    int ColumnOf(const QString& field) const;

    int Prec(int row) const { return m_rows.at(row).prec; }
    void SetItem(int row, int prec, const QString& code, const QString& name);
    // The row holding the item, other than 'exceptRow'; -1 when none.
    int RowOfItem(int prec, int exceptRow = -1) const;
    // A count cell as a number, 0 when empty; an amount cell as Money.
    int CountAt(int row, const QString& field) const;
    Money AmountAt(int row, const QString& field) const;
    QString TextAt(int row, const QString& field) const;
    // Sets a cell without announcing an edit; an invalid value empties it.
    void SetValue(int row, const QString& field, const QVariant& value);
    void ClearRow(int row);
    void RemoveItemRow(int row);
    void Clear();
    // The rows holding an item, in order.
    QList<int> ItemRows() const;
    int FooterCount(const QString& field) const;
    Money FooterAmount(const QString& field) const;
    // "合计" and each footer column's caption and sum, for the line under the grid.
    QString FooterText() const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

signals:
    void cellEdited(int row, const QString& field);
    void totalsChanged();

private:
    struct Row {
        int prec = 0;
        QHash<QString, QVariant> cells;
    };
    QString shown(const Row& row, const Column& column) const;
    void keepEmptyRowAtEnd();

    QList<Column> m_columns;
    QList<Row> m_rows;
};
