#include "host/sdk/DataModule.h"
#include "host/sdk/MessageBox.h"
#include "host/sdk/ui/TQueryGridModel.h"
#include "tests/support/ModalDriver.h"
#include "tests/support/ScriptedMessages.h"
#include "tests/support/TestDatabase.h"
#include "vip/cardtypes/VipCardTypeSet.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

namespace {

template <typename T> T* get(QWidget& parent, const char* name) {
    T* widget = parent.findChild<T*>(QLatin1String(name));
    if (!widget)
        qFatal("no control %s", name);
    return widget;
}

int scalar(const QString& sql, const QVariantList& params = {}) {
    return dmClient().OpenSQLAsInt(sql, params);
}

QString text(const QString& sql, const QVariantList& params = {}) {
    return dmClient().OpenSQLAsStr(sql, params);
}

// Text as a user enters it: Latin keys one by one, Chinese through the input
// method, which hands over each character it composed.
void enter(QWidget* widget, const QString& value) {
    for (const QChar ch : value) {
        if (ch.unicode() < 0x80) {
            QTest::keyClick(widget, ch.toLatin1());
        } else {
            QInputMethodEvent composed;
            composed.setCommitString(QString(ch));
            QApplication::sendEvent(widget, &composed);
        }
    }
}

// Typed as a user types: the old text selected away, then the new.
void type(QWidget& dialog, const char* name, const QString& value) {
    auto* edit = get<QLineEdit>(dialog, name);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    enter(edit, value);
}

// Leaves the field that has the focus the way a user does, by pressing Enter.
void leave(QWidget& dialog) {
    QTest::keyClick(dialog.focusWidget(), Qt::Key_Return);
}

// Buttons are clicked on their indicator or caption start, where a check box takes
// a click even when its layout stretches it.
void click(QWidget& dialog, const char* name) {
    auto* button = get<QAbstractButton>(dialog, name);
    const QPoint at =
        qobject_cast<QPushButton*>(button) ? button->rect().center() : QPoint(6, button->height() / 2);
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, at);
}

// Chooses an item with the keys a user would: Home, then Page Down step by step.
void choose(QWidget& dialog, const char* name, int item) {
    auto* combo = get<QComboBox>(dialog, name);
    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_Home);
    for (int i = 0; i < item; ++i)
        QTest::keyClick(combo, Qt::Key_PageDown);
}

QStringList visibleTabs(QWidget& dialog) {
    auto* pages = get<QTabWidget>(dialog, "pcMain");
    QStringList tabs;
    for (int i = 0; i < pages->count(); ++i) {
        if (pages->isTabVisible(i))
            tabs.append(pages->tabText(i));
    }
    return tabs;
}

// Brings a page to the front with a click on its tab.
void showTab(QWidget& dialog, const QString& caption) {
    auto* pages = get<QTabWidget>(dialog, "pcMain");
    for (int i = 0; i < pages->count(); ++i) {
        if (pages->tabText(i) == caption) {
            QTest::mouseClick(pages->tabBar(), Qt::LeftButton, Qt::NoModifier,
                              pages->tabBar()->tabRect(i).center());
            return;
        }
    }
    qFatal("no page %s", qPrintable(caption));
}

QString currentTab(QWidget& dialog) {
    auto* pages = get<QTabWidget>(dialog, "pcMain");
    return pages->tabText(pages->currentIndex());
}

int column(QTableView* grid, const QString& caption) {
    for (int c = 0; c < grid->model()->columnCount(); ++c) {
        if (grid->model()->headerData(c, Qt::Horizontal).toString() == caption)
            return c;
    }
    qFatal("no column %s", qPrintable(caption));
}

QString cell(QTableView* grid, int row, const QString& caption) {
    return grid->model()->index(row, column(grid, caption)).data().toString();
}

// Types into a cell through its editor and ends the edit with Enter.
void typeCell(QTableView* grid, int row, const QString& caption, const QString& value) {
    // Back from a selector, the dialog is the active window again before the user types.
    if (!grid->window()->isActiveWindow()) {
        grid->window()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(grid->window()));
    }
    grid->setFocus();
    grid->setCurrentIndex(grid->model()->index(row, column(grid, caption)));
    QTest::keyClick(grid, Qt::Key_F2);
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    QVERIFY2(editor, "the cell opened no editor");
    editor->selectAll();
    enter(editor, value);
    QTest::keyClick(editor, Qt::Key_Return);
    // The cell takes the text once the editor has handled the key.
    QCoreApplication::processEvents();
}

void typeRow(QTableView* grid, int row, const QStringList& captions, const QStringList& values) {
    for (int i = 0; i < captions.size(); ++i)
        typeCell(grid, row, captions[i], values[i]);
}

QPoint cellCentre(QTableView* grid, int row, int col) {
    return grid->visualRect(grid->model()->index(row, col)).center();
}

// A double click arrives as a click followed by the double-click event.
void doubleClickCell(QTableView* grid, int row, int col) {
    grid->scrollTo(grid->model()->index(row, col));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, cellCentre(grid, row, col));
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, cellCentre(grid, row, col));
}

