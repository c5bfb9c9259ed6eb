#include "host/sdk/DataModule.h"
#include "host/sdk/DbError.h"
#include "host/sdk/MessageBox.h"
#include "host/sdk/Transaction.h"
#include "tests/support/DbProbe.h"
#include "tests/support/FlowFixture.h"
#include "tests/support/TestDatabase.h"
#include "tests/support/TestRows.h"
#include "tests/support/UserInput.h"
#include "vip/cardtypes/VipCardTypeSet.h"
#include "vip/cardtypes/VipCardTypeStore.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <future>
#include <optional>
#include <thread>
#include <utility>

using namespace UserInput;

namespace {

int scalar(const QString& sql, const QVariantList& params = {}) {
    return dmClient().OpenSQLAsInt(sql, params);
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
    QTabBar* bar = get<QTabWidget>(dialog, "pcMain")->tabBar();
    for (int i = 0; i < bar->count(); ++i) {
        if (bar->tabText(i) == caption)
            QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->tabRect(i).center());
    }
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
    QTest::keyClick(editor, Qt::Key_Delete);
    enter(editor, value);
    QTest::keyClick(editor, Qt::Key_Return);
    // The cell takes the text once the editor has handled the key.
    QCoreApplication::processEvents();
}

void typeRow(QTableView* grid, int row, const QStringList& captions, const QStringList& values) {
    for (int i = 0; i < captions.size(); ++i)
        typeCell(grid, row, captions[i], values[i]);
}

// A click on a cell; a double click arrives as a click followed by the double-click event.
void clickCell(QTableView* grid, int row, int col, bool twice = false) {
    const QPoint at = grid->visualRect(grid->model()->index(row, col)).center();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    if (twice)
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, at);
}

QStringList marks(QTableView* grid) {
    QStringList list;
    const int col = column(grid, QStringLiteral("选择"));
    for (int row = 0; row < grid->model()->rowCount(); ++row)
        list.append(grid->model()->index(row, col).data().toString());
    return list;
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

// Columns of the live type of that name as text, joined by '|'.
QString stored(const QString& name, const QStringList& fields) {
    QStringList values;
    for (const QString& field : fields)
        values << dmClient().OpenSQLAsStr(
            QStringLiteral("SELECT %1 FROM viptype WHERE TypeName = ? AND deleted = 0").arg(field), {name});
    return values.join(QLatin1Char('|'));
}

int typeId(const QString& name) {
    return stored(name, {QStringLiteral("CTypeId")}).toInt();
}

// A small chain: a head office and two independent stores, a price list and two
// product classes.
void addChain() {
    dmClient().ExecuteSQL(QStringLiteral("INSERT INTO pricelist (PriceMode, PriceName) VALUES (1, '零售价'), "
                                         "(17, '会员价'), (18, '会员价2')"));
    TestRows::addStores(
        dmClient(),
        {{.code = QStringLiteral("01"), .name = QStringLiteral("总部"), .connectType = 0, .rowIndex = 1},
         {.code = QStringLiteral("02"), .name = QStringLiteral("解放路店"), .connectType = 1, .rowIndex = 2},
         {.code = QStringLiteral("03"), .name = QStringLiteral("滨江店"), .connectType = 1, .rowIndex = 3}});
    TestRows::addProduct(dmClient(), "00001", "01", "饮料", "00000", 2);
    TestRows::addProduct(dmClient(), "0000100001", "P01", "矿泉水", "00001");
    TestRows::addProduct(dmClient(), "0000100002", "P02", "可乐", "00001");
    TestRows::addProduct(dmClient(), "00002", "02", "食品", "00000", 1);
    TestRows::addProduct(dmClient(), "0000200001", "P03", "面包", "00002");
}

// A type as another user saves it: ten yuan spent earn a point, nothing else.
VipCardTypeSettings plain(const QString& name, int typeId = 0) {
    VipCardTypeSettings s;
    s.typeId = typeId;
    s.name = name;
    s.pointsAmount = Money::fromUnits(10);
    s.points = Money::fromUnits(1);
    return s;
}

// Answers boxes as the script does, and the moment the given question is asked runs
// what another user does meanwhile: the dialog has made its checks and not yet saved.
class Meanwhile final : public MessageService {
public:
    Meanwhile(ScriptedMessages& boxes, QString question, std::function<void()> other)
        : m_boxes(boxes)
        , m_question(std::move(question))
        , m_other(std::move(other)) {
        MessageService::install(this);
    }
    ~Meanwhile() override { MessageService::install(&m_boxes); }
    int show(const QString& text, const QString& caption, int style) override {
        if (text == m_question && m_other)
            std::exchange(m_other, {})();
        return m_boxes.show(text, caption, style);
    }

private:
    ScriptedMessages& m_boxes;
    QString m_question;
    std::function<void()> m_other;
};

// Confirms with the button's Alt shortcut, typed in the field that has the focus;
// true once the button has been clicked (its press takes a moment to show).
bool confirmByShortcut(QDialog& dialog) {
    QSignalSpy clicked(get<QPushButton>(dialog, "btnOK"), &QAbstractButton::clicked);
    QTest::keyClick(dialog.focusWidget(), Qt::Key_Y, Qt::AltModifier);
    return clicked.wait();
}

} // namespace

