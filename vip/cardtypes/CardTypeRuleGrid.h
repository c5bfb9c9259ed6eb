#pragma once

#include "vip/cardtypes/CardTypeRuleModel.h"

#include <QTableView>

// A rule grid of the card type dialog. Enter moves on through the row; on a band
// grid, Enter in the remark starts the next band where this one ends. The right
// mouse button does nothing here.
class CardTypeRuleGrid final : public QTableView {
    Q_OBJECT

public:
    // Takes the model as its child.
    CardTypeRuleGrid(const QString& name, CardTypeRuleModel* model, bool bands, QWidget* parent = nullptr);

    CardTypeRuleModel* RuleModel() const { return m_model; }
    void FocusCell(int row, CardTypeRuleModel::Field field);
    // Asks "你确定要删除该行吗？" and deletes the current row on Yes.
    void DeleteCurrentRow();

signals:
    // A double click on the product or attribute of a row: the item is chosen there.
    void itemCellDoubleClicked(int row);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

private:
    void advanceFrom(const QModelIndex& index);

    CardTypeRuleModel* m_model;
    bool m_bands;
};
