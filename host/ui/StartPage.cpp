#include "host/ui/StartPage.h"

#include "host/sdk/DataModule.h"
#include "host/sdk/Limit.h"
#include "host/sdk/ModuleRegistry.h"
#include "host/sdk/ui/Accelerator.h"
#include "host/sdk/ui/GuardedHandler.h"
#include "host/services/ActionUsage.h"
#include "host/services/StartFigures.h"

#include <QAction>
#include <QEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

namespace {

constexpr int ButtonColumns = 4;

// Whether the page offers a menu entry: one of the module's windows or functions
// (the host's own entries, settings, users, quit, are no work the page offers),
// built, and allowed to the user by a right read afresh. The menus' own state is
// left alone: they ask again as they open.
bool offered(const QString& name) {
    int right = 0;
    if (const QueryClassEntry* window = gQueryClassFactory().Find(name)) {
        if (!window->create)
            return false;
        right = window->rights;
    } else if (const ComClassEntry* function = ComClassReg().Find(name)) {
        if (!function->function)
            return false;
        right = function->rights;
    } else {
        return false;
    }
    return right == 0 || HasLimit(right);
}

QLabel* figure(const QString& name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

} // namespace

StartPage* StartPage::Install(QMainWindow& window, QTabWidget& tabs) {
    auto* area = new QStackedWidget(&window);
    area->setObjectName(QStringLiteral("DeskArea"));
    if (window.centralWidget() == &tabs)
        window.takeCentralWidget();
    auto* page = new StartPage(*window.menuBar(), area);
    area->addWidget(page);
    area->addWidget(&tabs);
    window.setCentralWidget(area);
    // The tab widget's current page goes to -1 as its last tab goes, and from it as the first comes.
    const auto follow = [area, page, &tabs] {
        area->setCurrentWidget(tabs.count() == 0 ? static_cast<QWidget*>(page) : &tabs);
    };
    connect(&tabs, &QTabWidget::currentChanged, area, follow);
    follow();
    // The page's buttons trigger the menus' entries, so this sees every start.
    connect(window.menuBar(), &QMenuBar::triggered, page, [](QAction* action) {
        const QString name = action->objectName();
        if (gQueryClassFactory().Find(name) || ComClassReg().Find(name))
            ActionUsage::Count(name);
    });
    return page;
}

StartPage::StartPage(QMenuBar& menus, QWidget* parent)
    : QWidget(parent)
    , m_menus(menus) {
    setObjectName(QStringLiteral("StartPage"));
    auto* actions = new QGroupBox(QStringLiteral("常用功能"), this);
    m_actions = new QGridLayout(actions);

    auto* figures = new QGroupBox(QStringLiteral("经营概况"), this);
    auto* form = new QFormLayout(figures);
    m_members = figure(QStringLiteral("MembersFigure"), figures);
    m_outstanding = figure(QStringLiteral("OutstandingFigure"), figures);
    m_recharges = figure(QStringLiteral("RechargesFigure"), figures);
    m_recharged = figure(QStringLiteral("RechargedFigure"), figures);
    form->addRow(QStringLiteral("会员人数："), m_members);
    form->addRow(QStringLiteral("储值余额："), m_outstanding);
    form->addRow(QStringLiteral("今日充值笔数："), m_recharges);
    form->addRow(QStringLiteral("今日充值金额："), m_recharged);
    auto* refresh = new QPushButton(QStringLiteral("刷新[&R]"), figures);
    refresh->setObjectName(QStringLiteral("RefreshButton"));
    auto* refreshRow = new QHBoxLayout;
    refreshRow->addWidget(refresh);
    refreshRow->addStretch();
    form->addRow(refreshRow);
    ConnectGuarded(refresh, &QPushButton::clicked, this, &StartPage::Refresh);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(actions);
    layout->addWidget(figures);
    layout->addStretch();

    // Menus are built again for another user, edition or set of rights.
    m_menus.installEventFilter(this);
}

void StartPage::Refresh() {
    refreshActions();
    refreshFigures();
}

void StartPage::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    RunGuarded([this] { Refresh(); });
}

bool StartPage::eventFilter(QObject* watched, QEvent* event) {
    const bool menusChanged = event->type() == QEvent::ActionAdded || event->type() == QEvent::ActionRemoved;
    if (watched == &m_menus && menusChanged && !m_actionsDue) {
        // Once the whole bar stands, not for each of its menus.
        m_actionsDue = true;
        QTimer::singleShot(0, this, [this] {
            m_actionsDue = false;
            RunGuarded([this] { refreshActions(); });
        });
    }
    return QWidget::eventFilter(watched, event);
}

void StartPage::refreshActions() {
    while (QLayoutItem* item = m_actions->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    struct Offer {
        QAction* action;
        int uses;
    };
    const QHash<QString, int> uses = ActionUsage::Counts();
    QList<Offer> offers;
    for (QAction* title : m_menus.actions()) {
        QMenu* menu = title->menu();
        if (!menu)
            continue;
        for (QAction* action : menu->actions()) {
            if (offered(action->objectName()))
                offers.append({action, uses.value(action->objectName())});
        }
    }
    // Equal counts keep the menus' order, which is all a new user has to go by.
    std::stable_sort(offers.begin(), offers.end(),
                     [](const Offer& a, const Offer& b) { return a.uses > b.uses; });
    for (int i = 0; i < std::min(MostUsed, static_cast<int>(offers.size())); ++i) {
        QAction* action = offers[i].action;
        auto* button = new QPushButton(WithoutAccelerator(action->text()), m_actions->parentWidget());
        button->setObjectName(action->objectName());
        connect(button, &QPushButton::clicked, action, &QAction::trigger);
        m_actions->addWidget(button, i / ButtonColumns, i % ButtonColumns);
    }
}

void StartPage::refreshFigures() {
    const StartFigures figures = StartFigures::Read(dmClient(), QDate::currentDate());
    m_members->setText(QString::number(figures.members));
    m_outstanding->setText(figures.outstanding.toString());
    m_recharges->setText(QString::number(figures.recharges));
    m_recharged->setText(figures.recharged.toString());
}