QStringList marks(QTableView* grid) {
    QStringList list;
    const int col = column(grid, QStringLiteral("选择"));
    for (int row = 0; row < grid->model()->rowCount(); ++row)
        list.append(grid->model()->index(row, col).data().toString());
    return list;
}

QStringList items(QComboBox* combo) {
    QStringList list;
    for (int i = 0; i < combo->count(); ++i)
        list.append(combo->itemText(i));
    return list;
}

void testModel(QTableView* grid) {
    new QAbstractItemModelTester(grid->model(), QAbstractItemModelTester::FailureReportingMode::QtTest, grid);
}

// Rule rows of a type as "kind:from-to/rate/base/grant/prec/comment", amounts in units.
QStringList rules(int typeId) {
    ClientDataSet rows;
    dmClient().OpenSQL(
        QStringLiteral("SELECT * FROM vipAutoDiscount WHERE VipTypeId = ? ORDER BY DisType, id"), rows,
        {typeId});
    QStringList list;
    for (; !rows.Eof(); rows.Next()) {
        const auto money = [&](const char* f) {
            return rows.FieldByName(QLatin1String(f)).AsMoney().toString();
        };
        list.append(QStringLiteral("%1:%2-%3/%4/%5/%6/%7/%8")
                        .arg(rows.FieldByName(QStringLiteral("DisType")).AsInteger())
                        .arg(money("BuyToTalBegin"), money("BuyTotalEnd"))
                        .arg(rows.FieldByName(QStringLiteral("Discount")).AsFloat())
                        .arg(money("IntegralQuotiety"), money("Integral"))
                        .arg(rows.FieldByName(QStringLiteral("prec")).AsInteger())
                        .arg(rows.FieldByName(QStringLiteral("Comment")).AsString()));
    }
    return list;
}

int typeId(const QString& name) {
    return scalar(QStringLiteral("SELECT CTypeId FROM viptype WHERE TypeName = ? AND deleted = 0"), {name});
}

int stored(const QString& name, const QString& field) {
    return scalar(QStringLiteral("SELECT %1 FROM viptype WHERE TypeName = ? AND deleted = 0").arg(field),
                  {name});
}

QList<int> stored(const QString& name, const QStringList& fields) {
    QList<int> values;
    for (const QString& field : fields)
        values.append(stored(name, field));
    return values;
}

// A small chain: a head office and two independent stores, a price list and two
// product classes.
struct Chain {
    int head = 0, jiefang = 0, binjiang = 0;
    int water = 0, cola = 0, bread = 0;

    Chain() {
        dmClient().ExecuteSQL(
            QStringLiteral("INSERT INTO pricelist (PriceMode, PriceName) VALUES (1, '零售价'), "
                           "(17, '会员价'), (18, '会员价2')"));
        const auto store = [](const char* code, const QString& name, int connect) {
            return scalar(
                QStringLiteral(
                    "INSERT INTO posinfo (PosCode, PosName, ConnectType, RowIndex) VALUES (?, ?, ?, ?) "
                    "RETURNING posid"),
                {QLatin1String(code), name, connect, QString::fromLatin1(code).toInt()});
        };
        head = store("01", QStringLiteral("总部"), 0);
        jiefang = store("02", QStringLiteral("解放路店"), 1);
        binjiang = store("03", QStringLiteral("滨江店"), 1);
        const auto product = [](const char* key, const char* parent, int sons, const char* code,
                                const QString& name) {
            return scalar(
                QStringLiteral(
                    "INSERT INTO ptype (typeId, parid, sonnum, UserCode, FullName) VALUES (?, ?, ?, ?, ?) "
                    "RETURNING rec"),
                {QLatin1String(key), QLatin1String(parent), sons, QLatin1String(code), name});
        };
        product("00001", "00000", 2, "01", QStringLiteral("饮料"));
        water = product("0000100001", "00001", 0, "P01", QStringLiteral("矿泉水"));
        cola = product("0000100002", "00001", 0, "P02", QStringLiteral("可乐"));
        product("00002", "00000", 1, "02", QStringLiteral("食品"));
        bread = product("0000200001", "00002", 0, "P03", QStringLiteral("面包"));
    }
};


} // namespace

