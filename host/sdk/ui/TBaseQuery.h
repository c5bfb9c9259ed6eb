#pragma once

#include "host/sdk/TParamObject.h"
#include "host/sdk/ui/CellStyle.h"
#include "host/sdk/ui/GridColumn.h"
#include "host/sdk/ui/ModalResult.h"

#include <QWidget>
#include <functional>

class QAction;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QStatusBar;
class QToolBar;
class QVBoxLayout;
class TBaseCondition;
class TQueryGrid;

// A list window: a tool bar of buttons, an optional condition panel, a search box
// that filters the shown rows as the user types (with export to Excel or CSV and print of
// what is shown beside it), one grid showing the rows of the host's list query for
// the window's model id, and a status line counting the rows. Module windows
// subclass it and override the hooks; the host creates the window, hands it the
// caller's parameters and calls Open(), then shows it as a tab or modally. The
// grid's column order, widths and visibility, and the size of a window shown on its
// own, are remembered per window class between runs.
//
// Order of the hooks on Open(): OnIniButton, QueryCase (and the panel's
// IniCondition), SetGrid, InitParamList, AfterCreateParamList, then a load:
// LoadData, CustomGrid, ChangeConditionData, AfterRowChanged. RefreshData runs
// ParamRefresh and a load again.
//
// Rows in every service are display rows of the grid (after sorting); -1 means the
// current row. A window whose list query is registered with a page key shows a
// paged list (see TQueryGridModel): the services then see the rows read so far,
// RowCount() among them; the whole list is counted in the status line, and the
// marked rows are handed out by key (ForEachMarkedKey) in chunks. The window's parameter object carries the
// caller's inputs in and the window's outputs back.
class TBaseQuery : public QWidget {
    Q_OBJECT

public:
    // Form styles: a window opened to pick rows closes with mrOk on a double click.
    static constexpr int NormalStyle = 0;
    static constexpr int PickStyle = 1;

    explicit TBaseQuery(QWidget* parent = nullptr);
    ~TBaseQuery() override;

    // Builds the window and loads its rows. Throws DbError when the query fails.
    void Open();
    TParamObject& Params() { return m_params; }
    const TParamObject& Params() const { return m_params; }

    TQueryGrid* GetMainGrid() const { return m_grid; }
    TBaseCondition* GetCondition() const { return m_condition; }
    // The space above the grid for controls a window places itself (check boxes).
    QWidget* GetTopPanel() const { return m_topPanel; }
    // The space below the grid for what a window shows of the current row (a grid of
    // its detail rows); it takes room only when the window put something on it.
    QWidget* GetBottomPanel() const { return m_bottomPanel; }
    // Puts a panel left of the grid (a tree the list is narrowed by), the two parted
    // by a splitter the user may drag.
    void SetSidePanel(QWidget* panel);
    int RowCount() const;
    int CurrentRow() const;

    // Cell of a row: the stored value, or the text the grid shows for it (amounts
    // of a money column as "1.00"). Throw DbError for an unknown field.
    QVariant GDataVar(const QString& field, int row = -1) const;
    QString GData(const QString& field, int row = -1) const;
    void SData(const QString& field, const QVariant& value, int row = -1);

    // Draws the grid again (row colours included) without reloading.
    void refreshGrid();
    // Reads the conditions and loads the rows again, keeping the sort, the filter
    // and, where it still exists, the current row number.
    void RefreshData();
    // Makes the first loaded row whose field holds the value current (compared as
    // text), lifting the filter when it hides that row; false when no row holds it.
    // A paged list reads further pages to find it, up to 4,000 rows in all.
    bool SelectRowWhere(const QString& field, const QVariant& value);
    // After a save: loads the rows again, makes the saved row current and says so
    // in the status line.
    void AfterSave(const QString& field, const QVariant& value);
    // The key values of the marked rows, 'chunk' at a time: of a paged list, every
    // marked row whether read or not ("mark all" included); of a list that loads
    // everything, the marked rows' 'keyField', filtered out or not.
    void ForEachMarkedKey(const QString& keyField, int chunk,
                          const std::function<void(const QList<qint64>&)>& take) const;
    // The key values of every row the list shows under its filter, read or not, in
    // chunks: what an action on "every row of the list" works through.
    void ForEachShownKey(const QString& keyField, int chunk,
                         const std::function<void(const QList<qint64>&)>& take) const;
    // A short note in the status line beside the row count, gone after a few seconds.
    void ShowStatusMessage(const QString& text);

    // The filter typed into the search box.
    QString FilterText() const;
    // Writes what the grid shows (filtered rows in their order, visible columns in
    // theirs; of a paged list every row under the filter, read as it is written) to a file asked for through
    // the host's file dialog: an Excel workbook (amounts, dates and flags typed) or a CSV file of the texts
    // as shown, by the name's extension or else the chosen filter. Nothing is written when the user cancels.
    void ExportShownRows();
    // Prints what the grid shows through the host's print engine, the window's
    // title naming the template.
    void PrintShownRows();

