#include "host/sdk/ui/TBaseQuery.h"

#include "host/data/VariantText.h"
#include "host/db/queries/ListQueryRegistry.h"
#include "host/db/queries/PagedListQuery.h"
#include "host/sdk/DataModule.h"
#include "host/sdk/DbError.h"
#include "host/sdk/MessageBox.h"
#include "host/sdk/ui/Accelerator.h"
#include "host/sdk/ui/FileDialogService.h"
#include "host/sdk/ui/FocusFrame.h"
#include "host/sdk/ui/GuardedHandler.h"
#include "host/sdk/ui/PrintService.h"
#include "host/sdk/ui/TBaseCondition.h"
#include "host/sdk/ui/TQueryGrid.h"
#include "host/ui/CsvTableWriter.h"
#include "host/ui/QueryLayoutSettings.h"
#include "host/ui/ShownGridModel.h"
#include "host/ui/XlsxTableWriter.h"

#include <QAction>
#include <QDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScopedValueRollback>
#include <QShortcut>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <typeinfo>

TBaseQuery::TBaseQuery(QWidget* parent)
    : QWidget(parent)
    , m_toolBar(new QToolBar(this))
    , m_topPanel(new QWidget(this))
    , m_bottomPanel(new QWidget(this))
    , m_layout(new QVBoxLayout(this))
    , m_searchBox(new QLineEdit)
    , m_grid(new TQueryGrid(this))
    , m_limitNotice(new QLabel(this))
    , m_statusLine(new QStatusBar(this))
    , m_count(new QLabel) {
    ShowFocusFrame(this);
    m_toolBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    m_toolBar->setFloatable(false);
    m_toolBar->setMovable(false);
    m_limitNotice->hide();
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(2);
    m_layout->addWidget(m_toolBar);
    m_layout->addWidget(m_topPanel);
    m_layout->addWidget(createSearchBar());
    m_layout->addWidget(m_grid, 1);
    m_layout->addWidget(m_bottomPanel);
    m_layout->addWidget(m_limitNotice);
    m_statusLine->setObjectName(QStringLiteral("statusLine"));
    m_statusLine->setSizeGripEnabled(false);
    m_count->setObjectName(QStringLiteral("rowCount"));
    m_statusLine->addPermanentWidget(m_count);
    m_layout->addWidget(m_statusLine);

    m_grid->GridModel()->SetCellStyler([this](int row, const QString& field, CellStyle& style) {
        MainGridAfterDrawCell(row, field, style);
    });
    connect(
        m_grid->GridModel(), &TQueryGridModel::cellStyleFailed, this,
        [](const QString& message) { ShowError(message, QStringLiteral("错误")); }, Qt::QueuedConnection);
    connect(m_grid, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        if (index.isValid())
            RunGuardedAction(this, [this] { DoGridDoubleClick(); });
    });
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this] {
        if (!m_loading)
            RunGuarded([this] { AfterRowChanged(); });
    });
    // A paged list's sort or search answers later; the rows it replaced took the
    // current row with them.
    connect(m_grid->GridModel(), &TQueryGridModel::rowsReplaced, this, [this] {
        {
            const QScopedValueRollback<bool> loading(m_loading, true);
            m_grid->SetCurrentRow(0);
        }
        showCount();
        RunGuarded([this] { AfterRowChanged(); });
    });
    connect(m_grid->GridModel(), &TQueryGridModel::countChanged, this, [this] { showCount(); });
    connect(m_grid->GridModel(), &TQueryGridModel::pagingFailed, this,
            [](const QString& message) { ShowError(message, QStringLiteral("错误")); });
    m_grid->installEventFilter(this);
    connect(m_grid, &TQueryGrid::columnVisibilityChanged, this, [this] {
        if (!FilterText().isEmpty())
            RunGuarded([this] { applyFilter(); });
    });

    auto* help =
        new QShortcut(QKeySequence::HelpContents, this, nullptr, nullptr, Qt::WidgetWithChildrenShortcut);
    connect(help, &QShortcut::activated, this, [this] {
        if (!m_helpItem.isEmpty())
            emit helpRequested(m_helpItem);
    });
}

TBaseQuery::~TBaseQuery() {
    if (m_layoutKey.isEmpty())
        return;
    // In a tab the page's size is the desktop's, not the window's.
    const bool ownWindow = isWindow() || qobject_cast<QDialog*>(parentWidget());
    QueryLayoutSettings(m_layoutKey).Save(m_grid->ColumnLayout(), ownWindow ? size() : QSize());
}

