#include "host/sdk/ui/TQueryGrid.h"

#include <QAction>
#include <QHeaderView>
#include <QMenu>

TQueryGrid::TQueryGrid(QWidget* parent)
    : QTableView(parent)
    , m_model(new TQueryGridModel(this)) {
    setModel(m_model);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    // Fixed row heights let the view place 100,000 rows without measuring them.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionsMovable(true);
    setSortingEnabled(true);

    horizontalHeader()->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(horizontalHeader(), &QWidget::customContextMenuRequested, this, &TQueryGrid::showColumnMenu);
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this, &TQueryGrid::showGridMenu);
    connect(this, &QAbstractItemView::clicked, this, [this](const QModelIndex& index) {
        const int column = m_model->ColumnOf(TQueryGridModel::MarkField);
        if (index.isValid() && index.column() == column)
            m_model->SetMarked(index.row(), !m_model->IsMarked(index.row()));
    });
    // A reset header forgets hidden sections and widths; put them back each time.
    connect(m_model, &QAbstractItemModel::modelReset, this, &TQueryGrid::applyColumns);
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this](int section, int, int size) {
        if (!m_applying && section < m_model->Columns().size() && size > 0)
            m_widths.insert(m_model->Columns()[section].field.toLower(), size);
    });
    connect(horizontalHeader(), &QHeaderView::sectionMoved, this, [this] {
        if (!m_applying)
            rememberOrder();
    });
}

int TQueryGrid::CurrentRow() const {
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.row() : -1;
}

void TQueryGrid::SetCurrentRow(int row) {
    if (row < 0 || row >= m_model->rowCount())
        return;
    // Stay in the current column; without one, take the first the user can see, so
    // the arrow keys work even when the first column is hidden.
    int column = currentIndex().column();
    if (column < 0 || isColumnHidden(column)) {
        column = 0;
        while (column < m_model->columnCount() - 1 && isColumnHidden(column))
            ++column;
    }
    setCurrentIndex(m_model->index(row, column));
    scrollTo(currentIndex());
}

QList<int> TQueryGrid::SelectedRows() const {
    QList<int> rows;
    for (const QModelIndex& index : selectionModel()->selectedRows())
        rows.append(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

void TQueryGrid::SetSingleSelection(bool single) {
    setSelectionMode(single ? QAbstractItemView::SingleSelection : QAbstractItemView::ExtendedSelection);
}

void TQueryGrid::applyColumns() {
    m_applying = true;
    const QList<GridColumn>& columns = m_model->Columns();
    for (int i = 0; i < columns.size(); ++i) {
        const QString key = columns[i].field.toLower();
        setColumnWidth(i, m_widths.value(key, columns[i].width));
        setColumnHidden(i, m_hidden.value(key, !columns[i].visible));
    }
    QHeaderView* header = horizontalHeader();
    int place = 0;
    for (const QString& field : m_order) {
        const int column = m_model->ColumnOf(field);
        if (column < 0)
            continue;
        header->moveSection(header->visualIndex(column), place);
        ++place;
    }
    m_applying = false;
}

void TQueryGrid::rememberOrder() {
    m_order.clear();
    const QList<GridColumn>& columns = m_model->Columns();
    const QHeaderView* header = horizontalHeader();
    for (int place = 0; place < header->count(); ++place) {
        const int column = header->logicalIndex(place);
        if (column >= 0 && column < columns.size())
            m_order.append(columns[column].field.toLower());
    }
}

TQueryGrid::Layout TQueryGrid::ColumnLayout() const {
    return Layout{m_order, m_widths, m_userHidden};
}

void TQueryGrid::SetColumnLayout(const Layout& layout) {
    m_order = layout.order;
    for (auto width = layout.widths.cbegin(); width != layout.widths.cend(); ++width)
        m_widths.insert(width.key(), width.value());
    for (auto hidden = layout.hidden.cbegin(); hidden != layout.hidden.cend(); ++hidden) {
        m_hidden.insert(hidden.key(), hidden.value());
        m_userHidden.insert(hidden.key(), hidden.value());
    }
    applyColumns();
}

QList<int> TQueryGrid::ShownColumns() const {
    QList<int> shown;
    const QHeaderView* header = horizontalHeader();
    for (int place = 0; place < header->count(); ++place) {
        const int column = header->logicalIndex(place);
        if (column >= 0 && column < m_model->columnCount() && !isColumnHidden(column))
            shown.append(column);
    }
    return shown;
}

void TQueryGrid::SetColumnVisible(const QString& field, bool visible) {
    m_hidden.insert(field.toLower(), !visible);
    const int column = m_model->ColumnOf(field);
    if (column >= 0)
        setColumnHidden(column, !visible);
}

bool TQueryGrid::IsColumnVisible(const QString& field) const {
    const int column = m_model->ColumnOf(field);
    return column >= 0 && !isColumnHidden(column);
}

QAction* TQueryGrid::AddMenuItem(const QString& caption) {
    auto* item = new QAction(caption, this);
    item->setSeparator(caption == QLatin1String("-"));
    m_menuItems.append(item);
    return item;
}

void TQueryGrid::showColumnMenu(const QPoint& position) {
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    const QList<GridColumn>& columns = m_model->Columns();
    for (int i = 0; i < columns.size(); ++i) {
        QAction* toggle = menu->addAction(m_model->headerData(i, Qt::Horizontal).toString());
        toggle->setCheckable(true);
        toggle->setChecked(!isColumnHidden(i));
        const QString field = columns[i].field;
        connect(toggle, &QAction::toggled, this, [this, field](bool shown) {
            SetColumnVisible(field, shown);
            m_userHidden.insert(field.toLower(), !shown);
            emit columnVisibilityChanged();
        });
    }
    menu->popup(horizontalHeader()->viewport()->mapToGlobal(position));
}

void TQueryGrid::showGridMenu(const QPoint& position) {
    if (m_menuItems.isEmpty())
        return;
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->addActions(m_menuItems);
    menu->popup(viewport()->mapToGlobal(position));
}