class VipCardTypeSetfrmTest : public QObject {
    Q_OBJECT
    std::optional<FlowFixture> flow;

    // The type dialog on a type (0: a new one), worked by 'user'.
    void open(int typeId, ModalDriver::Handler user) {
        flow->driver().setNextHandler(std::move(user));
        VipCardTypeSet(typeId);
    }
    // Presses a button and gives the text of the box it brought up, if any.
    QString press(QDialog& d, const char* button = "btnOK") {
        const qsizetype before = flow->boxes().shown().size();
        click(d, button);
        return flow->boxes().shown().size() > before ? flow->boxes().last().text : QString();
    }

private slots:
    void init() {
        flow.emplace();
        addChain();
    }
    // Every flow ends with its windows closed by the user and no question unscripted.
    void cleanup() {
        const int leftOver = flow->unsettled();
        flow.reset();
        QCOMPARE(leftOver, 0);
    }

    void newTypeOpensWithDefaultsAndSavesMemberPrice() {
        open(0, [&](QDialog& d) {
            QCOMPARE(get<QLineEdit>(d, "reDiscount")->text(), QStringLiteral("100"));
            QVERIFY(!get<QTableView>(d, "GridPos")->isEnabled());
            QCOMPARE(visibleTabs(d), QStringList{QStringLiteral("积分")});

            QCOMPARE(press(d), QStringLiteral("必须输入会员卡类型！"));
            type(d, "reName", QStringLiteral("  普通卡 "));
            // Amount fields take digits only; a 0 amount is refused.
            type(d, "edtbuyTotal", QStringLiteral("a0b"));
            QCOMPARE(get<QLineEdit>(d, "edtbuyTotal")->text(), QStringLiteral("0"));
            QCOMPARE(press(d), QStringLiteral("每次消费金额不能为0，不能保存！"));
            QCOMPARE(d.focusWidget(), get<QLineEdit>(d, "edtbuyTotal"));
            // An amount past its range is refused by name, never cut to fit.
            type(d, "edtbuyTotal", QStringLiteral("150000"));
            QCOMPARE(press(d), QStringLiteral("消费金额必须在 0 到 100000 之间"));
            QCOMPARE(get<QLineEdit>(d, "edtbuyTotal")->text(), QStringLiteral("150000"));
            QCOMPARE(d.focusWidget(), get<QLineEdit>(d, "edtbuyTotal"));
            type(d, "edtbuyTotal", QStringLiteral("10"));
            QCOMPARE(press(d), QStringLiteral("积分不能为0，不能保存！"));
            type(d, "edtInteger", QStringLiteral("1"));
            type(d, "edtRepeatNum", QStringLiteral("07"));
            // The member price mode gives no discount, whatever the rate field holds.
            type(d, "reDiscount", QStringLiteral("50"));
            QCOMPARE(press(d), QString());
        });
        const QString name = QStringLiteral("普通卡");
        QCOMPARE(stored(name, {"Discount", "AutoDiscount", "IfPromotionPriceDisCount", "FixedDiscount",
                               "vipPriceType", "IsSaleLimit", "RepeatNum", "CanAllPos", "PosRange",
                               "ChangeIntegralPos", "UseVipDay"}),
                 QStringLiteral("100|0|1|0|17|1|7|1|0|-1|0"));
        QCOMPARE(rules(typeId(name)), QStringList{QStringLiteral("4:0.00-0.00/0/10.00/1.00/0/单次消费积分")});
    }

