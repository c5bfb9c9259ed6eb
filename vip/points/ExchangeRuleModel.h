#pragma once

#include "vip/points/ExchangeRule.h"

#include <QAbstractTableModel>

// The rules of one exchange way as its grid shows them, edited in place. Points,
// amounts and quantities are kept as typed, so the checks can name a row whose
// points are no number; the product and the coupon type are chosen, never typed,
// and the coupon kind is picked from a list. An empty row always waits at the end,
// and empty rows anywhere are no rule.
class ExchangeRuleModel final : public QAbstractTableModel {
    Q_OBJECT

public:
    enum class Field { ProductCode, ProductName, CouponKind, CouponName, Points, Quantity, DiffPrice };

    explicit ExchangeRuleModel(int way, QObject* parent = nullptr);

    int Way() const { return m_way; }
    static QString CouponKindName(int kind);

    void Load(const QList<ExchangeRule>& rules);
    int ColumnOf(Field field) const; // -1 when the way's grid has no such column
    Field FieldOf(int column) const { return m_fields.at(column); }
    static bool IsChosen(Field field);

    QString Text(int row, Field field) const;
    // Sets a cell as if typed; a coupon kind is given by its name, and another kind
    // than the row had clears the coupon type chosen for it.
    void SetText(int row, Field field, const QString& text);
    void SetProduct(int row, int prec, const QString& code, const QString& name);
    void SetCoupon(int row, int etcId, int kind, const QString& name);
    int Prec(int row) const { return m_rows.at(row).rule.prec; }
    int CouponKind(int row) const { return m_rows.at(row).rule.couponKind; }
    int CouponType(int row) const { return m_rows.at(row).rule.etcId; }
    void InsertEmptyRow(int row);
    void RemoveRule(int row);

    bool IsRowEmpty(int row) const;
    // The row's rule with its typed texts read as numbers (text that is no number
    // as 0; the points' own check comes first).
    ExchangeRule Rule(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    static constexpr int MinRows = 8;
    struct Row {
        ExchangeRule rule;
        QString points;
        QString quantity;
        QString diffPrice;
    };
    void changed(int row);
    void keepEmptyRowAtEnd();

    int m_way;
    QList<Field> m_fields;
    QList<Row> m_rows;
};
