#include "host/data/Database.h"
#include "host/db/demo/DemoData.h"
#include "host/db/queries/ListQueryRegistry.h"
#include "host/sdk/DataModule.h"
#include "host/sdk/DbError.h"
#include "host/sdk/ModuleRegistry.h"
#include "host/sdk/Ucomvar.h"
#include "host/sdk/ui/Accelerator.h"
#include "host/sdk/ui/GuardedHandler.h"
#include "host/sdk/ui/Refuse.h"
#include "host/sdk/ui/TCommBaseQuery.h"
#include "host/services/HostConfig.h"
#include "host/services/NoticeOutbox.h"
#include "host/ui/DeskMainWindow.h"
#include "host/ui/LoginDialog.h"
#include "tests/support/MenuText.h"
#include "tests/support/ModalDriver.h"
#include "tests/support/ScriptedMessages.h"
#include "tests/support/TestDatabase.h"
#include "tests/support/TestRows.h"
#include "tests/support/TestUser.h"

#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

namespace {

constexpr int StoreListNo = 90200;
const ListQueryRegistration storeList(StoreListNo,
                                      QStringLiteral("SELECT posid, PosCode, PosName FROM posinfo "
                                                     "WHERE deleted = 0 ORDER BY posid"));

// A list that can close its own page, as pickers and editors opened as tabs do.
class StoreList final : public TCommBaseQuery {
public:
    explicit StoreList(QWidget* parent)
        : TCommBaseQuery(parent, StoreListNo) {}

protected:
    void OnIniButton() override {
        TCommBaseQuery::OnIniButton();
        AddButtonAndGetAction(QStringLiteral("退出[X]"), [this] { SetModalResult(mrCancel); });
    }
};

int adjustCalls = 0;

// What a module registers, not in the order of the menus: a function between the
// windows of one subsystem, helpers without edition flags (a window and a
// function), one entry without a caption.
void registerEntries() {
    using enum Subsystem;
    const auto plain = [](QWidget* parent) -> TBaseQuery* { return new StoreList(parent); };
    QueryClassFactory& classes = gQueryClassFactory();
    ComClassRegistry& functions = ComClassReg();
    classes.Register({QStringLiteral("TVipConsumeAnalysis"), StoreListNo, editionFlags({1}), 544, Reports,
                      QStringLiteral("会员消费分析"), plain});
    classes.Register({QStringLiteral("TVipQuery"), StoreListNo, editionFlags({1, 3}), 160, Members,
                      QStringLiteral("会员卡管理"), plain});
    functions.Register({QStringLiteral("IntegralVipTotal_Adjust"), editionFlags({1, 2}), 828, Points,
                        QStringLiteral("积分调整"), [] { ++adjustCalls; }});
    classes.Register({QStringLiteral("TVipCardTypeSet"), StoreListNo, editionFlags({2}), 677, CardTypes,
                      QStringLiteral("会员卡类型设置"), plain});
    functions.Register({QStringLiteral("ShowVipInfoAction"), editionFlags({1}), 0, Members,
                        QStringLiteral("会员发卡"),
                        [] { throw DbError(QStringLiteral("会员卡写入失败：连接已断开")); }});
    classes.Register({QStringLiteral("TCzManage"), StoreListNo, editionFlags({1, 2}), 510, StoredValue,
                      QStringLiteral("储值管理")});
    classes.Register({QStringLiteral("TPosMultSel"), StoreListNo, 0, 0, Frame, {}, plain});
    functions.Register(
        {QStringLiteral("TFunCard"), editionFlags({1}), 935, Devices, QStringLiteral("IC卡设置")});
    functions.Register({QStringLiteral("TTestHelper"), 0, 0, Devices, {}, [] { ++adjustCalls; }});
    classes.Register({QStringLiteral("TTestExtra"), StoreListNo, editionFlags({1}), 0, Members, {}, plain});
}

const QString SystemMenu = QStringLiteral("系统: 用户管理, 系统设置, 修改密码, 切换用户, 注销, 退出");

QAction* entry(const DeskMainWindow& window, const QString& name) {
    return window.menuBar()->findChild<QAction*>(name);
}

// Opens a menu as the user does, so it asks the rights afresh.
void openMenu(DeskMainWindow& window, const QString& title) {
    auto* menu = window.menuBar()->findChild<QMenu*>(title);
    menu->popup(window.mapToGlobal(QPoint(0, 0)));
    menu->hide();
}

// A store of the kind the session can log in to: a shop (type 1) on the real-time link.
int addStore(DataModule& data, const QString& code, const QString& name, int rowIndex) {
    return TestRows::addStore(
        data, {.code = code, .name = name, .connectType = 1, .rowIndex = rowIndex, .posType = 1});
}

QString configValue(DataModule& data, const QString& name) {
    return data.OpenSQLAsStr(QStringLiteral("SELECT Value FROM hostconfig WHERE Name = ?"), {name});
}

// A check box takes clicks on its box and caption only, not on the row a layout stretched it to;
// its page is brought to the front first, as the user would.
void toggle(QCheckBox* box) {
    ShowField(box);
    QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, QPoint(box->height() / 2, box->height() / 2));
}

} // namespace

class DesktopTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        gQueryClassFactory().Clear();
        ComClassReg().Clear();
        registerEntries();
        adjustCalls = 0;
        Ucomvar() = TComVar();
    }

    void cleanup() {
        gQueryClassFactory().Clear();
        ComClassReg().Clear();
        Ucomvar() = TComVar();
    }

    void menusFollowRightsAndEntriesOpenOneTabEach() {
        TestDatabase db;
        ScriptedMessages boxes;
        addStore(db.data(), QStringLiteral("S01"), QStringLiteral("O'Brien \"旗舰\"店"), 1);
        addStore(db.data(), QStringLiteral("S02"), QStringLiteral("人民路店"), 2);
        TestUser cashier(db.data(), QStringLiteral("cashier"), {160, 828});
        DeskMainWindow window;

        // One menu per subsystem in the subsystems' order, entries in the order they
        // were registered; outside the edition and helpers: not offered at all.
        QCOMPARE(MenuText(*window.menuBar()),
                 QStringList({QStringLiteral("会员: 会员卡管理, 会员发卡, TTestExtra"),
                              QStringLiteral("储值与服务: 储值管理"), QStringLiteral("积分: 积分调整"),
                              QStringLiteral("设备: IC卡设置"), QStringLiteral("报表: 会员消费分析"),
                              SystemMenu}));
        QAction* members = entry(window, QStringLiteral("TVipQuery"));
        QCOMPARE(WithoutAccelerator(qobject_cast<QMenu*>(members->parent())->title()),
                 QStringLiteral("会员"));
        QVERIFY(members->isEnabled());
        // Registered but not built yet (a window, a function): in view, greyed, saying why.
        QAction* storedValue = entry(window, QStringLiteral("TCzManage"));
        QVERIFY(!storedValue->isEnabled());
        QCOMPARE(storedValue->toolTip(), QStringLiteral("该功能尚未提供"));
        QVERIFY(!entry(window, QStringLiteral("TFunCard"))->isEnabled());
        QVERIFY(entry(window, QStringLiteral("IntegralVipTotal_Adjust"))->isEnabled());
        // Without the right: greyed, saying which right in its tip and, pointed at, in the status bar.
        QAction* analysis = entry(window, QStringLiteral("TVipConsumeAnalysis"));
        QVERIFY(!analysis->isEnabled());
        QCOMPARE(analysis->toolTip(), QStringLiteral("需要权限：544 会员消费分析"));
        auto* reports = window.menuBar()->findChild<QMenu*>(QStringLiteral("报表"));
        reports->popup(window.mapToGlobal(QPoint(0, 0)));
        QTest::mouseMove(reports, reports->actionGeometry(analysis).center());
        QCOMPARE(window.statusBar()->currentMessage(), QStringLiteral("需要权限：544 会员消费分析"));
        reports->hide();
        for (const QString& name : {QStringLiteral("HostSettings"), QStringLiteral("UserAdmin")}) {
            QVERIFY(!entry(window, name)->isEnabled());
            QCOMPARE(entry(window, name)->toolTip(), QStringLiteral("需要系统管理员身份"));
        }
        QVERIFY(entry(window, QStringLiteral("ChangePassword"))->isEnabled());

        // A right granted meanwhile counts the next time the menu opens.
        db.data().ExecuteSQL(QStringLiteral("INSERT INTO userlimit (UserRec, LimitNo) VALUES (?, 544)"),
                             {cashier.rec()});
        openMenu(window, QStringLiteral("报表"));
        QVERIFY(analysis->isEnabled());

        // Registered again, an entry keeps its place and takes the new row.
        gQueryClassFactory().Register({QStringLiteral("TVipQuery"), StoreListNo, editionFlags({1}), 160,
                                       Subsystem::Members, QStringLiteral("会员列表")});
        window.RebuildMenus();
        QCOMPARE(MenuText(*window.menuBar()).first(), QStringLiteral("会员: 会员列表, 会员发卡, TTestExtra"));
        registerEntries();

        Ucomvar().nMedVersion = 2;
        window.RebuildMenus();
        QCOMPARE(MenuText(*window.menuBar()), QStringList({QStringLiteral("卡类型与价格: 会员卡类型设置"),
                                                           QStringLiteral("储值与服务: 储值管理"),
                                                           QStringLiteral("积分: 积分调整"), SystemMenu}));

        Ucomvar().nMedVersion = 1;
        TestUser boss(db.data(), QStringLiteral("boss"), {}, true);
        window.RebuildMenus();
        QVERIFY(entry(window, QStringLiteral("HostSettings"))->isEnabled());
        // Rights never make an entry that is not built yet usable.
        QVERIFY(!entry(window, QStringLiteral("TCzManage"))->isEnabled());

        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTabWidget* tabs = window.Tabs();

        entry(window, QStringLiteral("TVipQuery"))->trigger();
        entry(window, QStringLiteral("TVipQuery"))->trigger();
        QCOMPARE(tabs->count(), 1);
        QCOMPARE(tabs->tabText(0), QStringLiteral("会员卡管理"));
        QPointer<TBaseQuery> page = qobject_cast<TBaseQuery*>(tabs->widget(0));
        QCOMPARE(page->RowCount(), 2);
        entry(window, QStringLiteral("TTestExtra"))->trigger();
        QCOMPARE(tabs->tabText(1), QStringLiteral("TTestExtra"));
        entry(window, QStringLiteral("TVipQuery"))->trigger();
        QCOMPARE(tabs->count(), 2);
        QCOMPARE(tabs->currentWidget(), page.data());

        // A window that closes its own page can be opened afresh.
        entry(window, QStringLiteral("TVipConsumeAnalysis"))->trigger();
        QCOMPARE(tabs->count(), 3);
        auto* closing = qobject_cast<TBaseQuery*>(tabs->currentWidget());
        closing->GetAction(QStringLiteral("退出[X]"))->trigger();
        QCOMPARE(tabs->count(), 2);
        entry(window, QStringLiteral("TVipConsumeAnalysis"))->trigger();
        QCOMPARE(tabs->count(), 3);
        QVERIFY(tabs->currentWidget() != closing);
        entry(window, QStringLiteral("IntegralVipTotal_Adjust"))->trigger();
        QCOMPARE(adjustCalls, 1);
        // A function that fails: one error box, and the desktop carries on.
        entry(window, QStringLiteral("ShowVipInfoAction"))->trigger();
        QCOMPARE(boxes.shown().size(), 1);
        QCOMPARE(boxes.last().text, QStringLiteral("会员卡写入失败：连接已断开"));
        QCOMPARE(boxes.last().caption, QStringLiteral("错误"));
    }

    void loginThenSettingsSaveWhatChangedAndApplyAtOnce() {
        TestDatabase db;
        ScriptedMessages boxes;
        ModalDriver driver;
        TestUser boss(db.data(), QStringLiteral("O'Neil"), {}, true);
        Ucomvar() = TComVar();
        const int zhongshan = addStore(db.data(), QStringLiteral("S01"), QStringLiteral("中山路店"), 2);
        addStore(db.data(), QStringLiteral("S02"), QStringLiteral("人民路店"), 1);

        QDateTime now(QDate(2026, 3, 1), QTime(9, 0), Qt::UTC);
        driver.setNextHandler([&](QDialog& dialog) {
            auto* code = dialog.findChild<QLineEdit*>(QStringLiteral("UserCodeEdit"));
            auto* password = dialog.findChild<QLineEdit*>(QStringLiteral("PasswordEdit"));
            auto* store = dialog.findChild<QComboBox*>(QStringLiteral("StoreCombo"));
            auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("OkButton"));
            code->clear();
            code->setFocus();
            QTest::keyClicks(code, QStringLiteral("O'Neil"));
            QTest::keyClick(code, Qt::Key_Return);
            QTest::keyClicks(password, TestUser::Password + QStringLiteral("'"));
            QTest::keyClick(password, Qt::Key_Return);
            QTest::keyClick(store, Qt::Key_End);
            QTest::mouseClick(ok, Qt::LeftButton);
            QCOMPARE(boxes.last().text, QStringLiteral("用户编号或密码错误，请重新输入。"));
            QVERIFY(dialog.isVisible());
            QCOMPARE(Ucomvar().nLoginUserRec, 0);
            QVERIFY(password->text().isEmpty());

            // Each failure makes the next try wait longer, counted on the dialog's clock.
            QTest::keyClicks(password, TestUser::Password);
            QTest::mouseClick(ok, Qt::LeftButton);
            QCOMPARE(boxes.last().text, QStringLiteral("登录失败次数过多，请 1 秒后再试。"));
            QCOMPARE(Ucomvar().nLoginUserRec, 0);
            now = now.addSecs(1);
            password->clear();
            QTest::keyClicks(password, QStringLiteral("wrong"));
            QTest::mouseClick(ok, Qt::LeftButton);
            QCOMPARE(boxes.last().text, QStringLiteral("用户编号或密码错误，请重新输入。"));
            now = now.addSecs(1);
            QTest::keyClicks(password, TestUser::Password);
            QTest::mouseClick(ok, Qt::LeftButton);
            QCOMPARE(boxes.last().text, QStringLiteral("登录失败次数过多，请 1 秒后再试。"));
            now = now.addSecs(1);
            QTest::mouseClick(ok, Qt::LeftButton);
        });
        LoginDialog dialog;
        dialog.SetClock([&now] { return now; });
        QCOMPARE(dialog.ShowModal(), mrOk);
        QCOMPARE(boxes.shown().size(), 4);
        // The session itself is the login service's; the dialog must hand it the right store.
        QCOMPARE(Ucomvar().nLoginUserRec, boss.rec());
        QCOMPARE(Ucomvar().lPublicPosid, zhongshan);

        // Logged in as an administrator, the settings.
        NoticeOutbox outbox(db.data());
        DeskMainWindow window(&outbox);
        QVERIFY(!entry(window, QStringLiteral("TVipCardTypeSet")));
        std::unique_ptr<DataModule> elsewhere = db.openAnother();

        driver.setNextHandler([&](QDialog& dialog) {
            // Another workstation switches a notice on while this dialog is open.
            HostConfig other(*elsewhere);
            other.Load();
            other.SetFlag(QStringLiteral("bSMSKkReward"), true);
            other.Save();

            toggle(dialog.findChild<QCheckBox*>(QStringLiteral("AppFlag14")));
            toggle(dialog.findChild<QCheckBox*>(QStringLiteral("bSMSChange")));
            toggle(dialog.findChild<QCheckBox*>(NoticeOutbox::SwitchName));
            auto* edition = dialog.findChild<QWidget*>(QStringLiteral("MEDVERSION"));
            ShowField(edition);
            edition->setFocus();
            QTest::keyClick(edition, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(edition, QStringLiteral("2"));
            QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("SaveButton")), Qt::LeftButton);
        });
        entry(window, QStringLiteral("HostSettings"))->trigger();
        QCOMPARE(boxes.shown().size(), 4);

        // Only what the dialog changed was written; the other workstation's switch stands.
        QCOMPARE(db.data().OpenSQLAsInt(QStringLiteral("SELECT COUNT(*) FROM hostconfig")), 5);
        for (const QString& name :
             {QStringLiteral("bSMSChange"), QStringLiteral("bSMSKkReward"), NoticeOutbox::SwitchName})
            QCOMPARE(configValue(db.data(), name), QStringLiteral("1"));
        QCOMPARE(configValue(db.data(), QStringLiteral("MEDVERSION")), QStringLiteral("2"));
        QCOMPARE(configValue(db.data(), QStringLiteral("AppClass")).indexOf(QLatin1Char('1')), 13);

        // Published at once: session, notices and menus.
        QVERIFY(AppClass().Flag(14));
        QVERIFY(Ucomvar().bSMSKkReward);
        QVERIFY(entry(window, QStringLiteral("TVipCardTypeSet")));

        // Opened again it shows what was saved; leaving writes nothing.
        driver.setNextHandler([&](QDialog& dialog) {
            QVERIFY(dialog.findChild<QCheckBox*>(QStringLiteral("AppFlag14"))->isChecked());
            QVERIFY(dialog.findChild<QCheckBox*>(QStringLiteral("bSMSKkReward"))->isChecked());
            auto* openingBalance = dialog.findChild<QCheckBox*>(QStringLiteral("bPublicIniCanModify"));
            toggle(openingBalance);
            QVERIFY(openingBalance->isChecked());
            QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("CloseButton")), Qt::LeftButton);
        });
        entry(window, QStringLiteral("HostSettings"))->trigger();
        QCOMPARE(db.data().OpenSQLAsInt(QStringLiteral("SELECT COUNT(*) FROM hostconfig")), 5);
        QVERIFY(!Ucomvar().bPublicIniCanModify);
        outbox.Uninstall();
    }

    void aRightRevokedWhileAWindowIsOpenStopsItsNextAction() {
        TestDatabase db;
        ScriptedMessages boxes;
        TestUser cashier(db.data(), QStringLiteral("cashier"), {160, 544});
        DeskMainWindow window;
        window.show();
        QTabWidget* tabs = window.Tabs();
        auto* page = qobject_cast<TBaseQuery*>(window.OpenWindow(QStringLiteral("TVipQuery")));
        QVERIFY(page);
        // A dialog the window opens acts under the window's right too.
        QDialog editor(page);
        QPushButton save(&editor);
        int saves = 0;
        ConnectGuarded(&save, &QPushButton::clicked, &editor, [&saves] { ++saves; });
        editor.show();

        // The administrator at another workstation takes the right away.
        std::unique_ptr<DataModule> elsewhere = db.openAnother();
        elsewhere->ExecuteSQL(QStringLiteral("DELETE FROM userlimit WHERE UserRec = ? AND LimitNo = 160"),
                              {cashier.rec()});
        page->GetAction(QStringLiteral("退出[X]"))->trigger();
        QCOMPARE(tabs->count(), 1);
        QCOMPARE(boxes.last().text, QStringLiteral("您没有当前操作的权限"));
        QTest::mouseClick(&save, Qt::LeftButton);
        QCOMPARE(saves, 0);
        QCOMPARE(boxes.shown().size(), 2);
        // Opening it anew is refused, though the menu was built while the right was held.
        QVERIFY(entry(window, QStringLiteral("TVipQuery"))->isEnabled());
        tabs->removeTab(0);
        entry(window, QStringLiteral("TVipQuery"))->trigger();
        QCOMPARE(tabs->count(), 0);
        QCOMPARE(boxes.shown().size(), 3);
        // Another window's right is its own.
        window.OpenWindow(QStringLiteral("TVipConsumeAnalysis"));
        QCOMPARE(tabs->count(), 1);

        elsewhere->ExecuteSQL(QStringLiteral("INSERT INTO userlimit (UserRec, LimitNo) VALUES (?, 160)"),
                              {cashier.rec()});
        QTest::mouseClick(&save, Qt::LeftButton);
        QCOMPARE(saves, 1);
        QCOMPARE(boxes.shown().size(), 3);
    }

    void switchingUserAndLoggingOutCloseTheTabsAndRebuildTheMenus() {
        TestDatabase db;
        ScriptedMessages boxes;
        ModalDriver driver;
        TestUser cashier(db.data(), QStringLiteral("cashier"), {160});
        TestUser boss(db.data(), QStringLiteral("boss"), {}, true);
        DeskMainWindow window;
        window.show();
        window.OpenWindow(QStringLiteral("TVipConsumeAnalysis"));
        QVERIFY(entry(window, QStringLiteral("UserAdmin"))->isEnabled());
        const auto logIn = [&](const QString& code) {
            driver.setNextHandler([code](QDialog& dialog) {
                auto* userCode = dialog.findChild<QLineEdit*>(QStringLiteral("UserCodeEdit"));
                userCode->clear();
                QTest::keyClicks(userCode, code);
                QTest::keyClicks(dialog.findChild<QLineEdit*>(QStringLiteral("PasswordEdit")),
                                 TestUser::Password);
                QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("OkButton")), Qt::LeftButton);
            });
        };
        const auto cancel = [&] {
            driver.setNextHandler([](QDialog& dialog) {
                QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("CancelButton")),
                                  Qt::LeftButton);
            });
        };

        // Given up, a switch leaves the administrator at work with their tabs.
        cancel();
        entry(window, QStringLiteral("SwitchUser"))->trigger();
        QCOMPARE(Ucomvar().nLoginUserRec, boss.rec());
        QCOMPARE(window.Tabs()->count(), 1);

        logIn(QStringLiteral("cashier"));
        entry(window, QStringLiteral("SwitchUser"))->trigger();
        QCOMPARE(Ucomvar().nLoginUserRec, cashier.rec());
        QCOMPARE(window.Tabs()->count(), 0);
        QVERIFY(!entry(window, QStringLiteral("UserAdmin"))->isEnabled());
        QVERIFY(!entry(window, QStringLiteral("TVipConsumeAnalysis"))->isEnabled());
        QVERIFY(entry(window, QStringLiteral("TVipQuery"))->isEnabled());
        QCOMPARE(window.findChild<QLabel*>(QStringLiteral("UserLabel"))->text(),
                 QStringLiteral("操作员：cashier 用户"));

        // Logging out ends the session before anyone else logs in; given up, the desktop closes.
        // The workstation offers the last good login again, the password left to type.
        window.OpenWindow(QStringLiteral("TVipQuery"));
        driver.setNextHandler([&](QDialog& dialog) {
            QCOMPARE(dialog.findChild<QLineEdit*>(QStringLiteral("UserCodeEdit"))->text(),
                     QStringLiteral("cashier"));
            QCOMPARE(dialog.focusWidget(), dialog.findChild<QLineEdit*>(QStringLiteral("PasswordEdit")));
            QCOMPARE(Ucomvar().nLoginUserRec, 0);
            QCOMPARE(window.Tabs()->count(), 0);
            QVERIFY(!entry(window, QStringLiteral("TVipQuery"))->isEnabled());
            QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("CancelButton")), Qt::LeftButton);
        });
        entry(window, QStringLiteral("LogOut"))->trigger();
        QVERIFY(!window.isVisible());
        QCOMPARE(driver.unsettled() + boxes.unsettled(), 0);
    }

    void startsFromTheCommandLine() {
        TestDatabase db;
        QTemporaryDir shots;
        QProcess desk;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.remove(QStringLiteral("VIP_DB"));
        desk.setProcessEnvironment(environment);
        // A database without an administrator is never opened with a default password;
        // without anyone to choose one, the desktop stops.
        desk.start(QCoreApplication::applicationDirPath() + QStringLiteral("/vipdesk"),
                   {QStringLiteral("--db"), db.setting().text(), QStringLiteral("--tour"), shots.path()});
        QVERIFY(desk.waitForFinished(300000));
        QCOMPARE(desk.exitCode(), 1);
        QVERIFY2(QString::fromUtf8(desk.readAllStandardError()).contains(QStringLiteral("还没有系统管理员")),
                 "the refusal does not say the administrator is missing");
        QCOMPARE(db.data().OpenSQLAsInt(QStringLiteral("SELECT COUNT(*) FROM loginuser")), 0);
        // Only the embedded default database is the desktop's to fill with demo data.
        DemoData::fill(db.data().database());

        // A database file that is not there is more likely a typing slip than a wish
        // for an empty database; without anyone to ask, nothing is created.
        const QString slip = QDir(shots.path()).filePath(QStringLiteral("viip.sqlite"));
        desk.start(QCoreApplication::applicationDirPath() + QStringLiteral("/vipdesk"),
                   {QStringLiteral("--db"), slip, QStringLiteral("--tour"), shots.path()});
        QVERIFY(desk.waitForFinished(300000));
        QCOMPARE(desk.exitCode(), 1);
        QVERIFY2(QString::fromUtf8(desk.readAllStandardError()).contains(QStringLiteral("不存在")),
                 "the refusal does not say the file is missing");
        QVERIFY(!QFile::exists(slip));

        desk.start(QCoreApplication::applicationDirPath() + QStringLiteral("/vipdesk"),
                   {QStringLiteral("--db"), db.setting().text(), QStringLiteral("--tour"), shots.path()});
        QVERIFY(desk.waitForFinished(300000));
        QVERIFY2(desk.exitStatus() == QProcess::NormalExit && desk.exitCode() == 0,
                 desk.readAllStandardError().constData());
        const QString out = QString::fromUtf8(desk.readAllStandardOutput());
        // The module's entries make menus of their own beside the host's.
        for (const QString& name :
             {QStringLiteral("main"), QStringLiteral("menu-1"), QStringLiteral("menu-2"),
              QStringLiteral("settings"), QStringLiteral("login")}) {
            const QString path = QDir(shots.path()).filePath(name + QStringLiteral(".png"));
            QVERIFY2(out.contains(path), qPrintable(out));
            const QImage image(path);
            QVERIFY2(!image.isNull() && image.width() > 50 && image.height() > 20, qPrintable(path));
        }
    }
};

QTEST_MAIN(DesktopTest)
#include "tst_Desktop.moc"
