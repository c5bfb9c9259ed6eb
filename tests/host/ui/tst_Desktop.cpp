#include "host/data/Database.h"
#include "host/db/demo/DemoData.h"
#include "host/db/queries/ListQueryRegistry.h"
#include "host/sdk/DataModule.h"
#include "host/sdk/DbError.h"
#include "host/sdk/ModuleRegistry.h"
#include "host/sdk/Notices.h"
#include "host/sdk/Ucomvar.h"
#include "host/sdk/ui/TCommBaseQuery.h"
#include "host/services/HostConfig.h"
#include "host/services/NoticeOutbox.h"
#include "host/services/PasswordHash.h"
#include "host/ui/DeskMainWindow.h"
#include "host/ui/HostSettingsDialog.h"
#include "host/ui/LoginDialog.h"
#include "tests/support/ModalDriver.h"
#include "tests/support/ScriptedMessages.h"
#include "tests/support/TestDatabase.h"
#include "tests/support/TestUser.h"

#include <QAction>
#include <QApplication>
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
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

namespace {

constexpr int StoreListNo = 90200;
const ListQueryRegistration storeList(StoreListNo,
                                      QStringLiteral("SELECT posid, PosCode, PosName FROM posinfo "
                                                     "WHERE deleted = 0 ORDER BY posid"));

class StoreList : public TCommBaseQuery {
public:
    explicit StoreList(QWidget* parent)
        : TCommBaseQuery(parent, StoreListNo) {}
};

// A list that closes its own page, as pickers and editors opened as tabs do.
class ClosingStoreList final : public StoreList {
public:
    using StoreList::StoreList;

protected:
    void OnIniButton() override {
        StoreList::OnIniButton();
        AddButtonAndGetAction(QStringLiteral("退出[X]"), [this] { SetModalResult(mrCancel); });
    }
};

int adjustCalls = 0;

// What a module registers, with names the desktop knows and one it does not.
void registerEntries() {
    const auto plain = [](QWidget* parent) -> TBaseQuery* { return new StoreList(parent); };
    QueryClassFactory& classes = gQueryClassFactory();
    classes.Register({QStringLiteral("TVipQuery"), StoreListNo, editionFlags({1, 3}), 160, plain});
    classes.Register({QStringLiteral("TVipCardTypeSet"), StoreListNo, editionFlags({2}), 677, plain});
    classes.Register({QStringLiteral("TCzManage"), StoreListNo, editionFlags({1, 2}), 510, {}});
    classes.Register({QStringLiteral("TVipConsumeAnalysis"), StoreListNo, editionFlags({1}), 544,
                      [](QWidget* parent) -> TBaseQuery* { return new ClosingStoreList(parent); }});
    classes.Register({QStringLiteral("TPosMultSel"), StoreListNo, 0, 0, plain});
    classes.Register({QStringLiteral("TTestExtra"), StoreListNo, editionFlags({1}), 0, plain});
    classes.Register({QStringLiteral("TTestNoQuery"), 90299, editionFlags({1}), 0,
                      [](QWidget* parent) -> TBaseQuery* { return new TCommBaseQuery(parent); }});
    ComClassRegistry& functions = ComClassReg();
    functions.Register(
        {QStringLiteral("IntegralVipTotal_Adjust"), [] { ++adjustCalls; }, editionFlags({1, 2}), 828});
    functions.Register({QStringLiteral("TFunCard"), {}, editionFlags({1}), 935});
    functions.Register({QStringLiteral("ShowVipInfoAction"),
                        [] { throw DbError(QStringLiteral("会员卡写入失败：连接已断开")); },
                        editionFlags({1}), 0});
}

QAction* entry(const DeskMainWindow& window, const QString& name) {
    return window.menuBar()->findChild<QAction*>(name);
}

QString menuOf(const QAction* action) {
    return qobject_cast<QMenu*>(action->parent())->title();
}

QStringList menuTitles(const DeskMainWindow& window) {
    QStringList titles;
    for (QAction* action : window.menuBar()->actions())
        titles.append(action->text());
    return titles;
}

// Opens a menu as the user does, so it asks the rights afresh.
void openMenu(DeskMainWindow& window, const QString& title) {
    auto* menu = window.menuBar()->findChild<QMenu*>(title);
    menu->popup(window.mapToGlobal(QPoint(0, 0)));
    menu->hide();
}

int addStore(DataModule& data, const QString& code, const QString& name, int rowIndex, bool deleted = false) {
    return data.OpenSQLAsInt(QStringLiteral("INSERT INTO posinfo (PosCode, PosName, PosType, ConnectType, "
                                            "RowIndex, deleted) VALUES (?, ?, 1, 1, ?, ?) RETURNING posid"),
                             {code, name, rowIndex, deleted});
}

int addUser(DataModule& data, const QString& code, const QString& password) {
    const QString salt = PasswordHash::newSalt();
    return data.OpenSQLAsInt(QStringLiteral("INSERT INTO loginuser (UserCode, UserName, PasswordSalt, "
                                            "PasswordHash) VALUES (?, ?, ?, ?) RETURNING rec"),
                             {code, QStringLiteral("收银员甲"), salt, PasswordHash::hash(salt, password)});
}

QString configValue(DataModule& data, const QString& name) {
    return data.OpenSQLAsStr(QStringLiteral("SELECT Value FROM hostconfig WHERE Name = ?"), {name});
}

// QTest types only Latin-1; this is what an input method hands a field.
void typeChinese(QWidget* field, const QString& text) {
    for (const QChar character : text)
        QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString(character), Qt::NoModifier);
}

