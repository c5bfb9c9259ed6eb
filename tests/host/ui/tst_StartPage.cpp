#include "host/data/Database.h"
#include "host/db/procedures/VipCzLedger.h"
#include "host/db/queries/ListQueryRegistry.h"
#include "host/sdk/DataModule.h"
#include "host/sdk/ModuleRegistry.h"
#include "host/sdk/Transaction.h"
#include "host/sdk/VipCodes.h"
#include "host/sdk/ui/TCommBaseQuery.h"
#include "host/services/StartFigures.h"
#include "host/ui/DeskMainWindow.h"
#include "host/ui/StartPage.h"
#include "tests/support/FlowFixture.h"
#include "tests/support/TestRows.h"
#include "tests/support/TestUser.h"

#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QSettings>
#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include <optional>

namespace {

constexpr int StoreListNo = 90300;
const ListQueryRegistration storeList(StoreListNo, QStringLiteral("SELECT posid, PosName FROM posinfo"));

class StoreList final : public TCommBaseQuery {
public:
    explicit StoreList(QWidget* parent)
        : TCommBaseQuery(parent, StoreListNo) {}
};

int adjustCalls = 0;

// Menus in this order: 会员 (members list), 储值与服务, 积分 (a function), 设备 (not built
// yet), 报表; a helper window that never reaches a menu.
void registerEntries() {
    using enum Subsystem;
    const auto plain = [](QWidget* parent) -> TBaseQuery* { return new StoreList(parent); };
    QueryClassFactory& classes = gQueryClassFactory();
    classes.Register({QStringLiteral("TVipQuery"), StoreListNo, editionFlags({1}), 160, Members,
                      QStringLiteral("会员卡管理"), plain});
    classes.Register({QStringLiteral("TCzManage"), StoreListNo, editionFlags({1}), 510, StoredValue,
                      QStringLiteral("储值管理"), plain});
    ComClassReg().Register({QStringLiteral("IntegralVipTotal_Adjust"), editionFlags({1}), 828, Points,
                            QStringLiteral("积分调整"), [] { ++adjustCalls; }});
    ComClassReg().Register(
        {QStringLiteral("TFunCard"), editionFlags({1}), 0, Devices, QStringLiteral("IC卡设置")});
    classes.Register({QStringLiteral("TVipConsumeAnalysis"), StoreListNo, editionFlags({1}), 544, Reports,
                      QStringLiteral("会员消费分析"), plain});
    classes.Register({QStringLiteral("TPosMultSel"), StoreListNo, 0, 0, Frame, {}, plain});
}

QStringList buttons(const StartPage& page) {
    QStringList names;
    for (QPushButton* button : page.findChildren<QPushButton*>()) {
        if (button->objectName() != QStringLiteral("RefreshButton"))
            names << button->objectName();
    }
    return names;
}

QString figure(const StartPage& page, const QString& name) {
    return page.findChild<QLabel*>(name)->text();
}

int cardId(DataModule& data, const QString& cardNo) {
    return data.OpenSQLAsInt(QStringLiteral("SELECT id FROM vipcard WHERE CardNo = ?"), {cardNo});
}

// Through the ledger, so the card's balance moves with its change row.
void post(DataModule& data, const QString& cardNo, int changeType, double amount, double gift = 0) {
    Transaction transaction(data);
    const VipCzLedger::Result result =
        VipCzLedger::post(data.database(), {.cardId = cardId(data, cardNo),
                                            .changeType = changeType,
                                            .amount = Money::fromDouble(amount),
                                            .gift = Money::fromDouble(gift),
                                            .operationId = VipCzLedger::newOperationId()});
    QCOMPARE(result, VipCzLedger::Posted);
    transaction.Commit();
}

void moveLastChange(DataModule& data, const QDateTime& when) {
    data.ExecuteSQL(
        QStringLiteral("UPDATE VipCzChange SET ChangeDate = ? WHERE id = (SELECT MAX(id) FROM VipCzChange)"),
        {when});
}

} // namespace

class StartPageTest : public QObject {
    Q_OBJECT

    std::optional<FlowFixture> flow;

private slots:
    void init() {
        flow.emplace();
        gQueryClassFactory().Clear();
        ComClassReg().Clear();
        registerEntries();
        adjustCalls = 0;
        // Counts of an earlier run would decide what a new user is offered.
        QSettings().clear();
    }

    void cleanup() {
        gQueryClassFactory().Clear();
        ComClassReg().Clear();
        const int leftOver = flow->unsettled();
        flow.reset();
        QCOMPARE(leftOver, 0);
    }

