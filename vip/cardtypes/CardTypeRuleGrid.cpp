#include "vip/cardtypes/CardTypeRuleGrid.h"

#include "host/sdk/MessageBox.h"
#include "vip/cardtypes/CardTypeRuleDelegate.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>

CardTypeRuleGrid::CardTypeRuleGrid(const QString& name, CardTypeRuleModel* model, bool bands, QWidget* parent)
    : QTableView(parent)
    , m_model(model)
    , m_bands(bands) {
    setObjectName(name);
    model->setParent(this);
    setModel(model);
    setItemDelegate(new CardTypeRuleDelegate(this));
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
    setContextMenuPolicy(Qt::PreventContextMenu);
    setTabKeyNavigation(false);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    connect(this, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        const CardTypeRuleModel::Field field = m_model->FieldOf(index.column());
        if (field == CardTypeRuleModel::Field::ItemCode || field == CardTypeRuleModel::Field::ItemName)
            emit itemCellDoubleClicked(index.row());
    });
    for (int column = 0; column < m_model->columnCount(); ++column)
        setColumnWidth(column, m_model->Columns().at(column).width);
}

void CardTypeRuleGrid::FocusCell(int row, CardTypeRuleModel::Field field) {
    const int column = std::max(0, m_model->ColumnOf(field));
    setCurrentIndex(m_model->index(row, column));
    setFocus();
}

void CardTypeRuleGrid::DeleteCurrentRow() {
    const int row = currentIndex().row();
    if (row < 0)
        return;
    if (!Question(QStringLiteral("你确定要删除该行吗？"), QStringLiteral("提示")))
        return;
    m_model->RemoveRule(row);
}

void CardTypeRuleGrid::advanceFrom(const QModelIndex& index) {
    if (!index.isValid())
        return;
    const int remark = m_model->ColumnOf(CardTypeRuleModel::Field::Comment);
    if (index.column() != remark) {
        if (index.column() + 1 < m_model->columnCount())
            setCurrentIndex(m_model->index(index.row(), index.column() + 1));
        return;
    }
    const int next = index.row() + 1;
    if (next >= m_model->rowCount())
        return;
    using F = CardTypeRuleModel::Field;
    // A band usually starts where the one before it ends.
    const QString end = m_model->Text(index.row(), F::To);
    if (m_bands && !end.isEmpty() && m_model->Text(next, F::To).isEmpty())
        m_model->SetText(next, F::From, end);
    setCurrentIndex(m_model->index(next, 0));
}

void CardTypeRuleGrid::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && state() != QAbstractItemView::EditingState) {
        advanceFrom(currentIndex());
        return;
    }
    QTableView::keyPressEvent(event);
}

void CardTypeRuleGrid::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        event->accept();
        return;
    }
    QTableView::mousePressEvent(event);
}

void CardTypeRuleGrid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    const QModelIndex edited = currentIndex();
    QTableView::closeEditor(editor, hint);
    // The cell editor ends with SubmitModelCache when the user pressed Enter in it.
    if (hint == QAbstractItemDelegate::SubmitModelCache)
        advanceFrom(edited);
}
