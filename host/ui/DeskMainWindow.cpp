#include "host/ui/DeskMainWindow.h"

#include "host/data/Database.h"
#include "host/sdk/DataModule.h"
#include "host/sdk/Limit.h"
#include "host/sdk/MessageBox.h"
#include "host/sdk/ModuleRegistry.h"
#include "host/sdk/Ucomvar.h"
#include "host/sdk/ui/Accelerator.h"
#include "host/sdk/ui/CallQueryClass.h"
#include "host/sdk/ui/GuardedHandler.h"
#include "host/sdk/ui/ModalResult.h"
#include "host/sdk/ui/TBaseQuery.h"
#include "host/services/LoginService.h"
#include "host/services/NoticeOutbox.h"
#include "host/ui/Administrator.h"
#include "host/ui/ChangePasswordDialog.h"
#include "host/ui/DeskMenuBuilder.h"
#include "host/ui/HostSettingsDialog.h"
#include "host/ui/LoginDialog.h"
#include "host/ui/StartPage.h"
#include "host/ui/UserAdminDialog.h"

#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QStatusBar>
#include <QTabWidget>

DeskMainWindow::DeskMainWindow(NoticeOutbox* outbox, QWidget* parent)
    : QMainWindow(parent)
    , m_outbox(outbox)
    , m_tabs(new QTabWidget(this))
    , m_user(new QLabel(this))
    , m_store(new QLabel(this))
    , m_database(new QLabel(this)) {
    setWindowTitle(QStringLiteral("会员卡管理系统"));
    m_tabs->setObjectName(QStringLiteral("DeskTabs"));
    m_tabs->setTabsClosable(true);
    m_tabs->setMovable(true);
    m_tabs->setDocumentMode(true);
    setCentralWidget(m_tabs);
    StartPage::Install(*this, *m_tabs);
    connect(m_tabs, &QTabWidget::tabCloseRequested, this, &DeskMainWindow::closeTab);

    m_user->setObjectName(QStringLiteral("UserLabel"));
    m_store->setObjectName(QStringLiteral("StoreLabel"));
    m_database->setObjectName(QStringLiteral("DatabaseLabel"));
    statusBar()->addWidget(m_user);
    statusBar()->addWidget(m_store);
    statusBar()->addPermanentWidget(m_database);
    refreshStatus();
    RebuildMenus();
    resize(1200, 760);
}

namespace {
const QString AdministratorsOnly = QStringLiteral("需要系统管理员身份");
} // namespace

void DeskMainWindow::RebuildMenus() {
    DeskMenuBuilder::Build(*menuBar(), {[this](const QString& name) { OpenWindow(name); },
                                        [this](const QString& name) { RunFunction(name); }});
    addSystemMenu();
    AssignAccelerators(*menuBar());
    // A greyed entry says why in the status bar too, which Qt leaves to enabled ones.
    for (QMenu* menu : menuBar()->findChildren<QMenu*>())
        menu->installEventFilter(this);
}

void DeskMainWindow::addSystemMenu() {
    const QString title = QStringLiteral("系统");
    QMenu* menu = menuBar()->addMenu(title);
    menu->setObjectName(title);
    menu->setToolTipsVisible(true);
    const auto add = [this, menu](const QString& caption, const QString& name,
                                  void (DeskMainWindow::*handler)()) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(name);
        connect(action, &QAction::triggered, this,
                [this, handler] { RunGuarded([&] { (this->*handler)(); }); });
        return action;
    };
    const QList<QAction*> administration = {
        add(QStringLiteral("用户管理"), QStringLiteral("UserAdmin"), &DeskMainWindow::ShowUserAdmin),
        add(QStringLiteral("系统设置"), QStringLiteral("HostSettings"), &DeskMainWindow::ShowSettings)};
    add(QStringLiteral("修改密码"), QStringLiteral("ChangePassword"), &DeskMainWindow::ChangeOwnPassword);
    menu->addSeparator();
    add(QStringLiteral("切换用户"), QStringLiteral("SwitchUser"), &DeskMainWindow::SwitchUser);
    add(QStringLiteral("注销"), QStringLiteral("LogOut"), &DeskMainWindow::LogOut);
    menu->addSeparator();
    QAction* quit = menu->addAction(QStringLiteral("退出"));
    quit->setObjectName(QStringLiteral("Quit"));
    connect(quit, &QAction::triggered, this, &QWidget::close);

    const auto refresh = [administration] {
        const bool administrator = IsAdministrator();
        for (QAction* action : administration) {
            action->setEnabled(administrator);
            action->setToolTip(administrator ? QString() : AdministratorsOnly);
            action->setStatusTip(administrator ? QString() : AdministratorsOnly);
        }
    };
    refresh();
    connect(menu, &QMenu::aboutToShow, this, [refresh] { RunGuarded(refresh); });
}

