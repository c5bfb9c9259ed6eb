#include "host/sdk/DataModule.h"
#include "host/sdk/VipCodes.h"
#include "host/sdk/ui/CallQueryClass.h"
#include "host/sdk/ui/TBaseQuery.h"
#include "host/sdk/ui/TQueryGrid.h"
#include "tests/support/DbProbe.h"
#include "tests/support/FlowFixture.h"
#include "tests/support/RecordingPrint.h"
#include "tests/support/TestRows.h"
#include "tests/support/TestUser.h"
#include "tests/support/UserInput.h"
#include "vip/base/ModuleGlobals.h"
#include "vip/frame/PackageEntry.h"
#include "vip/members/TVipQuery.h"
#include "vip/storedvalue/ServiceRuleExports.h"
#include "vip/storedvalue/TVipServiceQuery.h"
#include "vip/storedvalue/VipCzStore.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QToolBar>
#include <optional>

using UserInput::click;
using UserInput::get;
using UserInput::type;

namespace {

// Types into a cell of the ladder through its editor and ends the edit with Enter.
void typeCell(QDialog& dialog, int row, int column, const QString& value) {
    // Back from the product selector, the dialog is the active window again before the user types.
    if (!dialog.isActiveWindow()) {
        dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
    }
    auto* grid = get<QTableView>(dialog, "GridRule");
    grid->setFocus();
    grid->setCurrentIndex(grid->model()->index(row, column));
    QTest::keyClick(grid, Qt::Key_F2);
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    QVERIFY2(editor, "the cell opened no editor");
    editor->selectAll();
    QTest::keyClick(editor, Qt::Key_Delete);
    UserInput::enter(editor, value);
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();
}

// The ladder's rows as shown: count|price|amount|gift|total|days.
QStringList ladder(QAbstractItemModel* model) {
    QStringList rows;
    for (int row = 0; row < model->rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < model->columnCount(); ++column)
            cells << model->index(row, column).data().toString();
        rows << cells.join(QLatin1Char('|'));
    }
    return rows;
}

QStringList ladder(QDialog& dialog) {
    return ladder(get<QTableView>(dialog, "GridRule")->model());
}

// The rules as stored: count|price|gift|days, by count.
QStringList storedRules(int prec) {
    ClientDataSet rows;
    dmClient().OpenSQL(
        QStringLiteral("SELECT buyTimes, oncePrice, gainTimes, ValidityDays FROM VipServiceRule "
                       "WHERE prec = ? ORDER BY buyTimes"),
        rows, {prec});
    QStringList list;
    for (int r = 0; r < rows.RecordCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < rows.FieldCount(); ++c)
            cells << rows.Value(r, c).toString();
        list << cells.join(QLatin1Char('|'));
    }
    return list;
}

void press(TBaseQuery& window, const QString& caption) {
    QAction* action = window.GetAction(caption);
    QVERIFY2(action && action->isEnabled(), qPrintable(caption));
    action->trigger();
}

QStringList column(TBaseQuery& window, const QString& field) {
    QStringList cells;
    for (int row = 0; row < window.RowCount(); ++row)
        cells << window.GData(field, row);
    return cells;
}

} // namespace

class VipServiceQueryTest : public QObject {
    Q_OBJECT

    std::optional<FlowFixture> flow;
    std::optional<TestUser> manager;
    int wash = 0;
    int nails = 0;

    QStringList said() {
        QStringList list;
        for (const ScriptedMessages::Box& box : flow->boxes().shown())
            list << box.caption + QLatin1Char('|') + box.text;
        flow->boxes().clear();
        return list;
    }
    // A save the user expects to be refused: the box is answered and the dialog stays.
    void refused(QDialog& d, const QString& text) {
        flow->boxes().setNextAnswer(IDOK);
        click(d, "btnSave");
        QCOMPARE(said(), QStringList{QStringLiteral("提示|") + text});
        QVERIFY(d.isVisible());
    }
    int saveItem(int prec, int startTimes, int giftMode, const QList<VipCzStore::ServiceRule>& rules) {
        return VipCzStore()
            .SaveServiceItem({.prec = prec, .startTimes = startTimes, .discountType = giftMode}, true, rules)
            .result;
    }

private slots:
    void initTestCase() { Initialize(); }
    void cleanupTestCase() { Finalize(); }
    void init() {
        flow.emplace();
        manager.emplace(flow->data(), QStringLiteral("manager"),
                        QList<int>{160, 902, 903, 904, 905, 908, 940});
        wash = TestRows::addProduct(flow->data(), QStringLiteral("00001"), QStringLiteral("FW01"),
                                    QStringLiteral("洗车"));
        nails = TestRows::addProduct(flow->data(), QStringLiteral("00002"), QStringLiteral("FW02"),
                                     QStringLiteral("美甲"));
    }
    void cleanup() {
        manager.reset();
        const int leftOver = flow->unsettled();
        flow.reset();
        QCOMPARE(leftOver, 0);
    }