class VipCardTypeSetfrmTest : public QObject {
    Q_OBJECT

private slots:
    void newTypeOpensWithDefaultsAndSavesMemberPrice() {
        TestDatabase db;
        Chain chain;
        ModalDriver driver;
        ScriptedMessages boxes;
        driver.setNextHandler([&](QDialog& d) {
            QCOMPARE(d.windowTitle(), QStringLiteral("会员卡类型设置"));
            QCOMPARE(get<QComboBox>(d, "cmoVipMode")->currentText(), QStringLiteral("会员价"));
            QCOMPARE(get<QComboBox>(d, "ComBoxVipPriceType")->currentData().toInt(), 17);
            QCOMPARE(get<QLineEdit>(d, "reDiscount")->text(), QStringLiteral("100"));
            QVERIFY(get<QRadioButton>(d, "rbFixedDiscount")->isChecked());
            QVERIFY(get<QCheckBox>(d, "cBoxAutoIntegral")->isChecked());
            QVERIFY(get<QRadioButton>(d, "rbFixedIntegral")->isChecked());
            QVERIFY(get<QCheckBox>(d, "cBoxSaleLimit")->isChecked());
            QVERIFY(get<QCheckBox>(d, "chkAllPos")->isChecked());
            QVERIFY(!get<QCheckBox>(d, "chkIsCZService")->isEnabled());
            auto* stores = get<QTableView>(d, "GridPos");
            testModel(stores);
            QVERIFY(!stores->isEnabled());
            QCOMPARE(marks(stores), QStringList(3, QStringLiteral("√")));
            auto* exchange = get<QComboBox>(d, "cbChangeIntegralPos");
            QCOMPARE(exchange->currentText(), QStringLiteral("<所有独立门店都可修改>"));
            QCOMPARE(items(exchange), (QStringList{QStringLiteral("<所有独立门店都可修改>"),
                                                   QStringLiteral("<所有独立门店都不允许修改>"),
                                                   QStringLiteral("解放路店"), QStringLiteral("滨江店")}));
            QCOMPARE(visibleTabs(d), QStringList{QStringLiteral("积分")});
            QCOMPARE(d.height(), 600);

            click(d, "btnOK");
            QCOMPARE(boxes.last().text, QStringLiteral("必须输入会员卡类型！"));
            QCOMPARE(boxes.last().caption, QStringLiteral("提示"));
            QCOMPARE(d.focusWidget(), get<QLineEdit>(d, "reName"));
            type(d, "reName", QStringLiteral("  普通卡 "));
            // Amount fields take digits only; a 0 amount is refused with the rule's caption.
            type(d, "edtbuyTotal", QStringLiteral("a0b"));
            QCOMPARE(get<QLineEdit>(d, "edtbuyTotal")->text(), QStringLiteral("0"));
            click(d, "btnOK");
            QCOMPARE(boxes.last().text, QStringLiteral("每次消费金额不能为0，不能保存！"));
            QCOMPARE(currentTab(d), QStringLiteral("积分"));
            QCOMPARE(d.focusWidget(), get<QLineEdit>(d, "edtbuyTotal"));
            type(d, "edtbuyTotal", QStringLiteral("10"));
            click(d, "btnOK");
            QCOMPARE(boxes.last().text, QStringLiteral("积分不能为0，不能保存！"));
            type(d, "edtInteger", QStringLiteral("1"));
            type(d, "edtRepeatNum", QStringLiteral("07"));
            leave(d);
            QCOMPARE(get<QLineEdit>(d, "edtRepeatNum")->text(), QStringLiteral("7"));
            // Rewards by the new member's type are set elsewhere: only the hint shows.
            click(d, "chkNewJS");
            showTab(d, QStringLiteral("会员介绍"));
            click(d, "rbtnJSRjsType");
            QVERIFY(get<QLabel>(d, "lblJSRjsTypeHint")->isVisible());
            QVERIFY(!get<QLineEdit>(d, "edtNewJS")->isVisible());
            // The member price mode gives no discount, whatever the rate field holds.
            type(d, "reDiscount", QStringLiteral("50"));
            click(d, "btnOK");
            QVERIFY(!d.isVisible());
        });
        QCOMPARE(VipCardTypeSet(0), 0);
        QCOMPARE(boxes.shown().size(), 3);
        QCOMPARE(driver.leftOpen(), 0);

        const QString name = QStringLiteral("普通卡");
        const int id = typeId(name);
        QVERIFY(id > 0);
        QCOMPARE(stored(name, {"Discount", "AutoDiscount", "IfPromotionPriceDisCount", "FixedDiscount",
                               "vipPriceType", "IsSaleLimit", "RepeatNum", "CanAllPos", "PosRange",
                               "ChangeIntegralPos", "UseVipDay", "IsIntroduceJS * 10 + IntroducerJSgainType"}),
                 (QList<int>{100, 0, 1, 0, 17, 1, 7, 1, 0, -1, 0, 11}));
        QCOMPARE(rules(id), QStringList{QStringLiteral("4:0.00-0.00/0/10.00/1.00/0/单次消费积分")});
        QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM PosVipType")), 0);
    }

