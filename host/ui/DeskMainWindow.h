#pragma once

#include <QHash>
#include <QMainWindow>
#include <QPointer>

class NoticeOutbox;
class QLabel;
class QTabWidget;
class TBaseQuery;

// The back office's main window: menus built from the registries, list windows as
// closable tabs (one per class: opening an open one shows it again), named
// functions run straight from the menu, the session in the status bar, and the
// system menu: users, settings, own password, switching user and logging out.
// Rights are asked again when a window opens and in each of its actions.
class DeskMainWindow final : public QMainWindow {
    Q_OBJECT

public:
    // 'outbox', when given, is switched on or off as saved settings say. Throws
    // DbError when the menus cannot read the user's rights.
    explicit DeskMainWindow(NoticeOutbox* outbox = nullptr, QWidget* parent = nullptr);

    // Builds the menus again for the session's edition, user and rights.
    void RebuildMenus();
    // The window's tab, opened or brought to the front; null when it cannot open
    // (the user has been told why).
    TBaseQuery* OpenWindow(const QString& className);
    void RunFunction(const QString& name);
    void ShowSettings();
    void ShowUserAdmin();
    void ChangeOwnPassword();
    // Another user logs in at this screen; cancelled, the current one carries on.
    void SwitchUser();
    // The session ends, then the login; cancelled, the desktop closes.
    void LogOut();
    QTabWidget* Tabs() const { return m_tabs; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void addSystemMenu();
    void startSession();
    void closeAllTabs();
    void refreshStatus();
    void closeTab(int index);

    NoticeOutbox* m_outbox;
    QTabWidget* m_tabs;
    QLabel* m_user;
    QLabel* m_store;
    QLabel* m_database;
    QHash<QString, QPointer<TBaseQuery>> m_open;
};
