#pragma once

#include <QStyledItemDelegate>

// Cell editors of a service item's ladder: counts and days take only digits,
// prices and amounts a number with decimals; nothing there is ever negative.
class VipServiceRuleDelegate final : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
};