    void discountBandsTouchPassGapAsksOverlapRefused() {
        TestDatabase db;
        Chain chain;
        ModalDriver driver;
        ScriptedMessages boxes;
        driver.setNextHandler([&](QDialog& d) {
            type(d, "reName", QStringLiteral("折扣卡"));
            choose(d, "cmoVipMode", 1);
            QCOMPARE(currentTab(d), QStringLiteral("折扣"));
            QVERIFY(!get<QComboBox>(d, "ComBoxVipPriceType")->isVisible());
            click(d, "cBoxAutoIntegral");
            QCOMPARE(visibleTabs(d), QStringList{QStringLiteral("折扣")});
            QVERIFY(!get<QCheckBox>(d, "chkNewJS")->isEnabled());
            click(d, "cBox_automembertotal");
            QVERIFY(!get<QLineEdit>(d, "reDiscount")->isEnabled());
            click(d, "btnOK");
            QCOMPARE(boxes.last().text, QStringLiteral("启用了分段折扣，必须设置分段折扣！"));

            auto* grid = get<QTableView>(d, "GridSale");
            testModel(grid);
            QVERIFY(grid->isEnabled());
            typeRow(
                grid, 0,
                {QStringLiteral("消费金额下限"), QStringLiteral("消费金额上限"), QStringLiteral("折扣率")},
                {QStringLiteral("0"), QStringLiteral("100"), QStringLiteral("-5")});
            QCOMPARE(cell(grid, 0, QStringLiteral("折扣率")), QStringLiteral("0"));
            // Enter in the remark starts the next band where this one ends.
            typeCell(grid, 0, QStringLiteral("备注"), QStringLiteral("首档"));
            QCOMPARE(grid->currentIndex(), grid->model()->index(1, 0));
            QCOMPARE(cell(grid, 1, QStringLiteral("消费金额下限")), QStringLiteral("100"));
            typeRow(grid, 1, {QStringLiteral("消费金额上限"), QStringLiteral("折扣率")},
                    {QStringLiteral("200"), QStringLiteral("90")});
            click(d, "btnOK");
            QCOMPARE(boxes.last().text, QStringLiteral("第1行折扣为0，不能保存！"));
            QCOMPARE(grid->currentIndex(), grid->model()->index(0, column(grid, QStringLiteral("折扣率"))));
            typeCell(grid, 0, QStringLiteral("折扣率"), QStringLiteral("95"));

            typeCell(grid, 0, QStringLiteral("消费金额下限"), QStringLiteral("10"));
            boxes.setNextAnswer(IDNO);
            click(d, "btnOK");
            QCOMPARE(boxes.last().text, QStringLiteral("第1行消费金额下限不是从0开始的，是否继续？"));
            QCOMPARE(boxes.last().style & MB::ButtonMask, MB::YesNo);
            QVERIFY(d.isVisible());
            typeCell(grid, 0, QStringLiteral("消费金额下限"), QStringLiteral("0"));

            typeCell(grid, 1, QStringLiteral("消费金额下限"), QStringLiteral("99.99"));
            click(d, "btnOK");
            QCOMPARE(boxes.last().text, QStringLiteral("第2行消费金额下限小于第1行消费金额上限，不能保存！"));
            QCOMPARE(grid->currentIndex(),
                     grid->model()->index(1, column(grid, QStringLiteral("消费金额下限"))));


            typeCell(grid, 1, QStringLiteral("消费金额下限"), QStringLiteral("100.01"));
            const QString gap = QStringLiteral(
                "【折扣卡】类型分段折扣设置存在断档数据，断档部分将无法享有折扣，是否忽略继续保存吗？");
            boxes.setNextAnswer(IDNO);
            click(d, "btnOK");
            QCOMPARE(boxes.last().text, gap);
            QVERIFY(d.isVisible());
            boxes.setNextAnswer(IDYES);
            click(d, "btnOK");
            QCOMPARE(boxes.last().text, gap);
            QVERIFY(!d.isVisible());
        });
        VipCardTypeSet(0);
        QCOMPARE(boxes.unanswered(), 0);
        const int id = typeId(QStringLiteral("折扣卡"));
        QCOMPARE(rules(id), (QStringList{QStringLiteral("1:0.00-100.00/95/0.00/0.00/0/首档"),
                                         QStringLiteral("1:100.01-200.00/90/0.00/0.00/0/")}));
        QCOMPARE(stored(QStringLiteral("折扣卡"),
                        QStringLiteral("AutoDiscount + 10 * automembertotal + 100 * IfVipPrice")),
                 11);
        QCOMPARE(stored(QStringLiteral("折扣卡"), QStringLiteral("AutoIntegral")), 0);

        // Re-opened, the bands are back; touching bands pass without a question.
        boxes.clear();
        driver.setNextHandler([&](QDialog& d) {
            QCOMPARE(get<QComboBox>(d, "cmoVipMode")->currentText(), QStringLiteral("会员折扣"));
            QVERIFY(get<QRadioButton>(d, "cBox_automembertotal")->isChecked());
            auto* grid = get<QTableView>(d, "GridSale");
            QCOMPARE(cell(grid, 0, QStringLiteral("备注")), QStringLiteral("首档"));
            QCOMPARE(cell(grid, 1, QStringLiteral("消费金额下限")), QStringLiteral("100.01"));
            typeCell(grid, 1, QStringLiteral("消费金额下限"), QStringLiteral("100"));
            click(d, "btnOK");
        });
        VipCardTypeSet(id);
        QCOMPARE(boxes.shown().size(), 0);
        QCOMPARE(rules(id).last(), QStringLiteral("1:100.00-200.00/90/0.00/0.00/0/"));
    }