    void AddGridColumn(const QString& field, const QString& caption, int width, bool visible = true,
                       GridColumn::Format format = GridColumn::Plain);
    // A filter on is applied again over the columns then shown.
    void ModifGridColumnVisible(const QString& field, bool visible);
    void ModifConditionVisible(const QString& name, bool visible);

    // An item of the grid's context menu ("-" for a separator); the handler runs guarded.
    QAction* AddGridMenu(const QString& caption, std::function<void()> handler = {});
    // A tool-bar button; the caption's accelerator ("确定[O]": Alt+O) becomes its
    // shortcut within the window. The handler runs guarded.
    QAction* AddButtonAndGetAction(const QString& caption, std::function<void()> handler);
    template <typename Window>
    QAction* AddButtonAndGetAction(const QString& caption, void (Window::*handler)()) {
        return AddButtonAndGetAction(caption, [this, handler] { (static_cast<Window*>(this)->*handler)(); });
    }
    template <typename Window> QAction* AddGridMenu(const QString& caption, void (Window::*handler)()) {
        return AddGridMenu(caption, [this, handler] { (static_cast<Window*>(this)->*handler)(); });
    }
    // A double click or Enter on a row triggers the edit action, unless the
    // window was opened to pick; a disabled action (no right to edit) does nothing.
    void SetEditAction(QAction* action) { m_editAction = action; }
    QAction* EditAction() const { return m_editAction; }
    // The button or menu item with this caption, or null.
    QAction* GetAction(const QString& caption) const;
    // Buttons first, then grid menu items, each in the order they were added.
    QList<QAction*> GetActions() const;

    // Loads every row even when the condition panel limits the count (SetMaxRow).
    void SetLoadAllRecord(bool all) { m_loadAll = all; }
    // Limits a load to this many rows unless the window loads all (0: no limit).
    void SetRowLimit(int rows) { m_rowLimit = rows; }
    // The help topic F1 asks the desktop for.
    void SetHelpItem(const QString& item) { m_helpItem = item; }
    const QString& HelpItem() const { return m_helpItem; }
    // Which of the host's list queries fills the grid; the registered window number
    // unless the window chooses another.
    void SetModelId(int modelId) { m_modelId = modelId; }
    int ModelId() const { return m_modelId; }
    // A non-zero result closes the window with it.
    void SetModalResult(int modalResult);
    int ModalResult() const { return m_modalResult; }
    void SetFormStyle(int style) { m_formStyle = style; }
    int FormStyle() const { return m_formStyle; }

signals:
    // The window asks its host (tab or modal dialog) to close it.
    void closeRequested(int modalResult);
    void helpRequested(const QString& item);

protected:
    virtual void OnIniButton() {}
    virtual void SetGrid() {}
    // The window's condition panel, created here; null for a window without one.
    virtual TBaseCondition* QueryCase() { return nullptr; }
    // Fill the query's "@" parameters; by default from the condition panel.
    virtual void InitParamList();
    virtual void AfterCreateParamList() {}
    virtual void ParamRefresh();
    // Opens the window's list query into the grid.
    virtual void LoadData();
    virtual void CustomGrid() {}
    virtual void ChangeConditionData() {}
    virtual void AfterRowChanged() {}
    // A double click or Enter on a row; a window opened to pick closes with mrOk,
    // any other runs its edit action.
    virtual void DoGridDoubleClick();
    // Called for every drawn cell after the grid's own styling.
    virtual void MainGridAfterDrawCell(int row, const QString& field, CellStyle& style);
    // A key pressed in the grid; return true when it is handled and must go no
    // further. Enter runs DoGridDoubleClick.
    virtual bool MainGridKeyPress(QKeyEvent& event);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int rowOrCurrent(int row) const;
    bool selectPagedRowWhere(const QString& field, const QVariant& value);
    void exportPagedRows(const QString& suffix, const QString& path);
    void mergeConditionParams();
    void load();
    void applyFilter();
    void showCount();
    QWidget* createSearchBar();
    void restoreLayout();
    QString documentName() const;
    QToolBar* m_toolBar;
    QWidget* m_topPanel;
    QWidget* m_bottomPanel;
    QVBoxLayout* m_layout;
    QLineEdit* m_searchBox;
    TQueryGrid* m_grid;
    QLabel* m_limitNotice;
    QStatusBar* m_statusLine;
    QLabel* m_count;
    QAction* m_editAction = nullptr;
    // The settings key of the window's class, known once Open() has run.
    QString m_layoutKey;
    TBaseCondition* m_condition = nullptr;
    QList<GridColumn> m_columns;
    QList<QAction*> m_buttons;
    TParamObject m_params;
    QString m_helpItem;
    int m_modelId = 0;
    int m_modalResult = mrNone;
    int m_formStyle = NormalStyle;
    int m_rowLimit = 0;
    bool m_loadAll = false;
    bool m_loading = false;
};