    // A new item starts at a least purchase of 1, its first step following it; each
    // check refuses in its turn, and the save keeps the steps with a count.
    void newItemIsCheckedInOrder() {
        flow->driver().setNextHandler([&](QDialog& d) {
            QCOMPARE(d.windowTitle(), QStringLiteral("服务项目规则-新增"));
            QCOMPARE(get<QLineEdit>(d, "edtStartTimes")->text(), QStringLiteral("1"));
            QCOMPARE(get<QComboBox>(d, "cbxDiscountType")->currentText(), QStringLiteral("倍数"));
            QCOMPARE(ladder(d), QStringList({QStringLiteral("1||||1|"), QStringLiteral("|||||")}));
            refused(d, QStringLiteral("项目名称不能为空!"));
            type(d, "edtPtype", QStringLiteral("洗车"));
            refused(d, QStringLiteral("无效的项目名称，请先选择!"));
            flow->driver().setNextHandler([](QDialog& picker) {
                QCOMPARE(picker.objectName(), QStringLiteral("TPtypeSelectDlg"));
                click(picker, "btnOK");
            });
            click(d, "btnPtype");
            QCOMPARE(get<QLineEdit>(d, "edtPtype")->text(), QStringLiteral("洗车"));
            type(d, "edtStartTimes", QStringLiteral("0"), true);
            refused(d, QStringLiteral("起购次数至少为1!"));
            type(d, "edtStartTimes", QStringLiteral("2"), true);
            QCOMPARE(ladder(d).first(), QStringLiteral("2||||2|"));
            get<QComboBox>(d, "cbxDiscountType")->setCurrentIndex(-1);
            refused(d, QStringLiteral("请先选择 赠送方式!"));
            get<QComboBox>(d, "cbxDiscountType")->setCurrentIndex(0);
            typeCell(d, 0, 1, QStringLiteral("10"));
            typeCell(d, 0, 3, QStringLiteral("1"));
            typeCell(d, 1, 0, QStringLiteral("5"));
            typeCell(d, 1, 2, QStringLiteral("45"));
            typeCell(d, 1, 3, QStringLiteral("2"));
            QCOMPARE(ladder(d), QStringList({QStringLiteral("2|10|20.00|1|3|"),
                                             QStringLiteral("5|9|45.00|2|7|"), QStringLiteral("|||||")}));
            refused(d, QStringLiteral("倍数优惠时，只允许有一行记录有赠送次数!"));
            get<QComboBox>(d, "cbxDiscountType")->setCurrentIndex(1);
            typeCell(d, 1, 0, QStringLiteral("1"));
            refused(d, QStringLiteral("购买次数(1)不能小于起购次数(2)!"));
            QCOMPARE(get<QTableView>(d, "GridRule")->currentIndex().row(), 1);
            typeCell(d, 1, 0, QStringLiteral("5"));
            typeCell(d, 1, 1, QString());
            refused(d, QStringLiteral("请输入单价!"));
            typeCell(d, 1, 1, QStringLiteral("9"));
            // A step without a count is no step.
            typeCell(d, 2, 1, QStringLiteral("7"));
            typeCell(d, 2, 5, QStringLiteral("30"));
            click(d, "btnSave");
            QVERIFY(!d.isVisible());
        });
        QVERIFY(ShowVipServiceRuleEdit(nullptr, 0, vsrAdd));
        QCOMPARE(newRuleId, wash);
        QCOMPARE(
            dmClient().OpenSQLAsStr(
                QStringLiteral("SELECT startTimes || '/' || discountType FROM VipService WHERE prec = ?"),
                {wash}),
            QStringLiteral("2/2"));
        QCOMPARE(storedRules(wash),
                 QStringList({QStringLiteral("2|100000|1|-1"), QStringLiteral("5|90000|2|-1")}));
    }