    void discountBandsTouchPassGapAsksOverlapRefused() {
        const QString from = QStringLiteral("消费金额下限"), to = QStringLiteral("消费金额上限"),
                      rate = QStringLiteral("折扣率");
        open(0, [&](QDialog& d) {
            type(d, "reName", QStringLiteral("折扣卡"));
            QTest::keyClick(get<QComboBox>(d, "cmoVipMode"), Qt::Key_Down);
            click(d, "cBoxAutoIntegral");
            click(d, "cBox_automembertotal");
            QVERIFY(!get<QLineEdit>(d, "reDiscount")->isEnabled());
            QCOMPARE(press(d), QStringLiteral("启用了分段折扣，必须设置分段折扣！"));

            auto* grid = get<QTableView>(d, "GridSale");
            // Every row the typing adds and every cell it changes passes the model checker.
            QAbstractItemModelTester checker(grid->model(),
                                             QAbstractItemModelTester::FailureReportingMode::QtTest);
            // A minus sign is refused as it is typed.
            typeRow(grid, 0, {from, to, rate}, {"0", "100", "-0"});
            QCOMPARE(cell(grid, 0, rate), QStringLiteral("0"));
            // Enter in the remark starts the next band where this one ends.
            typeCell(grid, 0, QStringLiteral("备注"), QStringLiteral("首档"));
            QCOMPARE(cell(grid, 1, from), QStringLiteral("100"));
            typeRow(grid, 1, {to, rate}, {"200", "90"});
            QCOMPARE(press(d), QStringLiteral("第1行折扣为0，不能保存！"));
            QCOMPARE(grid->currentIndex(), grid->model()->index(0, column(grid, rate)));
            typeCell(grid, 0, rate, QStringLiteral("95"));
            typeCell(grid, 1, from, QStringLiteral("99.99"));
            QCOMPARE(press(d), QStringLiteral("第2行消费金额下限小于第1行消费金额上限，不能保存！"));

            typeCell(grid, 1, from, QStringLiteral("100.01"));
            // Enter in the last band's remark carries its end into the row below; that
            // row, left otherwise empty, is no band and stops nothing.
            typeCell(grid, 1, QStringLiteral("备注"), QString());
            QCOMPARE(cell(grid, 2, from), QStringLiteral("200"));
            const QString gap = QStringLiteral(
                "【折扣卡】类型分段折扣设置存在断档数据，断档部分将无法享有折扣，是否忽略继续保存吗？");
            flow->boxes().setNextAnswer(IDNO);
            QCOMPARE(press(d), gap);
            QCOMPARE(flow->boxes().last().style & MB::ButtonMask, MB::YesNo);
            QVERIFY(d.isVisible());
            flow->boxes().setNextAnswer(IDYES);
            QCOMPARE(press(d), gap);
        });
        const int id = typeId(QStringLiteral("折扣卡"));
        QCOMPARE(rules(id), (QStringList{QStringLiteral("1:0.00-100.00/95/0.00/0.00/0/首档"),
                                         QStringLiteral("1:100.01-200.00/90/0.00/0.00/0/")}));
        QCOMPARE(stored(QStringLiteral("折扣卡"), {"AutoDiscount", "automembertotal", "IfVipPrice"}),
                 QStringLiteral("1|1|0"));

        // Re-opened, the bands are back; touching bands pass without a question.
        open(id, [&](QDialog& d) {
            auto* grid = get<QTableView>(d, "GridSale");
            QCOMPARE(cell(grid, 1, from), QStringLiteral("100.01"));
            typeCell(grid, 1, from, QStringLiteral("100"));
            QCOMPARE(press(d), QString());
        });
        QCOMPARE(rules(id).last(), QStringLiteral("1:100.00-200.00/90/0.00/0.00/0/"));
    }

    void pointBandsStoredValueAndSwitchedOffPoints() {
        const QString to = QStringLiteral("消费金额上限"), base = QStringLiteral("积分基数");
        open(0, [&](QDialog& d) {
            type(d, "reName", QStringLiteral("银卡"));
            click(d, "rbStepIntegral");
            QCOMPARE(press(d), QStringLiteral("启用了分段积分，必须设置分段积分规则！"));
            auto* grid = get<QTableView>(d, "GridIntegral");
            const QStringList captions = {QStringLiteral("消费金额下限"), to, base, QStringLiteral("积分")};
            typeRow(grid, 0, captions, {"0", "100", "10", "1"});
            typeRow(grid, 1, captions, {"100", "500", "", "2"});
            QCOMPARE(press(d), QStringLiteral("第2行积分基数为0，不能保存！"));
            typeRow(grid, 1, {base, to}, {"50", "90"});
            QCOMPARE(press(d), QStringLiteral("第2行消费金额下限大于上限，不能保存！"));
            typeCell(grid, 1, to, QStringLiteral("500"));
            // A number typed into the row below and emptied again leaves a 0 there, no band.
            typeCell(grid, 2, base, QStringLiteral("5"));
            typeCell(grid, 2, base, QString());
            QCOMPARE(cell(grid, 2, base), QStringLiteral("0"));
            // Stored value switched on with no gift bands at all is accepted.
            click(d, "chkCZYH");
            QCOMPARE(press(d), QString());
        });
        const int id = typeId(QStringLiteral("银卡"));
        const QStringList points = {QStringLiteral("2:0.00-100.00/0/10.00/1.00/0/"),
                                    QStringLiteral("2:100.00-500.00/0/50.00/2.00/0/")};
        QCOMPARE(rules(id), points);
        QCOMPARE(stored(QStringLiteral("银卡"), {"StepIntegral", "IsCZPreferential"}), QStringLiteral("1|1"));

        // Points switched off: their rows stay for later; the gift bands are written.
        open(id, [&](QDialog& d) {
            QCOMPARE(cell(get<QTableView>(d, "GridIntegral"), 1, base), QStringLiteral("50"));
            click(d, "cBoxAutoIntegral");
            showTab(d, QStringLiteral("储值"));
            auto* grid = get<QTableView>(d, "GridCZ");
            typeRow(grid, 0, {"储值金额下限", "储值金额上限", "储值基数", "赠送金额"},
                    {"50", "0", "0", "10"});
            flow->boxes().setNextAnswer(IDYES); // a first band not from 0
            QCOMPARE(press(d), QStringLiteral("第1行储值基数为0，不能保存！"));
            typeRow(grid, 0, {"储值基数", "储值金额上限"}, {"100", "1000"});
            flow->boxes().setNextAnswer(IDYES);
            click(d, "btnOK");
        });
        QCOMPARE(rules(id), points + QStringList{QStringLiteral("3:50.00-1000.00/0/100.00/10.00/0/")});
        QCOMPARE(stored(QStringLiteral("银卡"), {"AutoIntegral"}), QStringLiteral("0"));
    }

