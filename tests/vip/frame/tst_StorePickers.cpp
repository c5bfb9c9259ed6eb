#include "host/sdk/DataModule.h"
#include "host/sdk/MessageBox.h"
#include "host/sdk/Ucomvar.h"
#include "host/sdk/ui/CallQueryClass.h"
#include "host/sdk/ui/TBaseQuery.h"
#include "host/sdk/ui/TQueryGrid.h"
#include "tests/support/ModalDriver.h"
#include "tests/support/ScriptedMessages.h"
#include "tests/support/TestDatabase.h"
#include "tests/support/TestRows.h"
#include "vip/frame/PackageEntry.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QTest>
#include <QToolBar>

namespace {

const QString Mark = QStringLiteral("√");
const QString AtLeastOneStore = QStringLiteral("必须选择至少一个门店。");

// An id with its name, as the pickers take and hand back a choice ("id=name").
using Row = std::pair<int, QString>;

Row addStore(const QString& code, const QString& name, int connectType, int rowIndex, int deleted = 0) {
    return {TestRows::addStore(dmClient(), {.code = code,
                                            .name = name,
                                            .connectType = connectType,
                                            .rowIndex = rowIndex,
                                            .deleted = deleted != 0}),
            name};
}

Row addMachine(const QString& code, const QString& name, int storeId, int deleted = 0) {
    return {dmClient().OpenSQLAsInt(
                QStringLiteral("INSERT INTO posmachine (MachineCode, MachineName, PosId, deleted) "
                               "VALUES (?, ?, ?, ?) RETURNING MachineId"),
                {code, name, storeId, deleted}),
            name};
}

// A member card whose stored value ('storedValue' 1) is kept at 'storeId' (0: at
// the real-time stores together).
void addCard(const QString& cardNo, int typeId, int storeId, int storedValue, int deleted = 0) {
    TestRows::addCard(dmClient(), {.cardNo = cardNo,
                                   .cardType = typeId,
                                   .storeId = storeId,
                                   .storedValue = storedValue != 0,
                                   .deleted = deleted != 0});
}

QString list(const QList<Row>& rows, const QString& separator = QStringLiteral("\r\n")) {
    QStringList lines;
    for (const auto& [id, name] : rows)
        lines.append(QStringLiteral("%1=%2").arg(id).arg(name));
    return lines.join(separator);
}

QWidget* buttonOf(TBaseQuery& window, const QString& caption) {
    return window.findChild<QToolBar*>()->widgetForAction(window.GetAction(caption));
}

QCheckBox* boxOf(TBaseQuery& window, const QString& name) {
    return window.findChild<QCheckBox*>(name);
}

// Clicks a cell; column 0 is the mark column, a click there toggles the row.
void clickCell(TQueryGrid* grid, int row, int column) {
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier,
                      grid->visualRect(grid->model()->index(row, column)).center());
}

QStringList marks(TBaseQuery& window) {
    QStringList column;
    for (int row = 0; row < window.RowCount(); ++row)
        column.append(window.GData(QStringLiteral("SelName"), row));
    return column;
}

// A modal handler that works the picker's list window and its grid.
ModalDriver::Handler onList(std::function<void(TBaseQuery&, TQueryGrid*)> work) {
    return [work](QDialog& dialog) {
        TBaseQuery* window = dialog.findChild<TBaseQuery*>();
        work(*window, window->GetMainGrid());
    };
}

} // namespace

class StorePickersTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { Initialize(); }
    void cleanupTestCase() { Finalize(); }
    void init() { Ucomvar().nMedVersion = 1; }

    void pickersWorkFromTheKeyboardAndRefuseAnEmptyChoice() {
        TestDatabase db;
        ModalDriver driver;
        ScriptedMessages boxes;

        // No store at all: the at-least-one message, unless the box is checked;
        // then the window closes with OK and hands nothing back.
        TParamObject none;
        driver.setNextHandler(onList([&](TBaseQuery&, TQueryGrid* grid) {
            QTest::keyClick(grid, Qt::Key_O);
            QCOMPARE(boxes.last().text, AtLeastOneStore);
            QTest::keyClick(grid, Qt::Key_Escape);
        }));
        QCOMPARE(CallQueryClass(QStringLiteral("TPosMultSel"), none), mrCancel);
        none.Add(QStringLiteral("@CanAllPos"), 1);
        driver.setNextHandler(
            onList([](TBaseQuery&, TQueryGrid* grid) { QTest::keyClick(grid, Qt::Key_O); }));
        QCOMPARE(CallQueryClass(QStringLiteral("TPosMultSel"), none), mrOk);
        QVERIFY(!none.Has(QStringLiteral("@Sel")));
        QVERIFY(!none.Has(QStringLiteral("@PosList")));
        TParamObject noTill;
        driver.setNextHandler(onList([&](TBaseQuery&, TQueryGrid* grid) {
            QTest::keyClick(grid, Qt::Key_O);
            QCOMPARE(boxes.last().text, QStringLiteral("必须选择至少一个Pos机。"));
            QTest::keyClick(grid, Qt::Key_X);
        }));
        QCOMPARE(CallQueryClass(QStringLiteral("TMachineSel"), noTill), mrCancel);

        const Row a = addStore(QStringLiteral("0101"), QStringLiteral("人民路店"), 0, 1);
        const Row b = addStore(QStringLiteral("0102"), QStringLiteral("O'Hara店"), 0, 2);
        const Row c = addStore(QStringLiteral("0103"), QStringLiteral("解放路店"), 0, 3);
        const Row other = addStore(QStringLiteral("0201"), QStringLiteral("万达广场店"), 1, 4);
        addStore(QStringLiteral("0104"), QStringLiteral("城隍庙店"), 0, 5, 1);
        const Row m1 = addMachine(QStringLiteral("0101-1"), QStringLiteral("人民路店1号收银机"), a.first);
        const Row m2 = addMachine(QStringLiteral("0101-2"), QStringLiteral("人民路店2号收银机"), a.first);
        addMachine(QStringLiteral("0201-1"), QStringLiteral("万达广场店1号收银机"), other.first);
        addMachine(QStringLiteral("0101-3"), QStringLiteral("人民路店旧收银机"), a.first, 1);

        // The caller's earlier choice marks B; "@PosID" means nothing to this picker.
        TParamObject params;
        params.Add(QStringLiteral("@PosList"), list({{b.first, QStringLiteral("1")}}));
        params.Add(QStringLiteral("@PosID"), a.first);
        driver.setNextHandler(onList([&](TBaseQuery& window, TQueryGrid* grid) {
            // Edition 1: no store of connection type 1, no closed store.
            QCOMPARE(window.RowCount(), 3);
            QCOMPARE(window.GData(QStringLiteral("PosName"), 1), QStringLiteral("O'Hara店"));
            QCOMPARE(marks(window), (QStringList{QString(), Mark, QString()}));
            QCOMPARE(QApplication::focusWidget(), grid);
            QTest::keyClick(grid, Qt::Key_Space); // marks A, moves down
            QTest::keyClick(grid, Qt::Key_S);     // clears B, stays
            QCOMPARE(window.CurrentRow(), 1);
            QCOMPARE(marks(window), (QStringList{Mark, QString(), QString()}));
            QTest::keyClick(grid, Qt::Key_Return); // moves only
            // Space on the last row marks it and hands the focus to OK; Enter there confirms.
            QTest::keyClick(grid, Qt::Key_Space);
            QCOMPARE(marks(window), (QStringList{Mark, QString(), Mark}));
            QCOMPARE(QApplication::focusWidget(), buttonOf(window, QStringLiteral("确定[O]")));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        }));
        QCOMPARE(CallQueryClass(QStringLiteral("TPosMultSel"), params), mrOk);
        QCOMPARE(params.AsString(QStringLiteral("@Sel")), QStringLiteral("1"));
        QVERIFY(params.Has(QStringLiteral("@CanAllPos")));
        QCOMPARE(params.AsInteger(QStringLiteral("@CanAllPos")), 0);
        QCOMPARE(params.AsString(QStringLiteral("@PosList")), list({a, c}));
        QCOMPARE(params.AsString(QStringLiteral("@PosNameList")), list({a, c}, QStringLiteral(",\n")));
        QVERIFY(!params.Has(QStringLiteral("@CanCenter")));
        QCOMPARE(params.Value(QStringLiteral("@withConnectType1")).toInt(), 0);

        // Edition 1 again: no till of a connection-type-1 store, no deleted till.
        TParamObject tills;
        tills.Add(QStringLiteral("@MachineList"), list({m2}));
        driver.setNextHandler(onList([&](TBaseQuery& window, TQueryGrid* grid) {
            QCOMPARE(marks(window), (QStringList{QString(), Mark}));
            QTest::keyClick(grid, Qt::Key_Space);
            QTest::keyClick(grid, Qt::Key_O);
        }));
        QCOMPARE(CallQueryClass(QStringLiteral("TMachineSel"), tills), mrOk);
        QCOMPARE(tills.AsString(QStringLiteral("@MachineList")), list({m1, m2}));
        QCOMPARE(tills.AsString(QStringLiteral("@MachineNameList")), list({m1, m2}, QStringLiteral(",\n")));
        QCOMPARE(tills.Value(QStringLiteral("@withConnectType1")).toInt(), 0);

        // The head office comes first.
        TParamObject both;
        driver.setNextHandler(onList([&](TBaseQuery& window, TQueryGrid* grid) {
            QTest::mouseClick(boxOf(window, QStringLiteral("chkCenter")), Qt::LeftButton);
            QTest::keyClick(grid, Qt::Key_Space);
            QTest::keyClick(grid, Qt::Key_O);
        }));
        QCOMPARE(CallQueryClass(QStringLiteral("TPosWithCenterMultSel"), both), mrOk);
        QCOMPARE(both.AsString(QStringLiteral("@Sel")), QStringLiteral("1"));
        QCOMPARE(both.AsInteger(QStringLiteral("@CanAllPos")), 0);
        QCOMPARE(both.AsString(QStringLiteral("@PosList")), list({{0, QStringLiteral("总部")}, a}));
        QCOMPARE(both.AsString(QStringLiteral("@PosNameList")),
                 list({{0, QStringLiteral("总部")}, a}, QStringLiteral(",\n")));
        QCOMPARE(boxes.shown().size(), 2);
        QCOMPARE(driver.leftOpen(), 0);
    }

    void okChecksTheChoiceUnlessAllIsChecked() {
        TestDatabase db;
        Ucomvar().nMedVersion = 7;
        const Row r1 = addStore(QStringLiteral("0101"), QStringLiteral("人民路店"), 0, 1);
        const Row i1 = addStore(QStringLiteral("0201"), QStringLiteral("大学城店"), 1, 2);
        const Row r2 = addStore(QStringLiteral("0102"), QStringLiteral("解放路店"), 0, 3);
        const Row i2 = addStore(QStringLiteral("0202"), QStringLiteral("万达广场店"), 1, 4);
        const int gold = TestRows::addCardType(dmClient(), QStringLiteral("金卡"));
        const int silver = TestRows::addCardType(dmClient(), QStringLiteral("银卡"));
        addCard(QStringLiteral("G001"), gold, i2.first, 1);
        addCard(QStringLiteral("G002"), gold, 0, 1);
        // None of these ties 大学城店 to the gold card: deleted, no stored value, another type.
        addCard(QStringLiteral("G003"), gold, i1.first, 1, 1);
        addCard(QStringLiteral("G004"), gold, i1.first, 0);
        addCard(QStringLiteral("S001"), silver, i1.first, 1);
        ModalDriver driver;
        ScriptedMessages boxes;

        TParamObject params;
        params.Add(QStringLiteral("@viptype"), QString::number(gold));
        driver.setNextHandler(onList([&](TBaseQuery& window, TQueryGrid* grid) {
            // Nothing marked: Enter on the last row goes to OK, Enter confirms, and the
            // refusal puts the user back on the grid's first row.
            for (int i = 0; i < 3; ++i)
                QTest::keyClick(grid, Qt::Key_Down);
            QTest::keyClick(grid, Qt::Key_Return);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            QCOMPARE(boxes.last().text, AtLeastOneStore);
            QCOMPARE(boxes.last().caption, QStringLiteral("提示"));
            QVERIFY(window.isVisible());
            QCOMPARE(QApplication::focusWidget(), grid);
            QCOMPARE(window.CurrentRow(), 0);

            // Only 人民路店: 万达广场店 keeps gold stored value and may not be dropped.
            QTest::keyClick(grid, Qt::Key_Space);
            QTest::keyClick(grid, Qt::Key_O);
            QCOMPARE(boxes.last().text,
                     QStringLiteral("万达广场店门店已经被指储值适用门店应用，不允许删除。"));

            // 万达广场店 but no real-time store, while gold cards keep value at them all.
            clickCell(grid, 3, 0);
            clickCell(grid, 0, 1);
            QTest::keyClick(grid, Qt::Key_S);
            QCOMPARE(marks(window), (QStringList{QString(), QString(), QString(), Mark}));
            QTest::keyClick(grid, Qt::Key_O);
            QCOMPARE(boxes.last().text, QStringLiteral("至少保留一个实时门店，不允许删除全部实时门店。"));

            clickCell(grid, 1, 0);
            clickCell(grid, 2, 0);
            QTest::keyClick(grid, Qt::Key_O);
        }));
        QCOMPARE(CallQueryClass(QStringLiteral("TPosMultSel"), params), mrOk);
        QCOMPARE(params.AsString(QStringLiteral("@PosList")), list({i1, r2, i2}));
        QCOMPARE(params.Value(QStringLiteral("@withConnectType1")).toInt(), 1);

        TParamObject every;
        every.Add(QStringLiteral("@viptype"), gold);
        driver.setNextHandler(onList([&](TBaseQuery& window, TQueryGrid* grid) {
            QCheckBox* all = boxOf(window, QStringLiteral("chkAll"));
            QWidget* ok = buttonOf(window, QStringLiteral("确定[O]"));
            const QStringList locked = {QStringLiteral("选择[S]"), QStringLiteral("全部[L]"),
                                        QStringLiteral("取消全部[C]")};
            QTest::keyClick(grid, Qt::Key_A);
            QVERIFY(all->isChecked());
            QCOMPARE(marks(window), QStringList(4, Mark));
            for (const QString& caption : locked)
                QVERIFY(!window.GetAction(caption)->isEnabled());
            QCOMPARE(QApplication::focusWidget(), ok);

            // Clearing the box frees the buttons and keeps the marks.
            QTest::keyClick(grid, Qt::Key_A);
            QVERIFY(!all->isChecked());
            for (const QString& caption : locked)
                QVERIFY(window.GetAction(caption)->isEnabled());
            QCOMPARE(marks(window), QStringList(4, Mark));

            // Checked again, even a row cleared by a click in the mark column goes
            // back: the protected 万达广场店 included, and no check is run.
            QTest::mouseClick(all, Qt::LeftButton);
            clickCell(grid, 3, 0);
            QTest::mouseClick(ok, Qt::LeftButton);
        }));
        QCOMPARE(CallQueryClass(QStringLiteral("TPosMultSel"), every), mrOk);
        QCOMPARE(boxes.shown().size(), 3);
        QCOMPARE(every.AsInteger(QStringLiteral("@CanAllPos")), 0);
        QCOMPARE(every.AsString(QStringLiteral("@PosList")), list({r1, i1, r2, i2}));

        // Copying prices from 人民路店: the box starts checked from the caller, and
        // the copy reports it.
        TParamObject copy;
        copy.Add(QStringLiteral("@PosID"), r1.first);
        copy.Add(QStringLiteral("@CanAllPos"), 1);
        copy.Add(QStringLiteral("@viptype"), gold);
        driver.setNextHandler(onList([&](TBaseQuery& window, TQueryGrid* grid) {
            QCOMPARE(window.GData(QStringLiteral("PosName"), 0), QStringLiteral("大学城店"));
            QCOMPARE(marks(window), QStringList(3, Mark));
            QVERIFY(!window.GetAction(QStringLiteral("全部[L]"))->isEnabled());
            QTest::keyClick(grid, Qt::Key_O);
        }));
        QCOMPARE(CallQueryClass(QStringLiteral("TPosMultSelFun"), copy), mrOk);
        QCOMPARE(copy.AsInteger(QStringLiteral("@CanAllPos")), 1);
        QCOMPARE(copy.AsString(QStringLiteral("@Sel")), QStringLiteral("1"));
        QCOMPARE(copy.AsString(QStringLiteral("@PosList")), list({i1, r2, i2}));
        QVERIFY(!copy.Has(QStringLiteral("@PosNameList")));

        // Without the box the copy needs one store, and nothing more: a store that
        // the type's stored value depends on may stay out.
        TParamObject some;
        some.Add(QStringLiteral("@PosID"), r1.first);
        some.Add(QStringLiteral("@viptype"), gold);
        driver.setNextHandler(onList([&](TBaseQuery&, TQueryGrid* grid) {
            QTest::keyClick(grid, Qt::Key_O);
            QCOMPARE(boxes.last().text, AtLeastOneStore);
            QTest::keyClick(grid, Qt::Key_Space);
            QTest::keyClick(grid, Qt::Key_O);
        }));
        QCOMPARE(CallQueryClass(QStringLiteral("TPosMultSelFun"), some), mrOk);
        QCOMPARE(boxes.shown().size(), 4);
        QCOMPARE(some.AsInteger(QStringLiteral("@CanAllPos")), 0);
        QCOMPARE(some.AsString(QStringLiteral("@PosList")), list({i1}));

        // The head-office picker hides the box, yet A still works it.
        TParamObject withCenter;
        driver.setNextHandler(onList([&](TBaseQuery& window, TQueryGrid* grid) {
            QVERIFY(!boxOf(window, QStringLiteral("chkAll"))->isVisible());
            QVERIFY(boxOf(window, QStringLiteral("chkCenter"))->isVisible());
            QTest::keyClick(grid, Qt::Key_A);
            QCOMPARE(marks(window), QStringList(4, Mark));
            QTest::keyClick(grid, Qt::Key_O);
        }));
        QCOMPARE(CallQueryClass(QStringLiteral("TPosWithCenterMultSel"), withCenter), mrOk);
        QCOMPARE(withCenter.AsInteger(QStringLiteral("@CanAllPos")), 1);
        QCOMPARE(withCenter.AsInteger(QStringLiteral("@CanCenter")), 0);
        QCOMPARE(withCenter.AsString(QStringLiteral("@PosList")), QStringLiteral("全部门店"));
        QCOMPARE(withCenter.AsString(QStringLiteral("@PosNameList")), QStringLiteral("全部门店"));

        // Opened again with what it handed back: the box is still checked; with the
        // head office as well the text names it first.
        driver.setNextHandler(onList([&](TBaseQuery& window, TQueryGrid*) {
            QVERIFY(boxOf(window, QStringLiteral("chkAll"))->isChecked());
            QTest::mouseClick(boxOf(window, QStringLiteral("chkCenter")), Qt::LeftButton);
            QTest::mouseClick(buttonOf(window, QStringLiteral("确定[O]")), Qt::LeftButton);
        }));
        QCOMPARE(CallQueryClass(QStringLiteral("TPosWithCenterMultSel"), withCenter), mrOk);
        QCOMPARE(withCenter.AsInteger(QStringLiteral("@CanCenter")), 1);
        QCOMPARE(withCenter.AsString(QStringLiteral("@PosList")), QStringLiteral("总部,全部门店"));
        QCOMPARE(withCenter.AsString(QStringLiteral("@PosNameList")), QStringLiteral("总部,全部门店"));
    }
};

QTEST_MAIN(StorePickersTest)
#include "tst_StorePickers.moc"