    // Edited from the list, an item's ladder is replaced whole; a refused step
    // leaves item and ladder as they were. "保存新增" selects the saved item and
    // starts the next; the printout carries the ladder.
    void listEditsReplaceTheLadderInOneGo() {
        QCOMPARE(
            saveItem(wash, 2, ServiceGiftMode::PerMultiple,
                     {{.buyTimes = 2, .oncePrice = Money::fromUnits(10)},
                      {.buyTimes = 5, .oncePrice = Money::fromUnits(9), .gainTimes = 1, .validityDays = 90}}),
            wash);
        RecordingPrint printer;
        TVipServiceQuery list;
        list.Open();
        QCOMPARE(column(list, QStringLiteral("vsFullName")), QStringList{QStringLiteral("洗车")});
        QCOMPARE(list.findChild<QLabel*>(QStringLiteral("lblRule"))->text(),
                 QStringLiteral("项目规则(洗车)"));
        QCOMPARE(ladder(list.RuleGrid()->GridModel()).size(), 2);

        flow->driver().setNextHandler([&](QDialog& d) {
            QCOMPARE(d.windowTitle(), QStringLiteral("服务项目规则-编辑"));
            QVERIFY(!get<QLineEdit>(d, "edtPtype")->isEnabled());
            QCOMPARE(ladder(d), QStringList({QStringLiteral("2|10|20.00||2|"),
                                             QStringLiteral("5|9|45.00|1|6|90"), QStringLiteral("|||||")}));
            type(d, "edtStartTimes", QStringLiteral("3"), true);
            QCOMPARE(ladder(d).first(), QStringLiteral("3|10|30.00||3|"));
            auto* grid = get<QTableView>(d, "GridRule");
            grid->setCurrentIndex(grid->model()->index(0, 1));
            flow->boxes().setNextAnswer(IDOK);
            click(d, "btnDelRow");
            QCOMPARE(said(), QStringList{QStringLiteral("提示|第1行记录不允许删除!")});
            grid->setCurrentIndex(grid->model()->index(1, 1));
            flow->boxes().setNextAnswer(IDYES);
            click(d, "btnDelRow");
            QCOMPARE(said(), QStringList{QStringLiteral("提示|你确定要删除该行吗？")});
            typeCell(d, 1, 0, QStringLiteral("10"));
            typeCell(d, 1, 2, QStringLiteral("80"));
            typeCell(d, 1, 3, QStringLiteral("2"));
            click(d, "btnPrint");
            click(d, "btnSave");
        });
        press(list, QStringLiteral("修改[&M]"));
        QCOMPARE(printer.name, QStringLiteral("服务项目规则.rwx"));
        QCOMPARE(printer.itemTexts(),
                 QStringList({QStringLiteral("项目名称=洗车"), QStringLiteral("起购次数=3"),
                              QStringLiteral("赠送方式=倍数")}));
        QCOMPARE(storedRules(wash),
                 QStringList({QStringLiteral("3|100000|-1|-1"), QStringLiteral("10|80000|2|-1")}));
        QCOMPARE(column(list, QStringLiteral("startTimes")), QStringList{QStringLiteral("3")});
        QCOMPARE(ladder(list.RuleGrid()->GridModel()),
                 QStringList({QStringLiteral("3|10.00|30.00||3|"), QStringLiteral("10|8.00|80.00|2|12|")}));

        // Two steps from one count pass the dialog and are refused by the rules'
        // procedure: nothing of the save stays, the item's least purchase included.
        flow->driver().setNextHandler([&](QDialog& d) {
            type(d, "edtStartTimes", QStringLiteral("2"), true);
            typeCell(d, 1, 0, QStringLiteral("2"));
            flow->boxes().setNextAnswer(IDOK);
            click(d, "btnSave");
            QCOMPARE(said(), QStringList{QStringLiteral("提示|保存规则失败，请重试!")});
            click(d, "btnExit");
        });
        press(list, QStringLiteral("修改[&M]"));
        QCOMPARE(storedRules(wash),
                 QStringList({QStringLiteral("3|100000|-1|-1"), QStringLiteral("10|80000|2|-1")}));
        QCOMPARE(dmClient().OpenSQLAsInt(QStringLiteral("SELECT startTimes FROM VipService WHERE prec = ?"),
                                         {wash}),
                 3);

        flow->driver().setNextHandler([&](QDialog& d) {
            flow->driver().setNextHandler([](QDialog& picker) {
                get<QLineEdit>(picker, "edtFilter")->setText(QStringLiteral("FW02"));
                auto* grid = get<QTableView>(picker, "GridPtype");
                grid->setCurrentIndex(grid->model()->index(1, 1));
                click(picker, "btnOK");
            });
            click(d, "btnPtype");
            typeCell(d, 0, 1, QStringLiteral("50"));
            click(d, "btnSaveNew");
            QCOMPARE(list.GData(QStringLiteral("ruleId")), QString::number(nails));
            QCOMPARE(d.windowTitle(), QStringLiteral("服务项目规则-新增"));
            QCOMPARE(get<QLineEdit>(d, "edtPtype")->text(), QString());
            QCOMPARE(ladder(d), QStringList({QStringLiteral("1||||1|"), QStringLiteral("|||||")}));
            click(d, "btnExit");
        });
        press(list, QStringLiteral("新增[&A]"));
        QCOMPARE(column(list, QStringLiteral("vsFullName")),
                 QStringList({QStringLiteral("洗车"), QStringLiteral("美甲")}));
    }