    void memberDayAndBirthday() {
        open(0, [&](QDialog& d) {
            type(d, "reName", QStringLiteral("生日卡"));
            QTest::keyClick(get<QComboBox>(d, "cmoVipMode"), Qt::Key_Down);
            type(d, "reDiscount", QStringLiteral("90"));
            QTest::keyClick(d.focusWidget(), Qt::Key_Return);
            click(d, "RcbVipDay");
            type(d, "edtbuyTotal", QStringLiteral("10"));
            type(d, "edtInteger", QStringLiteral("1"));

            type(d, "ReNum", QStringLiteral("11"));
            QCOMPARE(press(d), QStringLiteral("月会员日消费积分倍数超出许可范围0到10，请重新录入！"));
            // The refused field takes the focus, on its page brought to the front.
            QCOMPARE(d.focusWidget(), get<QLineEdit>(d, "ReNum"));
            type(d, "ReNum", QStringLiteral("3"));
            // Choosing the month option starts it from the monthly member day.
            click(d, "CheckBox2");
            QCOMPARE(get<QLineEdit>(d, "ReBirthyNum")->text(), QStringLiteral("3"));
            type(d, "ReBirthyNum", QStringLiteral("2"));
            flow->driver().setNextHandler([](QDialog& picker) {
                click(picker, "btnAll");
                click(picker, "btnOK");
            });
            QTest::keyClick(get<QComboBox>(d, "cbxVIPOrder"), Qt::Key_Down);
            click(d, "btnWeekDays");
            QCOMPARE(press(d), QString());
        });
        const QString name = QStringLiteral("生日卡");
        // The member-day and birthday rates start from the card's own rate.
        QCOMPARE(stored(name, {"Discount", "FixedDiscount", "DayList", "UseVipDay", "VIPDayOrder",
                               "usebirthday", "BirthdyMontyDisCount", "BirthdyMonthXIntegral",
                               "BirthdyDisCount", "XIntegral", "vipdayDisCount", "NotVIPDayFlags"}),
                 QStringLiteral("90|1|1,2,3,4,5,6,7|2|2|2|90|2|100|3|90|%1")
                     .arg((1 << 1) | (1 << 2) | (1 << 4) | (1 << 6)));

        // Both day lists emptied: a member day on every list, the loaded choices kept.
        const int id = typeId(name);
        open(id, [&](QDialog& d) {
            flow->driver().setNextHandler([](QDialog& picker) {
                click(picker, "btnInvert");
                click(picker, "btnOK");
            });
            click(d, "btnWeekDays");
            click(d, "btnOK");
        });
        QCOMPARE(stored(name, {"UseVipDay", "VIPDayOrder", "usebirthday", "BirthdyMontyDisCount"}),
                 QStringLiteral("3|2|2|90"));
    }

