#pragma once

#include "vip/points/ExchangeRuleModel.h"

#include <QTableView>

// The grid of one exchange way. Enter moves on through the row and to the next
// row; a double click or Enter on the product or the coupon type asks for it to
// be chosen there.
class ExchangeRuleGrid final : public QTableView {
    Q_OBJECT

public:
    // Takes the model as its child.
    ExchangeRuleGrid(const QString& name, ExchangeRuleModel* model, QWidget* parent = nullptr);

    ExchangeRuleModel* RuleModel() const { return m_model; }
    void FocusCell(int row, ExchangeRuleModel::Field field);
    // Asks "你确定要删除该行吗？" and deletes the current row on Yes.
    void DeleteCurrentRow();

signals:
    void chooseItem(int row);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

private:
    void advanceFrom(const QModelIndex& index);

    ExchangeRuleModel* m_model;
};