// A check box takes clicks on its box and caption only, not on the row a layout stretched it to.
void toggle(QCheckBox* box) {
    QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, QPoint(box->height() / 2, box->height() / 2));
}

// By keyboard: a second click on a tab bar soon after another click is a double click.
void showPage(QTabWidget* pages, int index) {
    QTabBar* bar = pages->tabBar();
    bar->setFocus();
    while (bar->currentIndex() != index)
        QTest::keyClick(bar, bar->currentIndex() < index ? Qt::Key_Right : Qt::Key_Left);
}

struct Run {
    int exitCode;
    QString out;
    QString err;
};

Run runDesk(const QStringList& arguments) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.remove(QStringLiteral("VIP_DB"));
    process.setProcessEnvironment(environment);
    process.start(QCoreApplication::applicationDirPath() + QStringLiteral("/vipdesk"), arguments);
    if (!process.waitForFinished(300000))
        process.kill();
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
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

    void menusFollowEditionRightsAndAvailability() {
        TestDatabase db;
        ScriptedMessages boxes;
        TestUser cashier(db.data(), QStringLiteral("cashier"), {160, 828});
        Ucomvar().szPublicPosName = QStringLiteral("中山路店");
        DeskMainWindow window;

        QCOMPARE(menuTitles(window),
                 (QStringList{QStringLiteral("会员"), QStringLiteral("储值与服务"), QStringLiteral("积分"),
                              QStringLiteral("设备"), QStringLiteral("报表"), QStringLiteral("其他"),
                              QStringLiteral("系统")}));
        QAction* members = entry(window, QStringLiteral("TVipQuery"));
        QVERIFY(members);
        QCOMPARE(members->text(), QStringLiteral("会员卡管理"));
        QCOMPARE(menuOf(members), QStringLiteral("会员"));
        QVERIFY(members->isEnabled());
        // Outside the edition, and helper windows: not offered at all.
        QVERIFY(!entry(window, QStringLiteral("TVipCardTypeSet")));
        QVERIFY(!entry(window, QStringLiteral("TPosMultSel")));
        // Registered but not built yet: in view, greyed, saying why.
        QAction* storedValue = entry(window, QStringLiteral("TCzManage"));
        QVERIFY(!storedValue->isEnabled());
        QCOMPARE(storedValue->toolTip(), QStringLiteral("该功能尚未提供"));
        QAction* device = entry(window, QStringLiteral("TFunCard"));
        QCOMPARE(device->text(), QStringLiteral("IC卡设置"));
        QVERIFY(!device->isEnabled());
        QCOMPARE(device->toolTip(), QStringLiteral("该功能尚未提供"));
        QAction* adjust = entry(window, QStringLiteral("IntegralVipTotal_Adjust"));
        QCOMPARE(adjust->text(), QStringLiteral("积分调整"));
        QVERIFY(adjust->isEnabled());
        // Without the right: greyed.
        QAction* analysis = entry(window, QStringLiteral("TVipConsumeAnalysis"));
        QVERIFY(!analysis->isEnabled());
        QCOMPARE(analysis->toolTip(), QStringLiteral("您没有当前操作的权限"));
        // A name the desktop has no caption for is still offered.
        QCOMPARE(menuOf(entry(window, QStringLiteral("TTestExtra"))), QStringLiteral("其他"));
        QVERIFY(!entry(window, QStringLiteral("HostSettings"))->isEnabled());

        // A right granted meanwhile counts the next time the menu opens.
        db.data().ExecuteSQL(QStringLiteral("INSERT INTO userlimit (UserRec, LimitNo) VALUES (?, 544)"),
                             {cashier.rec()});
        openMenu(window, QStringLiteral("报表"));
        QVERIFY(analysis->isEnabled());

        QCOMPARE(window.findChild<QLabel*>(QStringLiteral("UserLabel"))->text(),
                 QStringLiteral("操作员：cashier 用户"));
        QCOMPARE(window.findChild<QLabel*>(QStringLiteral("StoreLabel"))->text(),
                 QStringLiteral("门店：中山路店"));
        const QString database = window.findChild<QLabel*>(QStringLiteral("DatabaseLabel"))->text();
        if (db.isPostgres()) {
            QVERIFY2(database.contains(QStringLiteral("localhost/viptest")), qPrintable(database));
            QVERIFY2(!database.contains(QStringLiteral("postgres@")) &&
                         !database.contains(QStringLiteral(":postgres")),
                     qPrintable(database));
        } else {
            QVERIFY2(database.endsWith(QStringLiteral("test.sqlite")), qPrintable(database));
        }

        Ucomvar().nMedVersion = 2;
        window.RebuildMenus();
        QVERIFY(!entry(window, QStringLiteral("TVipQuery")));
        QVERIFY(!entry(window, QStringLiteral("TFunCard")));
        QAction* typeSettings = entry(window, QStringLiteral("TVipCardTypeSet"));
        QCOMPARE(typeSettings->text(), QStringLiteral("会员卡类型设置"));
        QCOMPARE(menuOf(typeSettings), QStringLiteral("卡类型与价格"));
        QVERIFY(!typeSettings->isEnabled());
        QVERIFY(entry(window, QStringLiteral("IntegralVipTotal_Adjust"))->isEnabled());

        // Editions past the flag word's width have no module entries; the host's menu stays.
        for (int edition : {16, 50, -1}) {
            Ucomvar().nMedVersion = edition;
            window.RebuildMenus();
            QCOMPARE(menuTitles(window), QStringList{QStringLiteral("系统")});
        }

        Ucomvar().nMedVersion = 1;
        TestUser boss(db.data(), QStringLiteral("boss"), {}, true);
        window.RebuildMenus();
        QVERIFY(entry(window, QStringLiteral("HostSettings"))->isEnabled());
        QVERIFY(entry(window, QStringLiteral("TVipConsumeAnalysis"))->isEnabled());
        QVERIFY(!entry(window, QStringLiteral("TCzManage"))->isEnabled());
        // Demoted while the window is open: the settings entry follows when the menu opens.
        db.data().ExecuteSQL(QStringLiteral("UPDATE loginuser SET IsAdmin = 0 WHERE rec = ?"), {boss.rec()});
        openMenu(window, QStringLiteral("系统"));
        QVERIFY(!entry(window, QStringLiteral("HostSettings"))->isEnabled());
        QVERIFY(boxes.shown().isEmpty());
    }

    void entriesOpenOneTabPerWindowAndRunGuarded() {
        TestDatabase db;
        ScriptedMessages boxes;
        TestUser boss(db.data(), QStringLiteral("boss"), {}, true);
        addStore(db.data(), QStringLiteral("S01"), QStringLiteral("O'Brien \"旗舰\"店"), 1);
        addStore(db.data(), QStringLiteral("S02"), QStringLiteral("人民路店"), 2);
        DeskMainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTabWidget* tabs = window.Tabs();

        entry(window, QStringLiteral("TVipQuery"))->trigger();
        entry(window, QStringLiteral("TVipQuery"))->trigger();
        QCOMPARE(tabs->count(), 1);
        QCOMPARE(tabs->tabText(0), QStringLiteral("会员卡管理"));
        QPointer<TBaseQuery> members = qobject_cast<TBaseQuery*>(tabs->widget(0));
        QCOMPARE(members->RowCount(), 2);
        entry(window, QStringLiteral("TTestExtra"))->trigger();
        QCOMPARE(tabs->count(), 2);
        QCOMPARE(tabs->currentIndex(), 1);
        QCOMPARE(tabs->tabText(1), QStringLiteral("TTestExtra"));
        entry(window, QStringLiteral("TVipQuery"))->trigger();
        QCOMPARE(tabs->count(), 2);
        QCOMPARE(tabs->currentWidget(), members.data());

        // Closed with the tab's close button, the window goes; opening it again loads afresh.
        QTest::mouseClick(tabs->tabBar()->tabButton(tabs->indexOf(members), QTabBar::RightSide),
                          Qt::LeftButton);
        QCOMPARE(tabs->count(), 1);
        QTRY_VERIFY(members.isNull());
        addStore(db.data(), QStringLiteral("S03"), QStringLiteral("解放路店"), 3);
        entry(window, QStringLiteral("TVipQuery"))->trigger();
        QCOMPARE(tabs->count(), 2);
        QCOMPARE(qobject_cast<TBaseQuery*>(tabs->currentWidget())->RowCount(), 3);

        // A window that closes its own page can be opened again at once, before
        // the closed one is even deleted.
        entry(window, QStringLiteral("TVipConsumeAnalysis"))->trigger();
        QCOMPARE(tabs->count(), 3);
        auto* closing = qobject_cast<TBaseQuery*>(tabs->currentWidget());
        QTest::mouseClick(
            closing->findChild<QToolBar*>()->widgetForAction(closing->GetAction(QStringLiteral("退出[X]"))),
            Qt::LeftButton);
        QCOMPARE(tabs->count(), 2);
        entry(window, QStringLiteral("TVipConsumeAnalysis"))->trigger();
        QCOMPARE(tabs->count(), 3);
        QVERIFY(tabs->currentWidget() != closing);
        QVERIFY(boxes.shown().isEmpty());

        // A window whose rows cannot be read: one box, no page.
        entry(window, QStringLiteral("TTestNoQuery"))->trigger();
        QCOMPARE(tabs->count(), 3);
        QCOMPARE(boxes.shown().size(), 1);
        QCOMPARE(boxes.last().caption, QStringLiteral("错误"));
        QVERIFY(boxes.last().text.contains(QStringLiteral("90299")));

        entry(window, QStringLiteral("IntegralVipTotal_Adjust"))->trigger();
        QCOMPARE(adjustCalls, 1);
        QCOMPARE(boxes.shown().size(), 1);
        // A function that fails: one error box, and the desktop carries on.
        entry(window, QStringLiteral("ShowVipInfoAction"))->trigger();
        QCOMPARE(boxes.shown().size(), 2);
        QCOMPARE(boxes.last().text, QStringLiteral("会员卡写入失败：连接已断开"));
        QCOMPARE(boxes.last().caption, QStringLiteral("错误"));
        QVERIFY(window.isVisible());
        QCOMPARE(tabs->count(), 3);
    }

    void loginRefusesThenFillsTheSession() {
        TestDatabase db;
        ScriptedMessages boxes;
        ModalDriver driver;
        const int user = addUser(db.data(), QStringLiteral("O'Neil"), QStringLiteral("p'w\"1"));
        const int zhongshan = addStore(db.data(), QStringLiteral("S01"), QStringLiteral("中山路店"), 2);
        const int renmin = addStore(db.data(), QStringLiteral("S02"), QStringLiteral("人民路店"), 1);
        addStore(db.data(), QStringLiteral("S03"), QStringLiteral("已关店"), 0, true);

        driver.setNextHandler([&](QDialog& dialog) {
            QCOMPARE(dialog.windowTitle(), QStringLiteral("登录"));
            auto* code = dialog.findChild<QLineEdit*>(QStringLiteral("UserCodeEdit"));
            auto* password = dialog.findChild<QLineEdit*>(QStringLiteral("PasswordEdit"));
            auto* store = dialog.findChild<QComboBox*>(QStringLiteral("StoreCombo"));
            auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("OkButton"));
            QCOMPARE(password->echoMode(), QLineEdit::Password);
            QStringList stores;
            for (int i = 0; i < store->count(); ++i)
                stores.append(store->itemText(i));
            QCOMPARE(stores, (QStringList{QStringLiteral("总部"), QStringLiteral("人民路店"),
                                          QStringLiteral("中山路店")}));
            QCOMPARE(QApplication::focusWidget(), code);
            QTest::keyClicks(code, QStringLiteral("O'Neil"));
            QTest::keyClick(code, Qt::Key_Return);
            QCOMPARE(QApplication::focusWidget(), password);
            QTest::keyClicks(password, QStringLiteral("p'w\"2"));
            QTest::keyClick(password, Qt::Key_Return);
            QCOMPARE(QApplication::focusWidget(), store);
            QTest::keyClick(store, Qt::Key_End);
            QTest::mouseClick(ok, Qt::LeftButton);
            QCOMPARE(boxes.shown().size(), 1);
            QCOMPARE(boxes.last().text, QStringLiteral("用户编号或密码错误，请重新输入。"));
            QCOMPARE(boxes.last().caption, QStringLiteral("登录"));
            QVERIFY(dialog.isVisible());
            QCOMPARE(Ucomvar().nLoginUserRec, 0);
            QVERIFY(password->text().isEmpty());
            QCOMPARE(QApplication::focusWidget(), password);

            // The chosen store closes before the next try: refused, and no longer offered.
            QTest::keyClicks(password, QStringLiteral("p'w\"1"));
            store->setFocus();
            typeChinese(store, QStringLiteral("人"));
            QCOMPARE(store->currentText(), QStringLiteral("人民路店"));
            db.data().ExecuteSQL(QStringLiteral("UPDATE posinfo SET deleted = 1 WHERE posid = ?"), {renmin});
            QTest::mouseClick(ok, Qt::LeftButton);
            QCOMPARE(boxes.shown().size(), 2);
            QCOMPARE(boxes.last().text, QStringLiteral("所选门店不存在或已删除，请重新选择门店。"));
            QCOMPARE(store->count(), 2);
            QCOMPARE(QApplication::focusWidget(), store);
            QCOMPARE(password->text(), QStringLiteral("p'w\"1"));
            QTest::keyClick(store, Qt::Key_End);
            QTest::mouseClick(ok, Qt::LeftButton);
            QVERIFY(!dialog.isVisible());
        });
        LoginDialog dialog;
        QCOMPARE(dialog.ShowModal(), mrOk);
        QCOMPARE(boxes.shown().size(), 2);
        QCOMPARE(Ucomvar().szLoginUserId, QStringLiteral("O'Neil"));
        QCOMPARE(Ucomvar().szLoginUserName, QStringLiteral("收银员甲"));
        QCOMPARE(Ucomvar().nLoginUserRec, user);
        QCOMPARE(Ucomvar().lPublicPosid, zhongshan);
        QCOMPARE(Ucomvar().szPublicPosName, QStringLiteral("中山路店"));
        QCOMPARE(Ucomvar().lpostype, 1);
        QCOMPARE(Ucomvar().lConnectType, 1);

        // Cancel leaves nobody logged in.
        Ucomvar() = TComVar();
        driver.setNextHandler([](QDialog& dialog) {
            QTest::keyClicks(dialog.findChild<QLineEdit*>(QStringLiteral("UserCodeEdit")),
                             QStringLiteral("O'Neil"));
            QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("CancelButton")), Qt::LeftButton);
        });
        LoginDialog cancelled;
        QCOMPARE(cancelled.ShowModal(), mrCancel);
        QCOMPARE(Ucomvar().nLoginUserRec, 0);
        QCOMPARE(driver.leftOpen(), 0);
        QCOMPARE(driver.unhandled(), 0);
    }

    void settingsSaveWhatChangedAndApplyAtOnce() {
        TestDatabase db;
        ScriptedMessages boxes;
        ModalDriver driver;
        const int store = addStore(db.data(), QStringLiteral("S01"), QStringLiteral("中山路店"), 1);
        TestUser boss(db.data(), QStringLiteral("boss"), {}, true);
        Ucomvar().lPublicPosid = store;
        Ucomvar().szPublicPosName = QStringLiteral("中山路店");
        NoticeOutbox outbox(db.data());
        DeskMainWindow window(&outbox);
        QVERIFY(!entry(window, QStringLiteral("TVipCardTypeSet")));
        std::unique_ptr<DataModule> elsewhere = db.openAnother();

        driver.setNextHandler([&](QDialog& dialog) {
            QCOMPARE(dialog.windowTitle(), QStringLiteral("系统设置"));
            QCOMPARE(dialog.findChild<QLabel*>(QStringLiteral("StoreNameLabel"))->text(),
                     QStringLiteral("中山路店"));
            // Another workstation switches a notice on while this dialog is open.
            HostConfig other(*elsewhere);
            other.Load();
            other.SetFlag(QStringLiteral("bSMSKkReward"), true);
            other.Save();

            auto* pages = dialog.findChild<QTabWidget*>(QStringLiteral("SettingsPages"));
            showPage(pages, 1);
            toggle(dialog.findChild<QCheckBox*>(QStringLiteral("AppFlag14")));
            showPage(pages, 0);
            toggle(dialog.findChild<QCheckBox*>(QStringLiteral("bSMSChange")));
            toggle(dialog.findChild<QCheckBox*>(NoticeOutbox::SwitchName));
            auto* edition = dialog.findChild<QSpinBox*>(QStringLiteral("MEDVERSION"));
            edition->setFocus();
            QTest::keyClick(edition, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(edition, QStringLiteral("2"));
            auto* kind = dialog.findChild<QComboBox*>(QStringLiteral("PosTypeCombo"));
            kind->setFocus();
            QTest::keyClick(kind, Qt::Key_End);
            QCOMPARE(kind->currentText(), QStringLiteral("加盟店"));

            // An empty word for goods is refused, and nothing is written.
            auto* goods = dialog.findChild<QLineEdit*>(QStringLiteral("szPubGoodsName"));
            goods->setFocus();
            goods->selectAll();
            QTest::keyClick(goods, Qt::Key_Delete);
            auto* save = dialog.findChild<QPushButton*>(QStringLiteral("SaveButton"));
            QTest::mouseClick(save, Qt::LeftButton);
            QCOMPARE(boxes.shown().size(), 1);
            QCOMPARE(boxes.last().text, QStringLiteral("商品称谓不能为空。"));
            QCOMPARE(boxes.last().caption, QStringLiteral("提示"));
            QVERIFY(dialog.isVisible());
            QCOMPARE(QApplication::focusWidget(), goods);
            QCOMPARE(db.data().OpenSQLAsInt(QStringLiteral("SELECT COUNT(*) FROM hostconfig")), 1);

            typeChinese(goods, QStringLiteral("货品"));
            QTest::mouseClick(save, Qt::LeftButton);
            QVERIFY(!dialog.isVisible());
        });
        entry(window, QStringLiteral("HostSettings"))->trigger();
        QCOMPARE(boxes.shown().size(), 1);

        // Only what the dialog changed was written; the other workstation's switch stands.
        ClientDataSet rows;
        db.data().OpenSQL(QStringLiteral("SELECT Name FROM hostconfig ORDER BY Name"), rows);
        QStringList names;
        for (rows.First(); !rows.Eof(); rows.Next())
            names.append(rows.FieldByName(QStringLiteral("Name")).AsString());
        names.sort();
        QStringList expected = {QStringLiteral("AppClass"),     QStringLiteral("bSMSChange"),
                                QStringLiteral("bSMSKkReward"), QStringLiteral("MEDVERSION"),
                                NoticeOutbox::SwitchName,       QStringLiteral("szPubGoodsName")};
        expected.sort();
        QCOMPARE(names, expected);
        QCOMPARE(configValue(db.data(), QStringLiteral("bSMSKkReward")), QStringLiteral("1"));
        QCOMPARE(configValue(db.data(), QStringLiteral("AppClass")).indexOf(QLatin1Char('1')), 13);
        QCOMPARE(
            db.data().OpenSQLAsInt(QStringLiteral("SELECT PosType FROM posinfo WHERE posid = ?"), {store}),
            2);

        // Published at once: session, notices and menus.
        QVERIFY(AppClass().Flag(14));
        QVERIFY(!AppClass().Flag(13));
        QVERIFY(Ucomvar().bSMSChange);
        QVERIFY(Ucomvar().bSMSKkReward);
        QCOMPARE(MEDVERSION(), 2);
        QCOMPARE(Ucomvar().lpostype, 2);
        QCOMPARE(Ucomvar().lConnectType, 1);
        QCOMPARE(Ucomvar().szPubGoodsName, QStringLiteral("货品"));
        QVERIFY(entry(window, QStringLiteral("TVipCardTypeSet")));
        QVERIFY(!entry(window, QStringLiteral("TVipQuery")));
        QVERIFY(SendSMSMessageByBillFunc);
        SendSMSMessageByBillFunc(2, 77, true, 0, 0, 0, 0, 0);
        QCOMPARE(
            db.data().OpenSQLAsInt(QStringLiteral("SELECT COUNT(*) FROM noticeoutbox WHERE RecordId = 77")),
            1);

        // Opened again it shows what was saved; leaving writes nothing.
        driver.setNextHandler([&](QDialog& dialog) {
            QVERIFY(dialog.findChild<QCheckBox*>(QStringLiteral("AppFlag14"))->isChecked());
            QVERIFY(dialog.findChild<QCheckBox*>(QStringLiteral("bSMSKkReward"))->isChecked());
            QCOMPARE(dialog.findChild<QSpinBox*>(QStringLiteral("MEDVERSION"))->value(), 2);
            QCOMPARE(dialog.findChild<QComboBox*>(QStringLiteral("PosTypeCombo"))->currentText(),
                     QStringLiteral("加盟店"));
            QCOMPARE(dialog.findChild<QLineEdit*>(QStringLiteral("szPubGoodsName"))->text(),
                     QStringLiteral("货品"));
            auto* openingBalance = dialog.findChild<QCheckBox*>(QStringLiteral("bPublicIniCanModify"));
            toggle(openingBalance);
            QVERIFY(openingBalance->isChecked());
            QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("CloseButton")), Qt::LeftButton);
        });
        entry(window, QStringLiteral("HostSettings"))->trigger();
        QCOMPARE(db.data().OpenSQLAsInt(QStringLiteral("SELECT COUNT(*) FROM hostconfig")), 6);
        QVERIFY(!Ucomvar().bPublicIniCanModify);

        // A cashier sees the entry greyed, and a settings window reached anyway cannot save.
        TestUser cashier(db.data(), QStringLiteral("cashier"), {160});
        window.RebuildMenus();
        QVERIFY(!entry(window, QStringLiteral("HostSettings"))->isEnabled());
        driver.setNextHandler([&](QDialog& dialog) {
            toggle(dialog.findChild<QCheckBox*>(QStringLiteral("bSMSChange")));
            QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("SaveButton")), Qt::LeftButton);
            QVERIFY(dialog.isVisible());
            QTest::keyClick(&dialog, Qt::Key_Escape);
        });
        HostSettingsDialog dialog;
        QCOMPARE(dialog.ShowModal(), mrCancel);
        QCOMPARE(boxes.last().text, QStringLiteral("只有系统管理员才能修改系统设置。"));
        QCOMPARE(configValue(db.data(), QStringLiteral("bSMSChange")), QStringLiteral("1"));
        QCOMPARE(driver.leftOpen(), 0);
        outbox.Uninstall();
    }

    void startsFromTheCommandLine() {
        TestDatabase db;
        QTemporaryDir shots;
        QVERIFY(QFileInfo::exists(QCoreApplication::applicationDirPath() + QStringLiteral("/vipdesk")));
        const QStringList tour = {QStringLiteral("--db"), db.setting(), QStringLiteral("--tour"),
                                  shots.path()};

        const Run unknown = runDesk({QStringLiteral("--bogus")});
        QCOMPARE(unknown.exitCode, 2);
        QVERIFY(unknown.err.contains(QStringLiteral("--bogus")));

        // A database written by a newer program is refused before anything happens.
        db.data().ExecuteSQL(QStringLiteral("INSERT INTO schema_version (version) VALUES (9999)"));
        const Run newer = runDesk(tour);
        QCOMPARE(newer.exitCode, 1);
        QVERIFY2(newer.err.contains(QStringLiteral("比本程序支持的版本")), qPrintable(newer.err));
        QVERIFY(QDir(shots.path()).isEmpty());
        QCOMPARE(db.data().OpenSQLAsInt(QStringLiteral("SELECT COUNT(*) FROM loginuser")), 0);
        db.data().ExecuteSQL(QStringLiteral("DELETE FROM schema_version WHERE version = 9999"));

        // Only the embedded database is the desktop's to fill with demo data.
        if (db.isPostgres()) {
            const Run empty = runDesk(tour);
            QCOMPARE(empty.exitCode, 1);
            QVERIFY2(empty.err.contains(QStringLiteral("还没有登录用户")), qPrintable(empty.err));
            QCOMPARE(db.data().OpenSQLAsInt(QStringLiteral("SELECT COUNT(*) FROM loginuser")), 0);
            DemoData::fill(db.data().database());
        }

        const Run shown = runDesk(tour);
        QVERIFY2(shown.exitCode == 0, qPrintable(shown.err));
        QVERIFY2(!shown.err.contains(QStringLiteral("会员卡模块")), qPrintable(shown.err));
        QVERIFY(db.data().OpenSQLAsInt(
                    QStringLiteral("SELECT COUNT(*) FROM loginuser WHERE UserCode = 'admin'")) == 1);
        // The module's entries make menus of their own beside the host's.
        for (const QString& name :
             {QStringLiteral("main"), QStringLiteral("menu-1"), QStringLiteral("menu-2"),
              QStringLiteral("settings"), QStringLiteral("login")}) {
            const QString path = QDir(shots.path()).filePath(name + QStringLiteral(".png"));
            QVERIFY2(shown.out.contains(path), qPrintable(shown.out));
            const QImage image(path);
            QVERIFY2(!image.isNull() && image.width() > 50 && image.height() > 20, qPrintable(path));
        }
    }
};

QTEST_MAIN(DesktopTest)
#include "tst_Desktop.moc"