    void storeRangeKeepsStoresHoldingStoredValue() {
        open(0, [&](QDialog& d) {
            type(d, "reName", QStringLiteral("门店卡"));
            click(d, "cBoxAutoIntegral");
            click(d, "chkpos");
            click(d, "chkAllPos");
            auto* grid = get<QTableView>(d, "GridPos");
            QVERIFY(grid->isEnabled());
            // Clearing the all-stores box keeps the marks; a new type has no cards to protect.
            QCOMPARE(marks(grid), QStringList(3, QStringLiteral("√")));
            click(d, "btnClearPos");
            QCOMPARE(marks(grid), QStringList(3, QString()));
            QCOMPARE(press(d), QStringLiteral("启用了卡适用范围，必须选择门店！"));
            clickCell(grid, 1, 1, true);
            click(d, "btnOK");
        });
        const QString name = QStringLiteral("门店卡");
        const int id = typeId(name);
        const int jiefang = scalar(QStringLiteral("SELECT posid FROM posinfo WHERE PosCode = '02'"));
        QCOMPARE(stored(name, {"PosRange", "CanAllPos"}), QStringLiteral("1|0"));
        QCOMPARE(scalar(QStringLiteral("SELECT PosID FROM PosVipType WHERE viptype = ?"), {id}), jiefang);

        // A card of the type keeps stored value for use at 解放路店: that store stays.
        TestRows::addCard(
            dmClient(),
            {.cardNo = QStringLiteral("C001"), .cardType = id, .storeId = jiefang, .storedValue = true});
        open(id, [&](QDialog& d) {
            auto* grid = get<QTableView>(d, "GridPos");
            const QStringList onlyJiefang = {QString(), QStringLiteral("√"), QString()};
            QCOMPARE(marks(grid), onlyJiefang);
            clickCell(grid, 1, 2, true);
            QCOMPARE(flow->boxes().last().text,
                     QStringLiteral("解放路店门店已经被指储值适用门店应用，不允许取消。"));
            QCOMPARE(marks(grid), onlyJiefang);
            flow->boxes().setNextAnswer(IDYES);
            QCOMPARE(press(d, "btnExit"), QStringLiteral("退出将不保存数据的修改，确认退出吗?"));
        });
    }

    void productPoints() {
        const QString amount = QStringLiteral("消费金额"), points = QStringLiteral("积分");
        open(0, [&](QDialog& d) {
            type(d, "reName", QStringLiteral("商品卡"));
            click(d, "rbIntegralPtype");
            QCOMPARE(press(d), QStringLiteral("启用了商品积分，必须设置商品积分规则！"));
            auto* grid = get<QTableView>(d, "GridIntegralPtype");
            // A class stands for its products: marking 饮料 brings 矿泉水 and 可乐.
            flow->driver().setNextHandler([](QDialog& selector) {
                auto* products = get<QTableView>(selector, "GridPtype");
                clickCell(products, 0, 0);
                click(selector, "btnOK");
            });
            clickCell(grid, 0, 1, true);
            QCOMPARE(cell(grid, 1, QStringLiteral("商品名称")), QStringLiteral("可乐"));
            flow->driver().setNextHandler([](QDialog& selector) {
                clickCell(get<QTableView>(selector, "GridPtype"), 2, 0);
                click(selector, "btnOK");
            });
            clickCell(grid, 2, 0, true);
            QCOMPARE(flow->boxes().last().text, QStringLiteral("选择的商品已经包含在表格中，请重新选择！"));
            QCOMPARE(cell(grid, 2, QStringLiteral("商品编号")), QString());
            typeRow(grid, 0, {amount, points}, {"10", "2"});
            typeCell(grid, 1, amount, QStringLiteral("5"));
            QCOMPARE(press(d), QStringLiteral("第2行积分为0，不能保存！"));
            typeCell(grid, 1, points, QStringLiteral("1"));
            type(d, "edtpTotal", QStringLiteral("20"));
            QCOMPARE(press(d), QStringLiteral("请输入其它商品每次消费积分！"));
            type(d, "edtPInteger", QStringLiteral("1"));
            QCOMPARE(press(d), QString());
        });
        const auto product = [](const char* code) {
            return scalar(QStringLiteral("SELECT rec FROM ptype WHERE UserCode = ?"), {QLatin1String(code)});
        };
        const int id = typeId(QStringLiteral("商品卡"));
        const QString catchAll = QStringLiteral("6:20.00-20.00/0/1.00/1.00/0/其它商品");
        QCOMPARE(rules(id),
                 (QStringList{QStringLiteral("6:10.00-10.00/0/1.00/2.00/%1/").arg(product("P01")),
                              QStringLiteral("6:5.00-5.00/0/1.00/1.00/%1/").arg(product("P02")), catchAll}));

        // A product deleted since the type was saved shows as deleted, and the save
        // names its row rather than failing half-way; one deleted while the dialog is
        // open is caught by the same check.
        const auto deleteProduct = [](const char* code) {
            dmClient().ExecuteSQL(QStringLiteral("UPDATE ptype SET deleted = 1 WHERE UserCode = ?"),
                                  {QLatin1String(code)});
        };
        deleteProduct("P02");
        const QString name = QStringLiteral("商品名称");
        open(id, [&](QDialog& d) {
            auto* grid = get<QTableView>(d, "GridIntegralPtype");
            QCOMPARE(cell(grid, 0, name), QStringLiteral("矿泉水"));
            QCOMPARE(cell(grid, 1, name), QStringLiteral("可乐（已删除）"));
            QCOMPARE(press(d), QStringLiteral("第2行商品已被删除，请删除该行或重新选择商品！"));
            QCOMPARE(grid->currentIndex().row(), 1);
            QCOMPARE(rules(id).size(), 3);
            flow->boxes().setNextAnswer(IDYES);
            QCOMPARE(press(d, "btnDelIntegral"), QStringLiteral("你确定要删除该行吗？"));
            QCOMPARE(press(d), QString());
        });
        QCOMPARE(rules(id), (QStringList{QStringLiteral("6:10.00-10.00/0/1.00/2.00/%1/").arg(product("P01")),
                                         catchAll}));
        open(id, [&](QDialog& d) {
            deleteProduct("P01");
            QCOMPARE(press(d), QStringLiteral("第1行商品已被删除，请删除该行或重新选择商品！"));
            QCOMPARE(cell(get<QTableView>(d, "GridIntegralPtype"), 0, name),
                     QStringLiteral("矿泉水（已删除）"));
            flow->boxes().setNextAnswer(IDYES);
            press(d, "btnExit");
        });
    }