    void pointBandsStoredValueAndSwitchedOffPoints() {
        TestDatabase db;
        Chain chain;
        ModalDriver driver;
        ScriptedMessages boxes;
        driver.setNextHandler([&](QDialog& d) {
            type(d, "reName", QStringLiteral("银卡"));
            click(d, "rbStepIntegral");
            QVERIFY(!get<QLineEdit>(d, "edtbuyTotal")->isEnabled());
            QVERIFY(get<QTableView>(d, "GridIntegral")->isVisible());
            click(d, "btnOK");
            QCOMPARE(boxes.last().text, QStringLiteral("启用了分段积分，必须设置分段积分规则！"));
            auto* grid = get<QTableView>(d, "GridIntegral");
            testModel(grid);
            const QStringList captions = {QStringLiteral("消费金额下限"), QStringLiteral("消费金额上限"),
                                          QStringLiteral("积分基数"), QStringLiteral("积分")};
            typeRow(grid, 0, captions,
                    {QStringLiteral("0"), QStringLiteral("100"), QStringLiteral("10"), QStringLiteral("1")});
            typeRow(grid, 1, captions,
                    {QStringLiteral("100"), QStringLiteral("500"), QString(), QStringLiteral("2")});
            click(d, "btnOK");
            QCOMPARE(boxes.last().text, QStringLiteral("第2行积分基数为0，不能保存！"));
            QCOMPARE(grid->currentIndex(), grid->model()->index(1, column(grid, QStringLiteral("积分基数"))));
            typeCell(grid, 1, QStringLiteral("积分基数"), QStringLiteral("50"));
            typeCell(grid, 1, QStringLiteral("消费金额上限"), QStringLiteral("90"));
            click(d, "btnOK");
            QCOMPARE(boxes.last().text, QStringLiteral("第2行消费金额下限大于上限，不能保存！"));
            typeCell(grid, 1, QStringLiteral("消费金额上限"), QStringLiteral("500"));
            // Stored value switched on with no gift bands at all is accepted.
            click(d, "chkCZYH");
            QCOMPARE(currentTab(d), QStringLiteral("储值"));
            QVERIFY(get<QCheckBox>(d, "chkIsCZService")->isEnabled());
            click(d, "btnOK");
            QVERIFY(!d.isVisible());
        });
        VipCardTypeSet(0);
        const int id = typeId(QStringLiteral("银卡"));
        QCOMPARE(rules(id), (QStringList{QStringLiteral("2:0.00-100.00/0/10.00/1.00/0/"),
                                         QStringLiteral("2:100.00-500.00/0/50.00/2.00/0/")}));
        QCOMPARE(stored(QStringLiteral("银卡"), QStringLiteral("StepIntegral + 10 * IsCZPreferential")), 11);

        // Points switched off: their rows stay for later; the gift bands are written.
        boxes.clear();
        driver.setNextHandler([&](QDialog& d) {
            QVERIFY(get<QRadioButton>(d, "rbStepIntegral")->isChecked());
            QCOMPARE(cell(get<QTableView>(d, "GridIntegral"), 1, QStringLiteral("积分基数")),
                     QStringLiteral("50"));
            click(d, "cBoxAutoIntegral");
            QVERIFY(!visibleTabs(d).contains(QStringLiteral("积分")));
            showTab(d, QStringLiteral("储值"));
            auto* grid = get<QTableView>(d, "GridCZ");
            testModel(grid);
            typeRow(grid, 0,
                    {QStringLiteral("储值金额下限"), QStringLiteral("储值金额上限"),
                     QStringLiteral("储值基数"), QStringLiteral("赠送金额")},
                    {QStringLiteral("50"), QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("10")});
            boxes.setNextAnswer(IDYES);
            click(d, "btnOK");
            QCOMPARE(boxes.last().text, QStringLiteral("第1行储值基数为0，不能保存！"));
            typeCell(grid, 0, QStringLiteral("储值基数"), QStringLiteral("100"));
            typeCell(grid, 0, QStringLiteral("储值金额上限"), QStringLiteral("1000"));
            boxes.setNextAnswer(IDYES);
            click(d, "btnOK");
            QVERIFY(!d.isVisible());
        });
        VipCardTypeSet(id);
        QCOMPARE(boxes.unanswered(), 0);
        QCOMPARE(rules(id), (QStringList{QStringLiteral("2:0.00-100.00/0/10.00/1.00/0/"),
                                         QStringLiteral("2:100.00-500.00/0/50.00/2.00/0/"),
                                         QStringLiteral("3:50.00-1000.00/0/100.00/10.00/0/")}));
        QCOMPARE(stored(QStringLiteral("银卡"), QStringLiteral("AutoIntegral")),
                 0);
    }