    // An item a card holds is not deleted: the list says so and stays as it was.
    // Browsing shows the ladder without a way to change it.
    void itemsInUseStayAndBrowsingChangesNothing() {
        saveItem(wash, 1, ServiceGiftMode::Direct, {{.buyTimes = 1, .oncePrice = Money::fromUnits(20)}});
        saveItem(nails, 1, ServiceGiftMode::Direct, {{.buyTimes = 1, .oncePrice = Money::fromUnits(30)}});
        const int card = TestRows::addCard(
            flow->data(), {.cardNo = QStringLiteral("C1"),
                           .cardType = TestRows::addCardType(flow->data(), QStringLiteral("金卡"))});
        TestRows::addServiceLot(
            flow->data(), card, wash,
            {{StoredValueChange::ServiceSale, 5, 100, QDateTime(QDate(2025, 3, 1), QTime(9, 0))}});
        TVipServiceQuery list;
        list.Open();
        flow->driver().setNextHandler([](QDialog& d) {
            QCOMPARE(d.windowTitle(), QStringLiteral("服务项目规则"));
            QVERIFY(!get<QPushButton>(d, "btnSave")->isVisible());
            QVERIFY(!(get<QTableView>(d, "GridRule")
                          ->model()
                          ->flags(get<QTableView>(d, "GridRule")->model()->index(0, 1)) &
                      Qt::ItemIsEditable));
            QCOMPARE(ladder(d), QStringList{QStringLiteral("1|20|20.00||1|")});
            click(d, "btnExit");
        });
        press(list, QStringLiteral("查看[&S]"));

        flow->boxes().setNextAnswer(IDOK);
        flow->boxes().setNextAnswer(IDOK);
        press(list, QStringLiteral("删除[&D]"));
        QCOMPARE(said(), QStringList({QStringLiteral("确认|真的要删除服务项目 洗车 ？"),
                                      QStringLiteral("删除|已经使用的服务项目不能删除!")}));
        QCOMPARE(column(list, QStringLiteral("vsFullName")),
                 QStringList({QStringLiteral("洗车"), QStringLiteral("美甲")}));
        QCOMPARE(DbProbe::count(flow->data(), QStringLiteral("VipServiceRule")), 2);

        list.GetMainGrid()->SetCurrentRow(1);
        flow->boxes().setNextAnswer(IDOK);
        press(list, QStringLiteral("删除[&D]"));
        said();
        QCOMPARE(column(list, QStringLiteral("vsFullName")), QStringList{QStringLiteral("洗车")});
        QCOMPARE(DbProbe::count(flow->data(), QStringLiteral("VipServiceRule")), 1);
    }