    // Confirming by the shortcut leaves the focus in the field; the field is still
    // formatted and checked as if the user had left it, and nothing is written
    // until every value is one the card type can hold.
    void shortcutConfirmChecksTheFieldItWasTypedIn() {
        open(0, [&](QDialog& d) {
            type(d, "reName", QStringLiteral("折扣卡"));
            QTest::keyClick(get<QComboBox>(d, "cmoVipMode"), Qt::Key_Down);
            const QString rateRange = QStringLiteral("输入折扣必须在0至100之间，但不能为0！");
            // Just past the top, and a minus sign refused as typed: nothing turns the
            // rate into another, and the field keeps the focus and the text.
            type(d, "reDiscount", QStringLiteral("100.5"));
            QVERIFY(confirmByShortcut(d));
            QCOMPARE(flow->boxes().last().text, rateRange);
            QCOMPARE(get<QLineEdit>(d, "reDiscount")->text(), QStringLiteral("100.5"));
            QCOMPARE(d.focusWidget(), get<QLineEdit>(d, "reDiscount"));
            type(d, "reDiscount", QStringLiteral("-0"));
            QVERIFY(confirmByShortcut(d));
            QCOMPARE(get<QLineEdit>(d, "reDiscount")->text(), QStringLiteral("0"));
            QCOMPARE(flow->boxes().last().text, rateRange);
            type(d, "reDiscount", QStringLiteral("90.5"));
            click(d, "cBoxAutoIntegral");

            // A member day starts from the card's rate; a whole percentage is wanted
            // there, and one with decimals is refused rather than cut.
            click(d, "RcbVipDay");
            QCOMPARE(get<QLineEdit>(d, "LmE_VipDayDisCount")->text(), QStringLiteral("90.5"));
            QVERIFY(confirmByShortcut(d));
            QCOMPARE(flow->boxes().last().text, QStringLiteral("月会员日折扣必须是整数，请重新录入！"));
            type(d, "LmE_VipDayDisCount", QStringLiteral("1.50"));
            QCOMPARE(get<QLineEdit>(d, "LmE_VipDayDisCount")->text(), QStringLiteral("150"));
            QVERIFY(confirmByShortcut(d));
            QCOMPARE(flow->boxes().last().text,
                     QStringLiteral("月会员日折扣超出许可范围1到100，请重新录入！"));
            auto* pages = get<QTabWidget>(d, "pcMain");
            QCOMPARE(pages->tabText(pages->currentIndex()), QStringLiteral("会员日"));
            type(d, "LmE_VipDayDisCount", QStringLiteral("85"));
            QTest::keyClick(get<QComboBox>(d, "cbxVIPOrder"), Qt::Key_Down);
            QVERIFY(confirmByShortcut(d));
            QCOMPARE(flow->boxes().last().text, QStringLiteral("周会员日折扣必须是整数，请重新录入！"));
            type(d, "edtWeekVIPDayDisCount", QStringLiteral("85"));
            type(d, "LmE_BitthyDisCount", QStringLiteral("0"));
            QVERIFY(confirmByShortcut(d));
            QCOMPARE(flow->boxes().last().text,
                     QStringLiteral("会员生日折扣超出许可范围1到100，请重新录入！"));
            type(d, "LmE_BitthyDisCount", QStringLiteral("80"));

            // A band rate still in its cell editor counts as typed.
            showTab(d, QStringLiteral("折扣"));
            click(d, "cBox_automembertotal");
            auto* grid = get<QTableView>(d, "GridSale");
            typeRow(grid, 0, {QStringLiteral("消费金额下限"), QStringLiteral("消费金额上限")}, {"0", "500"});
            grid->setCurrentIndex(grid->model()->index(0, column(grid, QStringLiteral("折扣率"))));
            QTest::keyClick(grid, Qt::Key_F2);
            enter(QApplication::focusWidget(), QStringLiteral("120"));
            QVERIFY(confirmByShortcut(d));
            QCOMPARE(flow->boxes().last().text, QStringLiteral("第1行折扣大于100，不能保存！"));
            QCOMPARE(cell(grid, 0, QStringLiteral("折扣率")), QStringLiteral("120"));
            QCOMPARE(DbProbe::count(dmClient(), QStringLiteral("viptype")), 0);

            typeCell(grid, 0, QStringLiteral("折扣率"), QStringLiteral("95"));
            QVERIFY(confirmByShortcut(d));
            QVERIFY(!d.isVisible());
        });
        QCOMPARE(stored(QStringLiteral("折扣卡"),
                        {"Discount", "automembertotal", "vipdayDisCount", "BirthdyDisCount"}),
                 QStringLiteral("0|1|85|80"));
        QCOMPARE(rules(typeId(QStringLiteral("折扣卡"))),
                 QStringList{QStringLiteral("1:0.00-500.00/95/0.00/0.00/0/")});
    }