bool DeskMainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseMove) {
        auto* menu = qobject_cast<QMenu*>(watched);
        QAction* action =
            menu ? menu->actionAt(static_cast<QMouseEvent*>(event)->position().toPoint()) : nullptr;
        if (action && !action->isEnabled() && !action->statusTip().isEmpty())
            statusBar()->showMessage(action->statusTip());
    }
    return QMainWindow::eventFilter(watched, event);
}

TBaseQuery* DeskMainWindow::OpenWindow(const QString& className) {
    const QPointer<TBaseQuery> open = m_open.value(className);
    // A page closed by its own window is gone from the tabs before the window is deleted.
    if (open && m_tabs->indexOf(open) >= 0) {
        m_tabs->setCurrentWidget(open);
        return open;
    }
    // The menu was greyed when it was built; the right may have gone since.
    const QueryClassEntry* entry = gQueryClassFactory().Find(className);
    if (entry && entry->rights != 0 && !HasLimit(entry->rights))
        ShowErrorAndAbort(DeskMenuBuilder::NoRight, QStringLiteral("提示"));
    TBaseQuery* window = OpenQueryClassTab(className, *m_tabs);
    if (!window)
        return nullptr;
    RequireRight(*window, entry->rights);
    const QString caption = entry->caption;
    if (window->windowTitle().isEmpty())
        m_tabs->setTabText(m_tabs->indexOf(window), caption.isEmpty() ? className : caption);
    m_open.insert(className, window);
    return window;
}

void DeskMainWindow::RunFunction(const QString& name) {
    const ComClassEntry* entry = ComClassReg().Find(name);
    if (!entry || !entry->function) {
        ShowMsg(DeskMenuBuilder::NotAvailable);
        return;
    }
    if (entry->rights != 0 && !HasLimit(entry->rights))
        ShowErrorAndAbort(DeskMenuBuilder::NoRight, QStringLiteral("提示"));
    entry->function();
}

void DeskMainWindow::ShowUserAdmin() {
    if (!IsAdministrator())
        ShowErrorAndAbort(DeskMenuBuilder::NoRight, QStringLiteral("提示"));
    UserAdminDialog dialog(this);
    dialog.ShowModal();
    // The administrator may have changed their own rights or name.
    RebuildMenus();
    refreshStatus();
}

void DeskMainWindow::ChangeOwnPassword() {
    ChangePasswordDialog dialog(this);
    dialog.ShowModal();
}

void DeskMainWindow::SwitchUser() {
    // Cancelled, the user who was working carries on.
    LoginDialog login(this);
    if (login.ShowModal() != mrOk)
        return;
    startSession();
}

void DeskMainWindow::LogOut() {
    closeAllTabs();
    LoginService::LogOut();
    RebuildMenus();
    refreshStatus();
    LoginDialog login(this);
    if (login.ShowModal() != mrOk) {
        close();
        return;
    }
    startSession();
}

void DeskMainWindow::startSession() {
    // The pages were opened, and their rights checked, for the user before.
    closeAllTabs();
    RebuildMenus();
    refreshStatus();
}

void DeskMainWindow::closeAllTabs() {
    while (m_tabs->count() > 0)
        closeTab(0);
    m_open.clear();
}

void DeskMainWindow::ShowSettings() {
    HostSettingsDialog dialog(this);
    if (dialog.ShowModal() != mrOk)
        return;
    if (m_outbox)
        m_outbox->Apply(dialog.Config());
    refreshStatus();
    // The edition may have changed, and with it what the menus offer.
    RebuildMenus();
}

void DeskMainWindow::closeTab(int index) {
    QWidget* page = m_tabs->widget(index);
    m_tabs->removeTab(index);
    page->deleteLater();
}

void DeskMainWindow::refreshStatus() {
    const TComVar& session = Ucomvar();
    m_user->setText(QStringLiteral("操作员：%1").arg(session.szLoginUserName));
    m_store->setText(QStringLiteral("门店：%1").arg(session.szPublicPosName));
    m_database->setText(QStringLiteral("数据库：%1").arg(dmClient().database().setting().display()));
}