QWidget* TBaseQuery::createSearchBar() {
    auto* bar = new QWidget(this);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(2, 0, 2, 0);
    m_searchBox->setObjectName(QStringLiteral("searchBox"));
    m_searchBox->setPlaceholderText(QStringLiteral("输入文字筛选 (Ctrl+F)"));
    m_searchBox->setClearButtonEnabled(true);
    row->addWidget(m_searchBox, 1);
    connect(m_searchBox, &QLineEdit::textChanged, this, [this] { RunGuarded([this] { applyFilter(); }); });
    const auto addTool = [&](const QString& caption, const QString& name, void (TBaseQuery::*handler)()) {
        auto* action = new QAction(caption, bar);
        ConnectGuarded(action, &QAction::triggered, this, handler);
        auto* button = new QToolButton(bar);
        button->setObjectName(name);
        button->setDefaultAction(action);
        row->addWidget(button);
    };
    addTool(QStringLiteral("导出"), QStringLiteral("exportButton"), &TBaseQuery::ExportShownRows);
    addTool(QStringLiteral("打印"), QStringLiteral("printButton"), &TBaseQuery::PrintShownRows);

    auto* find = new QShortcut(QKeySequence::Find, this, nullptr, nullptr, Qt::WidgetWithChildrenShortcut);
    connect(find, &QShortcut::activated, this, [this] {
        m_searchBox->setFocus();
        m_searchBox->selectAll();
    });
    return bar;
}

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
    m_bottomPanel->setVisible(!m_bottomPanel->children().isEmpty());
    m_grid->GridModel()->SetColumns(m_columns);
    restoreLayout();
    if (m_params.Has(QStringLiteral("@FormStyle")))
        m_formStyle = m_params.AsInteger(QStringLiteral("@FormStyle"));
    m_grid->SetSingleSelection(m_params.AsInteger(QStringLiteral("@SelectOneRow")) == 1);
    InitParamList();
    AfterCreateParamList();
    load();
    m_grid->setFocus();
}

void TBaseQuery::SetSidePanel(QWidget* panel) {
    auto* splitter = new QSplitter(Qt::Horizontal, this);
    const int place = m_layout->indexOf(m_grid);
    m_layout->removeWidget(m_grid);
    splitter->addWidget(panel);
    splitter->addWidget(m_grid);
    splitter->setStretchFactor(1, 1);
    m_layout->insertWidget(place, splitter, 1);
}

void TBaseQuery::restoreLayout() {
    // Each window class keeps its own layout, whatever the framework class it derives from.
    m_layoutKey = QString::fromLatin1(typeid(*this).name());
    const QueryLayoutSettings settings(m_layoutKey);
    m_grid->SetColumnLayout(settings.Columns());
    const QSize size = settings.WindowSize();
    if (size.isValid())
        resize(size);
}

void TBaseQuery::RefreshData() {
    ParamRefresh();
    load();
}

void TBaseQuery::applyFilter() {
    TQueryGridModel* model = m_grid->GridModel();
    const int current = CurrentRow();
    const int dataRow = current >= 0 ? model->DataRow(current) : -1;
    {
        // The current row stays current when the filter keeps it; the hook runs once
        // below for the row the filter ends on.
        const QScopedValueRollback<bool> loading(m_loading, true);
        model->SetFilter(m_searchBox->text(), m_grid->ShownColumns());
        const int kept = dataRow >= 0 ? model->DisplayRow(dataRow) : -1;
        if (RowCount() > 0)
            m_grid->SetCurrentRow(std::max(kept, 0));
    }
    showCount();
    AfterRowChanged();
}

void TBaseQuery::showCount() {
    const TQueryGridModel* model = m_grid->GridModel();
    if (model->IsPaged()) {
        const qint64 listed = model->ListedCount();
        m_count->setText(listed < 0 ? QStringLiteral("已读 %1 条，正在计数…").arg(RowCount())
                         : model->FilterText().isEmpty() ? QStringLiteral("共 %1 条").arg(listed)
                                                         : QStringLiteral("筛选出 %1 条").arg(listed));
        return;
    }
    m_count->setText(model->FilterText().isEmpty()
                         ? QStringLiteral("共 %1 条").arg(model->TotalCount())
                         : QStringLiteral("显示 %1 / 共 %2 条").arg(RowCount()).arg(model->TotalCount()));
}

QString TBaseQuery::FilterText() const {
    return m_searchBox->text();
}

bool TBaseQuery::SelectRowWhere(const QString& field, const QVariant& value) {
    TQueryGridModel* model = m_grid->GridModel();
    if (model->IsPaged())
        return selectPagedRowWhere(field, value);
    const int column = model->Rows().FindField(field);
    if (column < 0)
        throw DbError(QStringLiteral("数据集中没有字段“%1”。").arg(field));
    const QString wanted = VariantText::toText(value);
    for (int dataRow = 0; dataRow < model->TotalCount(); ++dataRow) {
        if (VariantText::toText(model->Rows().Value(dataRow, column)) != wanted)
            continue;
        if (model->DisplayRow(dataRow) < 0)
            m_searchBox->clear();
        m_grid->SetCurrentRow(model->DisplayRow(dataRow));
        return true;
    }
    return false;
}

