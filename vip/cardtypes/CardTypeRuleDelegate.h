#pragma once

#include <QStyledItemDelegate>

// Cell editors of the rule grids: number cells take only the characters of a
// number, remarks are held to what the rule row stores.
class CardTypeRuleDelegate final : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
};
