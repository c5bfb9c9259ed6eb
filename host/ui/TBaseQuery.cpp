#include "host/sdk/ui/TBaseQuery.h"

#include "host/data/VariantText.h"
#include "host/db/queries/ListQueryRegistry.h"
#include "host/sdk/DbError.h"
#include "host/sdk/MessageBox.h"
#include "host/sdk/ui/Accelerator.h"
#include "host/sdk/ui/GuardedHandler.h"
#include "host/sdk/ui/TBaseCondition.h"
#include "host/sdk/ui/TQueryGrid.h"

#include <QAction>
#include <QKeyEvent>
#include <QLabel>
#include <QScopedValueRollback>
#include <QShortcut>
#include <QToolBar>
#include <QVBoxLayout>

TBaseQuery::TBaseQuery(QWidget* parent)
    : QWidget(parent)
    , m_toolBar(new QToolBar(this))
    , m_topPanel(new QWidget(this))
    , m_layout(new QVBoxLayout(this))
    , m_grid(new TQueryGrid(this))
    , m_limitNotice(new QLabel(this)) {
    m_toolBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    m_toolBar->setFloatable(false);
    m_toolBar->setMovable(false);
    m_limitNotice->hide();
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(2);
    m_layout->addWidget(m_toolBar);
    m_layout->addWidget(m_topPanel);
    m_layout->addWidget(m_grid, 1);
    m_layout->addWidget(m_limitNotice);

    m_grid->GridModel()->SetCellStyler([this](int row, const QString& field, CellStyle& style) {
        MainGridAfterDrawCell(row, field, style);
    });
    connect(
        m_grid->GridModel(), &TQueryGridModel::cellStyleFailed, this,
        [](const QString& message) { ShowError(message, QStringLiteral("错误")); }, Qt::QueuedConnection);
    connect(m_grid, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        if (index.isValid())
            RunGuarded([this] { DoGridDoubleClick(); });
    });
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this] {
        if (!m_loading)
            RunGuarded([this] { AfterRowChanged(); });
    });
    m_grid->installEventFilter(this);

    auto* help =
        new QShortcut(QKeySequence::HelpContents, this, nullptr, nullptr, Qt::WidgetWithChildrenShortcut);
    connect(help, &QShortcut::activated, this, [this] {
        if (!m_helpItem.isEmpty())
            emit helpRequested(m_helpItem);
    });
}

TBaseQuery::~TBaseQuery() = default;

void TBaseQuery::Open() {
    OnIniButton();
    m_condition = QueryCase();
    if (m_condition) {
        m_layout->insertWidget(1, m_condition);
        m_condition->IniCondition();
    }
    // The top panel only takes room when the window put something on it.
    m_topPanel->setVisible(!m_topPanel->children().isEmpty());
    if (m_topPanel->isVisibleTo(this))
        m_topPanel->setMinimumHeight(m_topPanel->childrenRect().bottom() + 6);
    SetGrid();
    m_grid->GridModel()->SetColumns(m_columns);
    if (m_params.Has(QStringLiteral("@FormStyle")))
        m_formStyle = m_params.AsInteger(QStringLiteral("@FormStyle"));
    m_grid->SetSingleSelection(m_params.AsInteger(QStringLiteral("@SelectOneRow")) == 1);
    InitParamList();
    AfterCreateParamList();
    load();
    m_grid->setFocus();
}

void TBaseQuery::RefreshData() {
    ParamRefresh();
    load();
}

void TBaseQuery::load() {
    const int keepRow = m_grid->CurrentRow();
    {
        // Row changes while the rows are replaced are not the user's; the hook runs
        // once below, for the row the load ends on.
        const QScopedValueRollback<bool> loading(m_loading, true);
        LoadData();
        if (RowCount() > 0)
            m_grid->SetCurrentRow(std::min(std::max(keepRow, 0), RowCount() - 1));
    }
    CustomGrid();
    ChangeConditionData();
    AfterRowChanged();
}

void TBaseQuery::mergeConditionParams() {
    if (!m_condition)
        return;
    const TParamObject conditions = m_condition->GetParamList();
    for (const auto& param : conditions.Params())
        m_params.Add(param.name, param.value);
}

void TBaseQuery::InitParamList() {
    mergeConditionParams();
}

void TBaseQuery::ParamRefresh() {
    mergeConditionParams();
}

