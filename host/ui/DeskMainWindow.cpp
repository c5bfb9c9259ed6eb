#include "host/ui/DeskMainWindow.h"

#include "host/data/Database.h"
#include "host/sdk/DataModule.h"
#include "host/sdk/MessageBox.h"
#include "host/sdk/ModuleRegistry.h"
#include "host/sdk/Ucomvar.h"
#include "host/sdk/ui/CallQueryClass.h"
#include "host/sdk/ui/GuardedHandler.h"
#include "host/sdk/ui/ModalResult.h"
#include "host/sdk/ui/TBaseQuery.h"
#include "host/services/NoticeOutbox.h"
#include "host/ui/Administrator.h"
#include "host/ui/DeskMenuBuilder.h"
#include "host/ui/HostSettingsDialog.h"
#include "host/ui/StartPage.h"

#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
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

void DeskMainWindow::RebuildMenus() {
    DeskMenuBuilder::Build(*menuBar(), {[this](const QString& name) { OpenWindow(name); },
                                        [this](const QString& name) { RunFunction(name); }});
    addSystemMenu();
}

void DeskMainWindow::addSystemMenu() {
    const QString title = QStringLiteral("系统");
    QMenu* menu = menuBar()->addMenu(title);
    menu->setObjectName(title);
    QAction* settings = menu->addAction(QStringLiteral("系统设置"));
    settings->setObjectName(QStringLiteral("HostSettings"));
    settings->setEnabled(IsAdministrator());
    connect(settings, &QAction::triggered, this, [this] { RunGuarded([this] { ShowSettings(); }); });
    connect(menu, &QMenu::aboutToShow, settings,
            [settings] { RunGuarded([settings] { settings->setEnabled(IsAdministrator()); }); });
    menu->addSeparator();
    QAction* quit = menu->addAction(QStringLiteral("退出"));
    quit->setObjectName(QStringLiteral("Quit"));
    connect(quit, &QAction::triggered, this, &QWidget::close);
}

TBaseQuery* DeskMainWindow::OpenWindow(const QString& className) {
    const QPointer<TBaseQuery> open = m_open.value(className);
    // A page closed by its own window is gone from the tabs before the window is deleted.
    if (open && m_tabs->indexOf(open) >= 0) {
        m_tabs->setCurrentWidget(open);
        return open;
    }
    TBaseQuery* window = OpenQueryClassTab(className, *m_tabs);
    if (!window)
        return nullptr;
    const QString caption = gQueryClassFactory().Find(className)->caption;
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
    entry->function();
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
