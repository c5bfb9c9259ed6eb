#include "vip/points/ExchangeRuleGrid.h"

#include "host/sdk/MessageBox.h"
#include "vip/points/ExchangeRuleDelegate.h"

#include <QHeaderView>
#include <QKeyEvent>

ExchangeRuleGrid::ExchangeRuleGrid(const QString& name, ExchangeRuleModel* model, QWidget* parent)
    : QTableView(parent)
    , m_model(model) {
    setObjectName(name);
    model->setParent(this);
    setModel(model);
    setItemDelegate(new ExchangeRuleDelegate(this));
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
    setTabKeyNavigation(false);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setStretchLastSection(true);
    for (int column = 0; column < m_model->columnCount(); ++column)
        setColumnWidth(column, ExchangeRuleModel::IsChosen(m_model->FieldOf(column)) ? 140 : 90);
    connect(this, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        if (ExchangeRuleModel::IsChosen(m_model->FieldOf(index.column())))
            emit chooseItem(index.row());
    });
}

void ExchangeRuleGrid::FocusCell(int row, ExchangeRuleModel::Field field) {
    setCurrentIndex(m_model->index(row, std::max(0, m_model->ColumnOf(field))));
    setFocus();
}

void ExchangeRuleGrid::DeleteCurrentRow() {
    const int row = currentIndex().row();
    if (row < 0 || !Question(QStringLiteral("你确定要删除该行吗？"), QStringLiteral("提示")))
        return;
    m_model->RemoveRule(row);
}

void ExchangeRuleGrid::advanceFrom(const QModelIndex& index) {
    if (!index.isValid())
        return;
    if (index.column() + 1 < m_model->columnCount())
        setCurrentIndex(m_model->index(index.row(), index.column() + 1));
    else if (index.row() + 1 < m_model->rowCount())
        setCurrentIndex(m_model->index(index.row() + 1, 0));
}

void ExchangeRuleGrid::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && state() != QAbstractItemView::EditingState) {
        const QModelIndex current = currentIndex();
        if (current.isValid() && ExchangeRuleModel::IsChosen(m_model->FieldOf(current.column())))
            emit chooseItem(current.row());
        else
            advanceFrom(current);
        return;
    }
    QTableView::keyPressEvent(event);
}

void ExchangeRuleGrid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    const QModelIndex edited = currentIndex();
    QTableView::closeEditor(editor, hint);
    // The cell editor ends with SubmitModelCache when the user pressed Enter in it.
    if (hint == QAbstractItemDelegate::SubmitModelCache)
        advanceFrom(edited);
}