void TBaseQuery::LoadData() {
    const int limit = m_loadAll ? 0 : m_rowLimit;
    ClientDataSet rows;
    ListQueryRegistry::global().open(m_modelId, m_params, rows, limit);
    const bool cut = limit > 0 && rows.RecordCount() > limit;
    if (cut) {
        // The query fetched one row beyond the limit only to learn there are more.
        ClientDataSet kept;
        kept.SetFields(rows.FieldNames());
        for (int row = 0; row < limit; ++row) {
            QList<QVariant> values;
            for (int column = 0; column < rows.FieldCount(); ++column)
                values.append(rows.Value(row, column));
            kept.AppendRow(std::move(values));
        }
        rows = std::move(kept);
    }
    m_limitNotice->setText(cut ? QStringLiteral("只显示前 %1 条记录，请缩小查询范围。").arg(limit)
                               : QString());
    m_limitNotice->setVisible(cut);
    m_grid->GridModel()->SetRows(std::move(rows));
}

int TBaseQuery::RowCount() const {
    return m_grid->GridModel()->rowCount();
}

int TBaseQuery::CurrentRow() const {
    return m_grid->CurrentRow();
}

int TBaseQuery::rowOrCurrent(int row) const {
    const int chosen = row < 0 ? CurrentRow() : row;
    return chosen < RowCount() ? chosen : -1;
}

QVariant TBaseQuery::GDataVar(const QString& field, int row) const {
    const int chosen = rowOrCurrent(row);
    if (chosen < 0) {
        // No row to read, but an unknown field is still the caller's mistake.
        if (m_grid->GridModel()->Rows().FindField(field) < 0)
            throw DbError(QStringLiteral("数据集中没有字段“%1”。").arg(field));
        return {};
    }
    return m_grid->GridModel()->Value(chosen, field);
}

QString TBaseQuery::GData(const QString& field, int row) const {
    const int chosen = rowOrCurrent(row);
    return chosen < 0 ? VariantText::toText(GDataVar(field, row)) : m_grid->GridModel()->Text(chosen, field);
}

void TBaseQuery::SData(const QString& field, const QVariant& value, int row) {
    const int chosen = rowOrCurrent(row);
    if (chosen < 0)
        throw DbError(QStringLiteral("表格中没有第 %1 行。").arg(row < 0 ? 1 : row + 1));
    m_grid->GridModel()->SetValue(chosen, field, value);
}

void TBaseQuery::refreshGrid() {
    m_grid->GridModel()->Restyle();
}

void TBaseQuery::AddGridColumn(const QString& field, const QString& caption, int width, bool visible,
                               GridColumn::Format format) {
    m_columns.append(GridColumn{field, caption, width, visible, format});
}

void TBaseQuery::ModifGridColumnVisible(const QString& field, bool visible) {
    m_grid->SetColumnVisible(field, visible);
}

void TBaseQuery::ModifConditionVisible(const QString& name, bool visible) {
    if (m_condition)
        m_condition->SetControlVisible(name, visible);
}

QAction* TBaseQuery::AddGridMenu(const QString& caption, std::function<void()> handler) {
    QAction* item = m_grid->AddMenuItem(caption);
    if (handler)
        ConnectGuarded(item, &QAction::triggered, this, std::move(handler));
    return item;
}

QAction* TBaseQuery::AddButtonAndGetAction(const QString& caption, std::function<void()> handler) {
    auto* action = new QAction(caption, this);
    action->setShortcut(AcceleratorOf(caption));
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    ConnectGuarded(action, &QAction::triggered, this, std::move(handler));
    addAction(action);
    m_toolBar->addAction(action);
    m_buttons.append(action);
    return action;
}

QAction* TBaseQuery::GetAction(const QString& caption) const {
    for (QAction* action : GetActions()) {
        if (action->text() == caption)
            return action;
    }
    return nullptr;
}

QList<QAction*> TBaseQuery::GetActions() const {
    return m_buttons + m_grid->MenuItems();
}

void TBaseQuery::SetModalResult(int modalResult) {
    m_modalResult = modalResult;
    if (modalResult != mrNone)
        emit closeRequested(modalResult);
}

void TBaseQuery::DoGridDoubleClick() {
    if (m_formStyle == PickStyle && CurrentRow() >= 0)
        SetModalResult(mrOk);
}

void TBaseQuery::MainGridAfterDrawCell(int, const QString&, CellStyle&) {}

bool TBaseQuery::MainGridKeyPress(QKeyEvent& event) {
    if ((event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter) && CurrentRow() >= 0) {
        DoGridDoubleClick();
        return true;
    }
    return false;
}

bool TBaseQuery::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_grid && event->type() == QEvent::KeyPress) {
        bool handled = false;
        // A key whose action failed has been answered with the error box already.
        const bool ran = RunGuarded([&] { handled = MainGridKeyPress(*static_cast<QKeyEvent*>(event)); });
        return handled || !ran;
    }
    return QWidget::eventFilter(watched, event);
}