    void memberDayAndBirthday() {
        TestDatabase db;
        Chain chain;
        ModalDriver driver;
        ScriptedMessages boxes;
        driver.setNextHandler([&](QDialog& d) {
            type(d, "reName", QStringLiteral("生日卡"));
            choose(d, "cmoVipMode", 1);
            type(d, "reDiscount", QStringLiteral("90"));
            leave(d);
            click(d, "cBoxAutoIntegral");
            click(d, "RcbVipDay");
            QVERIFY(visibleTabs(d).contains(QStringLiteral("会员日")));
            // A member day switched on starts from the card's own rate.
            QCOMPARE(get<QLineEdit>(d, "LmE_VipDayDisCount")->text(), QStringLiteral("90"));
            QCOMPARE(get<QLineEdit>(d, "edtWeekVIPDayDisCount")->text(), QStringLiteral("90"));
            QCOMPARE(get<QLineEdit>(d, "LmE_BitthyDisCount")->text(), QStringLiteral("90"));
            QVERIFY(get<QCheckBox>(d, "CheckBox1")->isChecked());
            QVERIFY(!get<QCheckBox>(d, "cbUseVipprice")->isVisible());
            // Without points there are no multipliers to set.
            QVERIFY(!get<QLineEdit>(d, "ReNum")->isVisible());
            click(d, "cBoxAutoIntegral");
            type(d, "edtbuyTotal", QStringLiteral("10"));
            type(d, "edtInteger", QStringLiteral("1"));
            QVERIFY(get<QLineEdit>(d, "ReNum")->isEnabled());
            // The day lists come from their picker only.
            QVERIFY(get<QLineEdit>(d, "Remonthlist")->isReadOnly());

            type(d, "ReNum", QStringLiteral("11"));
            click(d, "btnOK");
            QCOMPARE(boxes.last().text,
                     QStringLiteral("月会员日消费积分倍数超出许可范围0到10，请重新录入！"));
            QCOMPARE(boxes.last().caption, QStringLiteral("输入错误"));
            QCOMPARE(currentTab(d), QStringLiteral("会员日"));
            QCOMPARE(d.focusWidget(), get<QLineEdit>(d, "ReNum"));
            type(d, "ReNum", QStringLiteral("3"));
            // Choosing the month option starts it from the monthly member day.
            click(d, "CheckBox2");
            QVERIFY(!get<QCheckBox>(d, "CheckBox1")->isChecked());
            QCOMPARE(get<QLabel>(d, "lblBirthdayDiscount")->text(), QStringLiteral("会员生日月折扣"));
            QCOMPARE(get<QLineEdit>(d, "ReBirthyNum")->text(), QStringLiteral("3"));
            type(d, "ReBirthyNum", QStringLiteral("12"));
            click(d, "btnOK");
            QCOMPARE(boxes.last().text,
                     QStringLiteral("会员生日月消费积分倍数超出许可范围0到10，请重新录入！"));
            type(d, "ReBirthyNum", QStringLiteral("2"));
            // The weekly days through their picker.
            driver.setNextHandler([](QDialog& picker) {
                QCOMPARE(picker.windowTitle(), QStringLiteral("会员日选择"));
                click(picker, "btnAll");
                click(picker, "btnOK");
            });
            choose(d, "cbxVIPOrder", 1);
            click(d, "btnWeekDays");
            QCOMPARE(get<QLineEdit>(d, "Reweeklist")->text().count(QLatin1Char(',')), 6);
            click(d, "btnOK");
            QVERIFY(!d.isVisible());
        });
        VipCardTypeSet(0);
        QCOMPARE(boxes.unanswered(), 0);
        const QString name = QStringLiteral("生日卡");
        QCOMPARE(text(QStringLiteral("SELECT DayList FROM viptype WHERE TypeName = ?"), {name}),
                 QStringLiteral("1,2,3,4,5,6,7"));
        QCOMPARE(stored(name, {"UseVipDay", "VIPDayOrder", "usebirthday", "BirthdyMontyDisCount",
                               "BirthdyMonthXIntegral", "BirthdyDisCount", "XIntegral", "vipdayDisCount",
                               "NotVIPDayFlags"}),
                 (QList<int>{2, 2, 2, 90, 2, 100, 3, 90, (1 << 1) | (1 << 2) | (1 << 4) | (1 << 6)}));

        // Both day lists emptied: a member day on every list. Then off: the birthday
        // multiplier is no longer looked at.
        const int id = typeId(name);
        driver.setNextHandler([&](QDialog& d) {
            QCOMPARE(get<QComboBox>(d, "cbxVIPOrder")->currentIndex(), 1);
            QVERIFY(get<QCheckBox>(d, "CheckBox2")->isChecked());
            QCOMPARE(get<QLineEdit>(d, "LmE_BitthyDisCount")->text(), QStringLiteral("90"));
            driver.setNextHandler([](QDialog& picker) {
                click(picker, "btnInvert");
                click(picker, "btnOK");
            });
            click(d, "btnWeekDays");
            QCOMPARE(get<QLineEdit>(d, "Reweeklist")->text(), QString());
            click(d, "btnOK");
        });
        VipCardTypeSet(id);
        QCOMPARE(stored(name, QStringLiteral("UseVipDay")), 3);
        boxes.clear();
        driver.setNextHandler([&](QDialog& d) {
            click(d, "RcbVipDay");
            QVERIFY(!visibleTabs(d).contains(QStringLiteral("会员日")));
            type(d, "ReBirthyNum", QStringLiteral("15"));
            type(d, "ReNum", QStringLiteral("99"));
            click(d, "btnOK");
            QVERIFY(!d.isVisible());
        });
        VipCardTypeSet(id);
        QCOMPARE(boxes.shown().size(), 0);
        QCOMPARE(stored(name, QStringLiteral("UseVipDay")), 0);
        QCOMPARE(stored(name, QStringLiteral("BirthdyMonthXIntegral")), 0);
    }