    // From the member list the card's service uses open; one item narrows them, and a
    // lot's movements in a period come with the uses the card held before it.
    void cardUsesAndTheirMovements() {
        saveItem(wash, 1, ServiceGiftMode::Direct, {{.buyTimes = 1, .oncePrice = Money::fromUnits(20)}});
        saveItem(nails, 1, ServiceGiftMode::Direct, {{.buyTimes = 1, .oncePrice = Money::fromUnits(30)}});
        const int type = TestRows::addCardType(flow->data(), QStringLiteral("金卡"));
        const int card = TestRows::addCard(flow->data(), {.cardNo = QStringLiteral("C1"), .cardType = type});
        const int other = TestRows::addCard(flow->data(), {.cardNo = QStringLiteral("C2"), .cardType = type});
        flow->data().ExecuteSQL(QStringLiteral("UPDATE vipcard SET IsLife = 1, VipCz = 1, VipCzService = 1"));
        const auto at = [](int month, int day, int hour) {
            return QDateTime(QDate(2025, month, day), QTime(hour, 30));
        };
        TestRows::addServiceLot(flow->data(), card, wash,
                                {{StoredValueChange::ServiceSale, 10, 200, at(1, 5, 10)},
                                 {StoredValueChange::ServiceConsumption, -2, -40, at(2, 3, 9)},
                                 {StoredValueChange::ServiceConsumption, -1, -20, at(2, 20, 23)}});
        TestRows::addServiceLot(flow->data(), card, nails,
                                {{StoredValueChange::ServiceSale, 5, 150, at(2, 10, 12)}},
                                QDate(2025, 12, 31));
        TestRows::addServiceLot(flow->data(), other, wash,
                                {{StoredValueChange::ServiceSale, 3, 60, at(2, 11, 12)}});

        TVipQuery members;
        members.Open();
        QVERIFY(members.SelectRowWhere(QStringLiteral("CardNo"), QStringLiteral("C1")));
        flow->driver().setNextHandler([&](QDialog& d) {
            TBaseQuery& uses = *d.findChild<TBaseQuery*>();
            QCOMPARE(uses.windowTitle(), QStringLiteral("服务项目"));
            QVERIFY(d.findChild<QLabel*>(QStringLiteral("lblCard"))
                        ->text()
                        .startsWith(QStringLiteral("会员卡号：C1")));
            QCOMPARE(column(uses, QStringLiteral("PFULLNAME")),
                     QStringList({QStringLiteral("洗车"), QStringLiteral("美甲")}));
            QCOMPARE(column(uses, QStringLiteral("remainTimes")),
                     QStringList({QStringLiteral("7"), QStringLiteral("5")}));
            QCOMPARE(uses.GData(QStringLiteral("remainTotal"), 0), QStringLiteral("140.00"));
            auto* items = d.findChild<QComboBox*>(QStringLiteral("pRec"));
            QCOMPARE(items->count(), 3);
            QCOMPARE(items->itemText(0), QStringLiteral("<全部>"));
            items->setCurrentIndex(items->findText(QStringLiteral("美甲")));
            QCOMPARE(column(uses, QStringLiteral("PFULLNAME")), QStringList{QStringLiteral("美甲")});
            QCOMPARE(uses.GData(QStringLiteral("ValidityPeriod")), QStringLiteral("2025-12-31"));
            QTest::keyClick(uses.GetMainGrid(), Qt::Key_Escape);
        });
        press(members, QStringLiteral("服务明细"));

        TParamObject params;
        params.Add(QStringLiteral("@CardNo"), QStringLiteral("C1"));
        params.Add(QStringLiteral("@Name"), QString());
        params.Add(QStringLiteral("@pRec"), wash);
        params.Add(QStringLiteral("@consumeDateS"), QStringLiteral("2025-02-01"));
        params.Add(QStringLiteral("@consumeDateE"), QStringLiteral("2025-02-20 23:59:59"));
        flow->driver().setNextHandler([&](QDialog& d) {
            TBaseQuery& moves = *d.findChild<TBaseQuery*>();
            QCOMPARE(moves.windowTitle(), QStringLiteral("服务消费记录(C1，期初剩余次数：10)"));
            QCOMPARE(column(moves, QStringLiteral("Times")),
                     QStringList({QStringLiteral("-2"), QStringLiteral("-1")}));
            QCOMPARE(column(moves, QStringLiteral("ChangeTypeName")),
                     QStringList({QStringLiteral("消费"), QStringLiteral("消费")}));
            // Every item of the card: the other item's sale comes in, the other card's does not.
            moves.Params().Add(QStringLiteral("@pRec"), 0);
            moves.RefreshData();
            QStringList items = column(moves, QStringLiteral("PFULLNAME"));
            items.sort();
            QCOMPARE(items,
                     QStringList({QStringLiteral("洗车"), QStringLiteral("洗车"), QStringLiteral("美甲")}));
            QCOMPARE(moves.windowTitle(), QStringLiteral("服务消费记录(C1，期初剩余次数：10)"));
            QTest::keyClick(moves.GetMainGrid(), Qt::Key_Escape);
        });
        CallQueryClass(QStringLiteral("TvipCardSrvConsumeDQuery"), params);
    }
};

QTEST_MAIN(VipServiceQueryTest)
#include "tst_VipServiceQuery.moc"
