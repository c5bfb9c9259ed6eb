#pragma once

#include <QWidget>

class QGridLayout;
class QLabel;
class QMainWindow;
class QMenuBar;
class QTabWidget;

// The desktop's first page, in view while no window is open: buttons for the
// windows and functions the user opens most (for a user who has opened none yet,
// the first entries of the menus), and a few live figures, read afresh each time
// the page shows and on "刷新". A button starts the menu's own entry: the page
// offers only entries of the menus built for the edition, only windows and
// functions that exist, and only what the user's rights allow, asked afresh each
// time it fills.
class StartPage final : public QWidget {
    Q_OBJECT

public:
    static constexpr int MostUsed = 8;

    // Puts the page into the window's central area beside 'tabs' (its central
    // widget), in view while no tab is open, and counts every registered entry the
    // user starts from the window's menus or from the page.
    static StartPage* Install(QMainWindow& window, QTabWidget& tabs);

    void Refresh();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    StartPage(QMenuBar& menus, QWidget* parent);
    void refreshActions();
    void refreshFigures();

    QMenuBar& m_menus;
    QGridLayout* m_actions;
    QLabel* m_members;
    QLabel* m_outstanding;
    QLabel* m_recharges;
    QLabel* m_recharged;
    bool m_actionsDue = false;
};