    void storeRangeKeepsStoresHoldingStoredValue() {
        TestDatabase db;
        Chain chain;
        ModalDriver driver;
        ScriptedMessages boxes;
        driver.setNextHandler([&](QDialog& d) {
            type(d, "reName", QStringLiteral("门店卡"));
            click(d, "cBoxAutoIntegral");
            click(d, "chkpos");
            QCOMPARE(currentTab(d), QStringLiteral("适用范围"));
            click(d, "chkAllPos");
            auto* grid = get<QTableView>(d, "GridPos");
            QVERIFY(grid->isEnabled());
            // Clearing the all-stores box keeps the marks; a new type has no cards to protect.
            QCOMPARE(marks(grid), QStringList(3, QStringLiteral("√")));
            click(d, "btnClearPos");
            QCOMPARE(marks(grid), QStringList(3, QString()));
            click(d, "btnOK");
            QCOMPARE(boxes.last().text, QStringLiteral("启用了卡适用范围，必须选择门店！"));
            doubleClickCell(grid, 1, 1);
            QCOMPARE(marks(grid), (QStringList{QString(), QStringLiteral("√"), QString()}));
            click(d, "btnOK");
        });
        VipCardTypeSet(0);
        const QString name = QStringLiteral("门店卡");
        const int id = typeId(name);
        QCOMPARE(stored(name, QStringLiteral("PosRange * 10 + CanAllPos")), 10);
        QCOMPARE(scalar(QStringLiteral("SELECT PosID FROM PosVipType WHERE viptype = ?"), {id}),
                 chain.jiefang);

        // A card of the type keeps stored value for use at 解放路店: that store stays.
        dmClient().ExecuteSQL(
            QStringLiteral("INSERT INTO vipcard (cardid, CardNo, CardType, BulidDate, ValidityDate, VipCz, "
                           "PosId) VALUES ('{c1}', 'C001', ?, ?, ?, 1, ?)"),
            {id, QDate(2025, 1, 1), QDate(2030, 1, 1), chain.jiefang});
        boxes.clear();
        driver.setNextHandler([&](QDialog& d) {
            QVERIFY(!get<QCheckBox>(d, "chkAllPos")->isChecked());
            auto* grid = get<QTableView>(d, "GridPos");
            QCOMPARE(marks(grid), (QStringList{QString(), QStringLiteral("√"), QString()}));
            doubleClickCell(grid, 1, 2);
            QCOMPARE(boxes.last().text, QStringLiteral("解放路店门店已经被指储值适用门店应用，不允许取消。"));
            QCOMPARE(boxes.last().caption, QStringLiteral("提示"));
            QCOMPARE(marks(grid), (QStringList{QString(), QStringLiteral("√"), QString()}));
            boxes.setNextAnswer(IDYES);
            click(d, "btnExit");
            QCOMPARE(boxes.last().text, QStringLiteral("退出将不保存数据的修改，确认退出吗?"));
        });
        VipCardTypeSet(id);
        QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM PosVipType WHERE viptype = ?"), {id}), 1);

        // An exchange store no longer among the type's independent stores falls back
        // to "all may change".
        dmClient().ExecuteSQL(QStringLiteral("UPDATE viptype SET ChangeIntegralPos = ? WHERE CTypeId = ?"),
                              {chain.binjiang, id});
        driver.setNextHandler([&](QDialog& d) {
            QCOMPARE(get<QComboBox>(d, "cbChangeIntegralPos")->currentText(),
                     QStringLiteral("<所有独立门店都可修改>"));
            click(d, "btnOK");
        });
        VipCardTypeSet(id);
        QCOMPARE(stored(name, QStringLiteral("ChangeIntegralPos")), -1);
        QCOMPARE(boxes.unanswered(), 0);
    }