bool TBaseQuery::selectPagedRowWhere(const QString& field, const QVariant& value) {
    // Rows not read yet are read a page at a time, as far as a user would scroll.
    constexpr int MaxRowsRead = 20 * TQueryGridModel::PageSize;
    TQueryGridModel* model = m_grid->GridModel();
    const QString wanted = VariantText::toText(value);
    int row = 0;
    do {
        for (; row < RowCount(); ++row) {
            if (VariantText::toText(model->Value(row, field)) == wanted) {
                m_grid->SetCurrentRow(row);
                return true;
            }
        }
    } while (row < MaxRowsRead && model->FetchPageNow(dmClient().database()));
    return false;
}

void TBaseQuery::ForEachMarkedKey(const QString& keyField, int chunk,
                                  const std::function<void(const QList<qint64>&)>& take) const {
    m_grid->GridModel()->ForEachMarkedKey(keyField, chunk, take);
}

void TBaseQuery::ForEachShownKey(const QString& keyField, int chunk,
                                 const std::function<void(const QList<qint64>&)>& take) const {
    m_grid->GridModel()->ForEachShownKey(keyField, chunk, take);
}

void TBaseQuery::AfterSave(const QString& field, const QVariant& value) {
    RefreshData();
    SelectRowWhere(field, value);
    ShowStatusMessage(QStringLiteral("已保存"));
}

void TBaseQuery::ShowStatusMessage(const QString& text) {
    m_statusLine->showMessage(text, 5000);
}

QString TBaseQuery::documentName() const {
    return windowTitle().isEmpty() ? QStringLiteral("列表") : windowTitle();
}

void TBaseQuery::ExportShownRows() {
    const QString workbook = QStringLiteral("Excel 工作簿 (*.xlsx)");
    const QString csv = QStringLiteral("CSV 文件 (*.csv)");
    QString chosen = workbook;
    QString path = FileDialogService::current().saveFileName(QStringLiteral("导出"),
                                                             documentName() + QStringLiteral(".xlsx"),
                                                             workbook + QStringLiteral(";;") + csv, &chosen);
    if (path.isEmpty())
        return;
    // The name's own extension decides the format; a name without one takes the
    // format of the chosen filter.
    QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix != QLatin1String("xlsx") && suffix != QLatin1String("csv")) {
        suffix = chosen == csv ? QStringLiteral("csv") : QStringLiteral("xlsx");
        path += QLatin1Char('.') + suffix;
    }
    const ShownGridModel shown(*m_grid);
    if (m_grid->GridModel()->IsPaged()) {
        exportPagedRows(suffix, path);
        return;
    }
    if (suffix == QLatin1String("csv"))
        CsvTableWriter::write(shown, path);
    else
        XlsxTableWriter::write(*m_grid, documentName(), path);
    ShowStatusMessage(QStringLiteral("已导出 %1 条").arg(shown.rowCount()));
}

void TBaseQuery::exportPagedRows(const QString& suffix, const QString& path) {
    // The whole list under the filter, in its order, read and written a batch at a
    // time, so a million rows never sit in memory at once.
    constexpr int Batch = 5000;
    const PagedListQuery query = m_grid->GridModel()->PagedQuery();
    TQueryGridModel batch;
    batch.SetColumns(m_columns);
    int written = 0;
    bool last = false;
    const auto next = [&]() -> const TQueryGridModel* {
        if (last)
            return nullptr;
        ClientDataSet rows;
        query.Page(dmClient().database(), written, Batch, rows);
        last = rows.RecordCount() < Batch;
        written += rows.RecordCount();
        batch.SetRows(std::move(rows));
        return &batch;
    };
    if (suffix == QLatin1String("csv")) {
        ShownGridModel rows(batch, *m_grid);
        const auto nextShown = [&]() -> const QAbstractItemModel* { return next() ? &rows : nullptr; };
        CsvTableWriter::write(ShownGridModel(*m_grid), nextShown, path);
    } else {
        XlsxTableWriter::write(*m_grid, documentName(), path, next);
    }
    ShowStatusMessage(QStringLiteral("已导出 %1 条").arg(written));
}

void TBaseQuery::PrintShownRows() {
    const ShownGridModel shown(*m_grid);
    RunPrintManage(documentName(), TParamObject(), &shown);
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
    showCount();
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
    if (!ListQueryRegistry::global().pageKey(m_modelId).isEmpty()) {
        m_limitNotice->hide();
        m_grid->GridModel()->LoadFirstPage(PagedListQuery(m_modelId, m_params), dmClient().database());
        return;
    }
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
    if (!FilterText().isEmpty())
        applyFilter();
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
    if (CurrentRow() < 0)
        return;
    if (m_formStyle == PickStyle)
        SetModalResult(mrOk);
    else if (m_editAction && m_editAction->isEnabled())
        m_editAction->trigger();
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