    // Other users write too. What the save procedure refuses after the dialog's own
    // checks is told in words, leaves every entry in the open dialog and writes
    // nothing of this save.
    void refusalsAfterTheChecksKeepTheDialogAndWriteNothing() {
        const std::unique_ptr<DataModule> other = flow->db().openAnother();
        const QString gold = QStringLiteral("金卡");
        const QString firstBand = QStringLiteral("第1行消费金额下限不是从0开始的，是否继续？");
        // The name is taken by another user between the dialog's name check and its save.
        open(0, [&](QDialog& d) {
            type(d, "reName", gold);
            QTest::keyClick(get<QComboBox>(d, "cmoVipMode"), Qt::Key_Down);
            click(d, "cBox_automembertotal");
            typeRow(
                get<QTableView>(d, "GridSale"), 0,
                {QStringLiteral("消费金额下限"), QStringLiteral("消费金额上限"), QStringLiteral("折扣率")},
                {"10", "100", "90"});
            type(d, "edtbuyTotal", QStringLiteral("10"));
            type(d, "edtInteger", QStringLiteral("1"));
            {
                const Meanwhile takesTheName(flow->boxes(), firstBand,
                                             [&] { VipCardTypeStore(*other).Save(plain(gold)); });
                flow->boxes().setNextAnswer(IDYES);
                QCOMPARE(press(d), QStringLiteral("已经存在金卡的会员卡类型,不能增加重复名称的会员卡类型。"));
            }
            QVERIFY(d.isVisible());
            QCOMPARE(d.focusWidget(), get<QLineEdit>(d, "reName"));
            QCOMPARE(DbProbe::count(dmClient(), QStringLiteral("viptype")), 1);
            QCOMPARE(
                DbProbe::count(dmClient(), QStringLiteral("vipAutoDiscount"), QStringLiteral("DisType = 1")),
                0);
            // Leaving asks; No keeps the dialog.
            flow->boxes().setNextAnswer(IDNO);
            QCOMPARE(press(d, "btnExit"), QStringLiteral("退出将不保存数据的修改，确认退出吗?"));
            QVERIFY(d.isVisible());
            type(d, "reName", QStringLiteral("银卡"));
            flow->boxes().setNextAnswer(IDYES);
            QCOMPARE(press(d), firstBand);
            QVERIFY(!d.isVisible());
        });
        QCOMPARE(rules(typeId(QStringLiteral("银卡"))),
                 (QStringList{QStringLiteral("1:10.00-100.00/90/0.00/0.00/0/"),
                              QStringLiteral("4:0.00-0.00/0/10.00/1.00/0/单次消费积分")}));

        // Saved by another user after this dialog read it: this dialog's copy is stale.
        const int id = typeId(gold);
        const auto comment = [&] {
            return dmClient().OpenSQLAsStr(QStringLiteral("SELECT Comment FROM viptype WHERE CTypeId = ?"),
                                           {id});
        };
        open(id, [&](QDialog& d) {
            VipCardTypeSettings theirs = plain(gold, id);
            theirs.comment = QStringLiteral("别人改的");
            VipCardTypeStore(*other).Save(theirs);
            type(d, "reComment", QStringLiteral("我改的"));
            click(d, "cBoxAutoIntegral");
            // No page left to show: the dialog gives up the page area.
            QVERIFY(visibleTabs(d).isEmpty());
            QVERIFY(d.height() < 600);
            QCOMPARE(press(d), QStringLiteral("该会员卡类型已被其他用户修改，请关闭后重新打开再修改。"));
            QVERIFY(d.isVisible());
            QCOMPARE(get<QLineEdit>(d, "reComment")->text(), QStringLiteral("我改的"));
            QCOMPARE(comment(), QStringLiteral("别人改的"));
            QCOMPARE(stored(gold, {"AutoIntegral"}), QStringLiteral("1"));
            flow->boxes().setNextAnswer(IDYES);
            press(d, "btnExit");
        });
        // Re-opened, it shows the other user's save and saves over it.
        open(id, [&](QDialog& d) {
            QCOMPARE(get<QLineEdit>(d, "reComment")->text(), QStringLiteral("别人改的"));
            type(d, "reComment", QStringLiteral("我改的"));
            QCOMPARE(press(d), QString());
        });
        QCOMPARE(comment(), QStringLiteral("我改的"));

        // Deleted by another user while it was open.
        open(id, [&](QDialog& d) {
            QCOMPARE(VipCardTypeStore(*other).Delete(id), 0);
            type(d, "reComment", QStringLiteral("改过"));
            QCOMPARE(press(d), QStringLiteral("该会员卡类型已被其他用户删除，不能保存。"));
            QVERIFY(d.isVisible());
            // Esc asks as Exit does; Yes leaves with nothing saved.
            flow->boxes().setNextAnswer(IDYES);
            QTest::keyClick(&d, Qt::Key_Escape);
        });
        QCOMPARE(comment(), QStringLiteral("我改的"));
    }