    void productAndAttributePoints() {
        TestDatabase db;
        Chain chain;
        ModalDriver driver;
        ScriptedMessages boxes;
        driver.setNextHandler([&](QDialog& d) {
            type(d, "reName", QStringLiteral("商品卡"));
            click(d, "rbIntegralPtype");
            QCOMPARE(get<QLabel>(d, "lblOther")->text(), QStringLiteral("其它商品每次消费"));
            click(d, "btnOK");
            QCOMPARE(boxes.last().text, QStringLiteral("启用了商品积分，必须设置商品积分规则！"));
            auto* grid = get<QTableView>(d, "GridIntegralPtype");
            testModel(grid);
            doubleClickCell(grid, 1, 0);
            QCOMPARE(boxes.last().text, QStringLiteral("当前行不能录入数据,因为上一行数据为空！"));
            QCOMPARE(boxes.last().caption, QStringLiteral("出错提示"));
            // A class stands for its products: marking 饮料 brings 矿泉水 and 可乐.
            driver.setNextHandler([](QDialog& selector) {
                auto* products = get<QTableView>(selector, "GridPtype");
                QCOMPARE(cell(products, 0, QStringLiteral("名称")), QStringLiteral("饮料"));
                QTest::mouseClick(products->viewport(), Qt::LeftButton, Qt::NoModifier,
                                  cellCentre(products, 0, 0));
                click(selector, "btnOK");
            });
            doubleClickCell(grid, 0, 1);
            QCOMPARE(cell(grid, 0, QStringLiteral("商品名称")), QStringLiteral("矿泉水"));
            QCOMPARE(cell(grid, 1, QStringLiteral("商品名称")), QStringLiteral("可乐"));
            driver.setNextHandler([](QDialog& selector) {
                type(selector, "edtFilter", QStringLiteral("P02"));
                auto* products = get<QTableView>(selector, "GridPtype");
                QVERIFY(products->isRowHidden(0));
                QTest::mouseClick(products->viewport(), Qt::LeftButton, Qt::NoModifier,
                                  cellCentre(products, 2, 0));
                click(selector, "btnOK");
            });
            doubleClickCell(grid, 2, 0);
            QCOMPARE(boxes.last().text, QStringLiteral("选择的商品已经包含在表格中，请重新选择！"));
            QCOMPARE(cell(grid, 2, QStringLiteral("商品编号")), QString());
            click(d, "btnOK");
            QCOMPARE(boxes.last().text, QStringLiteral("第1行消费金额为0，不能保存！"));
            typeRow(grid, 0, {QStringLiteral("消费金额"), QStringLiteral("积分")},
                    {QStringLiteral("10"), QStringLiteral("2")});
            typeCell(grid, 1, QStringLiteral("消费金额"), QStringLiteral("5"));
            click(d, "btnOK");
            QCOMPARE(boxes.last().text, QStringLiteral("第2行积分为0，不能保存！"));
            typeCell(grid, 1, QStringLiteral("积分"), QStringLiteral("1"));
            type(d, "edtpTotal", QStringLiteral("20"));
            click(d, "btnOK");
            QCOMPARE(boxes.last().text, QStringLiteral("请输入其它商品每次消费积分！"));
            type(d, "edtpTotal", QString());
            type(d, "edtPInteger", QStringLiteral("1"));
            click(d, "btnOK");
            QCOMPARE(boxes.last().text, QStringLiteral("请输入其它商品每次消费金额！"));
            type(d, "edtpTotal", QStringLiteral("20"));
            click(d, "btnOK");
            QVERIFY(!d.isVisible());
        });
        VipCardTypeSet(0);
        const int id = typeId(QStringLiteral("商品卡"));
        QCOMPARE(rules(id), (QStringList{QStringLiteral("6:10.00-10.00/0/1.00/2.00/%1/").arg(chain.water),
                                         QStringLiteral("6:5.00-5.00/0/1.00/1.00/%1/").arg(chain.cola),
                                         QStringLiteral("6:20.00-20.00/0/1.00/1.00/0/其它商品")}));
    }

    void duplicateNamesAndLeaving() {
        TestDatabase db;
        Chain chain;
        ModalDriver driver;
        ScriptedMessages boxes;
        const auto fill = [](QDialog& d, const QString& name) {
            type(d, "reName", name);
            click(d, "cBoxAutoIntegral");
            // No page left to show: the dialog gives up the page area.
            QVERIFY(visibleTabs(d).isEmpty());
            QVERIFY(d.height() < 600);
        };
        driver.setNextHandler([&](QDialog& d) {
            fill(d, QStringLiteral("金卡"));
            click(d, "btnOK");
        });
        VipCardTypeSet(0);
        const int gold = typeId(QStringLiteral("金卡"));
        QVERIFY(gold > 0);

        driver.setNextHandler([&](QDialog& d) {
            fill(d, QStringLiteral("金卡"));
            click(d, "btnOK");
            QCOMPARE(boxes.last().text,
                     QStringLiteral("已经存在金卡的会员卡类型,不能增加重复名称的会员卡类型。"));
            QCOMPARE(boxes.last().caption, QStringLiteral("警告"));
            QCOMPARE(boxes.last().style & MB::IconMask, MB::IconWarning);
            QCOMPARE(d.focusWidget(), get<QLineEdit>(d, "reName"));
            // Leaving asks; No keeps the dialog with what was entered.
            click(d, "btnExit");
            QCOMPARE(boxes.last().text, QStringLiteral("退出将不保存数据的修改，确认退出吗?"));
            QVERIFY(d.isVisible());
            QCOMPARE(get<QLineEdit>(d, "reName")->text(), QStringLiteral("金卡"));
            type(d, "reName", QStringLiteral("银卡"));
            boxes.setNextAnswer(IDYES);
            QTest::keyClick(&d, Qt::Key_Escape);
            QVERIFY(!d.isVisible());
        });
        VipCardTypeSet(0);
        QCOMPARE(boxes.unanswered(), 1);
        QCOMPARE(typeId(QStringLiteral("银卡")), 0);


        // The type was deleted while it was open: the save fails as a write failure.
        boxes.clear();
        driver.setNextHandler([&](QDialog& d) {
            type(d, "reComment", QStringLiteral("改过"));
            click(d, "btnOK");
            dmClient().ExecuteSQL(QStringLiteral("UPDATE viptype SET deleted = 1 WHERE CTypeId = ?"), {gold});
        });
        VipCardTypeSet(gold);
        QCOMPARE(boxes.last().text, ErrorWriteDb);
        QCOMPARE(boxes.last().caption, QStringLiteral("错误"));
        QCOMPARE(text(QStringLiteral("SELECT Comment FROM viptype WHERE CTypeId = ?"), {gold}), QString());
    }

};

QTEST_MAIN(VipCardTypeSetfrmTest)
#include "tst_VipCardTypeSetfrm.moc"
