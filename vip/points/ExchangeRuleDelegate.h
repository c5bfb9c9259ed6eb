#pragma once

#include <QStyledItemDelegate>

// Cell editors of the exchange rule grids: the points take a whole number (a sign
// too, so a negative entry reaches the range check rather than vanishing), amounts
// and quantities a number, and the coupon kind is picked from its three names.
class ExchangeRuleDelegate final : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
};
