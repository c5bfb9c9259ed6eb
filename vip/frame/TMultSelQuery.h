#pragma once

#include "host/sdk/ui/TBaseQuery.h"

#include <QSet>

class QAction;
class QCheckBox;
class QToolButton;

// A list window for choosing a set of rows by marking them: the mark column, the
// "all" box above the grid, the buttons OK, Select, All, Clear all and Exit, and
// the keys the tills' staff type into the grid instead of reaching for the mouse.
// Subclasses say which field identifies a row, which parameter brings the caller's
// earlier choice, and what OK checks and hands back.
class TMultSelQuery : public TBaseQuery {
    Q_OBJECT

public:
    TMultSelQuery(const QString& allCaption, QWidget* parent);

protected:
    // The field holding a row's id, and the parameter whose "id=name" lines mark
    // rows when the window opens.
    virtual QString KeyField() const = 0;
    virtual QString ChosenListParam() const = 0;
    // OK was pressed: check the marks, set the outputs, close with mrOk.
    virtual void Confirm() = 0;

    QCheckBox* AllBox() const { return m_allBox; }
    bool AllChecked() const;
    // The ids of the caller's earlier choice; lines that carry no number are skipped.
    QSet<int> ChosenIds() const;
    bool IsMarked(int row) const;
    // False, after telling the user and putting the grid on its first row, when no
    // row is marked.
    bool RequireMarked(const QString& message);

    void OnIniButton() override;
    void InitParamList() override;
    void LoadData() override;
    void DoGridDoubleClick() override;
    bool MainGridKeyPress(QKeyEvent& event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnOk();
    void OnSelect();
    void OnMarkAll();
    void OnClearAll();
    void OnAllBoxToggled();
    void applyAllBox();
    void moveDown();
    void focusOk();

    QCheckBox* m_allBox;
    QAction* m_ok = nullptr;
    QAction* m_select = nullptr;
    QAction* m_markAll = nullptr;
    QAction* m_clearAll = nullptr;
    QAction* m_exit = nullptr;
    QToolButton* m_okButton = nullptr;
};