    // The server ends the connection in the middle of the save, after the type's row
    // was rewritten and before its rules were: one box, the dialog open with what
    // was typed, nothing of the save kept; confirming again saves on a new connection.
    void aConnectionLostInTheMiddleOfTheSaveLosesNothing() {
        if (!flow->db().isPostgres())
            QSKIP("ending a connection from the server is PostgreSQL's");
        VipCardTypeSettings before = plain(QStringLiteral("金卡"));
        before.comment = QStringLiteral("原来的");
        const int id = VipCardTypeStore().Save(before);
        const QStringList rulesBefore = rules(id);
        const auto state = [&] {
            return stored(QStringLiteral("金卡"), {"Comment", "MD"}) + QLatin1Char('|') +
                   rules(id).join(QLatin1Char(';'));
        };
        const QString stateBefore = state();
        open(id, [&](QDialog& d) {
            type(d, "reComment", QStringLiteral("断线前输入"));
            click(d, "rbTimesIntegral");
            type(d, "edtbuyTotal", QStringLiteral("50"));
            type(d, "edtInteger", QStringLiteral("3"));
            const int backend = scalar(QStringLiteral("SELECT pg_backend_pid()"));
            std::promise<void> holding;
            bool told = false;
            bool ended = false;
            QString failed;
            // Another session holds the stamp counter, so the save stops there; once it
            // waits, that session ends the dialog's connection and lets go.
            std::thread server([&] {
                try {
                    const std::unique_ptr<DataModule> admin = flow->db().openAnother();
                    Transaction hold(*admin);
                    admin->OpenSQLAsInt(
                        QStringLiteral("SELECT MD FROM VipTypeStamp WHERE id = 1 FOR UPDATE"));
                    holding.set_value();
                    told = true;
                    for (int poll = 0; poll < 1000000 && !ended; ++poll) {
                        if (admin->OpenSQLAsInt(
                                QStringLiteral("SELECT COUNT(*) FROM pg_locks WHERE pid = ? AND NOT granted"),
                                {backend}) > 0)
                            ended = admin->OpenSQLAsInt(
                                        QStringLiteral(
                                            "SELECT CASE WHEN pg_terminate_backend(?) THEN 1 ELSE 0 END"),
                                        {backend}) == 1;
                    }
                } catch (const DbError& e) {
                    failed = e.message();
                    if (!told)
                        holding.set_value();
                }
            });
            holding.get_future().wait();
            const qsizetype shown = flow->boxes().shown().size();
            click(d, "btnOK");
            server.join();
            QVERIFY2(ended, qPrintable(failed));
            QCOMPARE(flow->boxes().shown().size(), shown + 1);
            QCOMPARE(flow->boxes().last().caption, QStringLiteral("错误"));
            QVERIFY2(!flow->boxes().last().text.contains(QLatin1String("UPDATE")),
                     qPrintable(flow->boxes().last().text));
            QVERIFY(d.isVisible());
            QCOMPARE(get<QLineEdit>(d, "reComment")->text(), QStringLiteral("断线前输入"));
            QCOMPARE(state(), stateBefore);
            QCOMPARE(press(d), QString());
            QVERIFY(!d.isVisible());
        });
        QCOMPARE(stored(QStringLiteral("金卡"), {"Comment", "TimesIntegral"}),
                 QStringLiteral("断线前输入|1"));
        QCOMPARE(rules(id), QStringList{QStringLiteral("5:0.00-0.00/0/50.00/3.00/0/消费次数积分")});
        QVERIFY(rules(id) != rulesBefore);
    }
};

QTEST_MAIN(VipCardTypeSetfrmTest)
#include "tst_VipCardTypeSetfrm.moc"
