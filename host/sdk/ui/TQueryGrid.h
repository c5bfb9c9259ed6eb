#pragma once

#include "host/sdk/ui/TQueryGridModel.h"

#include <QHash>
#include <QTableView>

class QMenu;

// The main grid of a list window: one view over its model, no widget per cell.
// Columns sort by a click on their header and move by dragging it; the header's
// context menu lets the user show or hide the declared columns; a click in the
// SelName column toggles the row's mark; the window's grid menu opens with the
// right mouse button.
class TQueryGrid final : public QTableView {
    Q_OBJECT

public:
    explicit TQueryGrid(QWidget* parent = nullptr);

    TQueryGridModel* GridModel() const { return m_model; }

    int CurrentRow() const; // -1 when there is none
    void SetCurrentRow(int row);
    // Display rows of the selected rows, in ascending order.
    QList<int> SelectedRows() const;
    void SetSingleSelection(bool single);

    // What the user made of the columns, by field name in lower case: the order they
    // were dragged into (fields not listed keep their declared places after the
    // listed ones), widths, and the columns shown or hidden from the header's menu.
    // A column the window itself hides is the window's business, not the user's.
    struct Layout {
        QStringList order;
        QHash<QString, int> widths;
        QHash<QString, bool> hidden;
    };

    // Widths, order and visibility survive reloads: what the user or the window
    // changed wins over what the columns declared.
    void SetColumnVisible(const QString& field, bool visible);
    bool IsColumnVisible(const QString& field) const;
    Layout ColumnLayout() const;
    void SetColumnLayout(const Layout& layout);
    // Model columns the user sees, in the order they appear.
    QList<int> ShownColumns() const;

    // Items of the grid's context menu; a caption "-" adds a separator.
    QAction* AddMenuItem(const QString& caption);
    QList<QAction*> MenuItems() const { return m_menuItems; }

signals:
    // The user showed or hid a column.
    void columnVisibilityChanged();

private:
    void applyColumns();
    void rememberOrder();
    void showColumnMenu(const QPoint& position);
    void showGridMenu(const QPoint& position);
    TQueryGridModel* m_model;
    QList<QAction*> m_menuItems;
    QHash<QString, int> m_widths;
    QHash<QString, bool> m_hidden;
    QHash<QString, bool> m_userHidden;
    QStringList m_order;
    bool m_applying = false;
};