    void figuresCountLiveCardsAndOneDaysRecharges() {
        DataModule& data = flow->data();
        // Cards C000001..C000020 hold 1..20 yuan; one of them is deleted.
        TestRows::addCards(data, 20);
        data.ExecuteSQL(QStringLiteral("UPDATE vipcard SET deleted = 1 WHERE CardNo = ?"),
                        {QStringLiteral("C000007")});
        const QDate day(2026, 3, 1);
        post(data, QStringLiteral("C000003"), StoredValueChange::Recharge, 100, 20);
        moveLastChange(data, QDateTime(day, QTime(0, 0)));
        post(data, QStringLiteral("C000004"), StoredValueChange::Recharge, 50.5);
        moveLastChange(data, QDateTime(day, QTime(23, 59, 59)));
        post(data, QStringLiteral("C000005"), StoredValueChange::Recharge, 70);
        moveLastChange(data, QDateTime(day.addDays(1), QTime(0, 0)));
        post(data, QStringLiteral("C000006"), StoredValueChange::Recharge, 9);
        moveLastChange(data, QDateTime(day.addDays(-1), QTime(23, 59, 59)));
        post(data, QStringLiteral("C000008"), StoredValueChange::Refund, -3);
        moveLastChange(data, QDateTime(day, QTime(12, 0)));

        const StartFigures figures = StartFigures::Read(data, day);
        QCOMPARE(figures.members, 19);
        // 210 - 7 (deleted) + 120 + 50.50 + 70 + 9 - 3
        QCOMPARE(figures.outstanding, Money::fromDouble(449.5));
        // Gifts and refunds are no takings; the moments at either end of the day count once.
        QCOMPARE(figures.recharges, 2);
        QCOMPARE(figures.recharged, Money::fromDouble(150.5));
    }

    void pageShowsTodaysFiguresAndRefreshes() {
        DataModule& data = flow->data();
        TestUser clerk(data, QStringLiteral("clerk"), {160});
        TestRows::addCards(data, 3);
        post(data, QStringLiteral("C000001"), StoredValueChange::Recharge, 12.34);
        DeskMainWindow window;
        auto* page = window.findChild<StartPage*>();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(page->isVisible());
        QCOMPARE(figure(*page, QStringLiteral("MembersFigure")), QStringLiteral("3"));
        QCOMPARE(figure(*page, QStringLiteral("OutstandingFigure")), QStringLiteral("18.34"));
        QCOMPARE(figure(*page, QStringLiteral("RechargesFigure")), QStringLiteral("1"));
        QCOMPARE(figure(*page, QStringLiteral("RechargedFigure")), QStringLiteral("12.34"));

        post(data, QStringLiteral("C000002"), StoredValueChange::Recharge, 100);
        QTest::mouseClick(page->findChild<QPushButton*>(QStringLiteral("RefreshButton")), Qt::LeftButton);
        QCOMPARE(figure(*page, QStringLiteral("RechargesFigure")), QStringLiteral("2"));
        QCOMPARE(figure(*page, QStringLiteral("RechargedFigure")), QStringLiteral("112.34"));
        QCOMPARE(figure(*page, QStringLiteral("OutstandingFigure")), QStringLiteral("118.34"));
    }

    void buttonsFollowUsageAndRights() {
        DataModule& data = flow->data();
        std::optional<TestUser> clerk(std::in_place, data, QStringLiteral("clerk"),
                                      QList<int>{160, 544, 828});
        const int clerkRec = clerk->rec();
        DeskMainWindow window;
        auto* page = window.findChild<StartPage*>();
        auto* area = window.findChild<QStackedWidget*>(QStringLiteral("DeskArea"));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        // A new user: the menus' first entries the user may use, in the menus' order.
        QCOMPARE(buttons(*page),
                 QStringList({QStringLiteral("TVipQuery"), QStringLiteral("IntegralVipTotal_Adjust"),
                              QStringLiteral("TVipConsumeAnalysis")}));

        // Started from the page or from the menus, each start counts.
        QTest::mouseClick(page->findChild<QPushButton*>(QStringLiteral("TVipConsumeAnalysis")),
                          Qt::LeftButton);
        QTabWidget* tabs = window.Tabs();
        QCOMPARE(tabs->count(), 1);
        QCOMPARE(area->currentWidget(), tabs);
        window.menuBar()->findChild<QAction*>(QStringLiteral("IntegralVipTotal_Adjust"))->trigger();
        window.menuBar()->findChild<QAction*>(QStringLiteral("IntegralVipTotal_Adjust"))->trigger();
        QCOMPARE(adjustCalls, 2);
        // With its last tab closed the page is back, most used first.
        QTest::mouseClick(tabs->tabBar()->tabButton(0, QTabBar::RightSide), Qt::LeftButton);
        QCOMPARE(tabs->count(), 0);
        QCOMPARE(area->currentWidget(), page);
        QCOMPARE(buttons(*page),
                 QStringList({QStringLiteral("IntegralVipTotal_Adjust"),
                              QStringLiteral("TVipConsumeAnalysis"), QStringLiteral("TVipQuery")}));

        // A right taken away meanwhile: never offered, however often it was used.
        data.ExecuteSQL(QStringLiteral("DELETE FROM userlimit WHERE UserRec = ? AND LimitNo = 828"),
                        {clerkRec});
        QTest::mouseClick(page->findChild<QPushButton*>(QStringLiteral("RefreshButton")), Qt::LeftButton);
        QCOMPARE(buttons(*page),
                 QStringList({QStringLiteral("TVipConsumeAnalysis"), QStringLiteral("TVipQuery")}));

        // Another user at the same desk has counts and rights of their own; the page
        // follows as the menus are built for them.
        clerk.reset();
        TestUser manager(data, QStringLiteral("manager"), {160, 510});
        window.RebuildMenus();
        QCoreApplication::processEvents();
        QCOMPARE(buttons(*page), QStringList({QStringLiteral("TVipQuery"), QStringLiteral("TCzManage")}));
    }
};

QTEST_MAIN(StartPageTest)
#include "tst_StartPage.moc"
