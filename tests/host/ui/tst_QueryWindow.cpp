#include "host/db/queries/ListQueryRegistry.h"
#include "host/sdk/DataModule.h"
#include "host/sdk/DbError.h"
#include "host/sdk/Transaction.h"
#include "host/sdk/ui/TBaseCondition.h"
#include "host/sdk/ui/TCommBaseQuery.h"
#include "host/sdk/ui/TQueryGrid.h"
#include "tests/host/ui/CardRows.h"
#include "tests/support/ScriptedMessages.h"
#include "tests/support/TestDatabase.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDateEdit>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace {

constexpr int CardListNo = 90001;
constexpr int CardSearchNo = 90002;

const ListQueryRegistration cardList(
    CardListNo,
    QStringLiteral("SELECT id, CardNo, Name, Tel, CardType, ljIntegral, Cz, BulidDate, IsLife, Lose, "
                   "StopUse FROM vipcard WHERE deleted = 0 AND (@CardType = 0 OR CardType = @CardType) "
                   "ORDER BY id"));
// An "@" inside a literal or a comment is text; only @Name and @TelPrefix are bound.
const ListQueryRegistration
    cardSearch(CardSearchNo,
               QStringLiteral("SELECT id, CardNo, Name FROM vipcard -- filled by @Nobody\n"
                              "WHERE deleted = 0 AND (Name = @Name OR Tel LIKE @TelPrefix) /* @Nobody */ "
                              "AND Name <> '@Name' AND Name <> 'it''s @Name' ORDER BY CardNo"));

const QColor Fuchsia = WindowsColor(0xFF00FF);
const QColor Blue = WindowsColor(0xFF0000);
const QColor Red = WindowsColor(0x0000FF);

// The member list as a module writes one: declared columns, a hidden column, row
// colours by card state (later rules win), all rows loaded.
class CardListWindow final : public TCommBaseQuery {
public:
    explicit CardListWindow(QWidget* parent = nullptr)
        : TCommBaseQuery(parent, CardListNo) {
        SetLoadAllRecord(true);
    }
    int rowChanges = 0;

protected:
    void SetGrid() override {
        AddGridColumn(QStringLiteral("SelName"), QStringLiteral("选择"), 40);
        AddGridColumn(QStringLiteral("CardNo"), QStringLiteral("卡号"), 90);
        AddGridColumn(QStringLiteral("Name"), QStringLiteral("持卡人"), 90);
        AddGridColumn(QStringLiteral("Tel"), QStringLiteral("电话"), 100);
        AddGridColumn(QStringLiteral("ljIntegral"), QStringLiteral("积分"), 70);
        AddGridColumn(QStringLiteral("Cz"), QStringLiteral("储值余额"), 80, true, GridColumn::Money);
        AddGridColumn(QStringLiteral("BulidDate"), QStringLiteral("发卡日期"), 90, true, GridColumn::Date);
        AddGridColumn(QStringLiteral("Lose"), QStringLiteral("挂失"), 40, false);
    }
    void MainGridAfterDrawCell(int row, const QString&, CellStyle& style) override {
        if (GDataVar(QStringLiteral("IsLife"), row).toInt() == 0)
            style.font = Fuchsia;
        if (GDataVar(QStringLiteral("Lose"), row).toInt() == 1)
            style.font = Blue;
        if (GDataVar(QStringLiteral("StopUse"), row).toInt() == 1)
            style.font = Red;
    }
    void AfterRowChanged() override { ++rowChanges; }
};

// A window whose grid menu acts on the current row and whose row styling reads a
// field the query does not return.
class CardMenuWindow final : public TBaseQuery {
public:
    CardMenuWindow() {
        SetModelId(CardListNo);
        auto* all = new QCheckBox(QStringLiteral("选择全部[A]"), GetTopPanel());
        all->setGeometry(10, 9, 200, 20);
    }
    QStringList recorded;

protected:
    void OnIniButton() override {
        AddButtonAndGetAction(QStringLiteral("挂失[&L]"), [this] { onLose(); });
    }
    void SetGrid() override {
        AddGridColumn(QStringLiteral("CardNo"), QStringLiteral("卡号"), 90);
        AddGridColumn(QStringLiteral("Name"), QStringLiteral("持卡人"), 90);
        AddGridMenu(QStringLiteral("消费记录[&Y]"),
                    [this] { recorded.append(GData(QStringLiteral("CardNo"))); });
        AddGridMenu(QStringLiteral("-"));
        AddGridMenu(QStringLiteral("积分明细[&M]"), [this] { onLose(); });
    }
    void MainGridAfterDrawCell(int row, const QString&, CellStyle& style) override {
        if (GDataVar(QStringLiteral("NoSuchColumn"), row).toInt() == 1)
            style.font = Red;
    }

private:
    // Writes, then fails on a column that does not exist.
    void onLose() {
        Transaction transaction(dmClient());
        dmClient().ExecuteSQL(QStringLiteral("UPDATE vipcard SET Lose = 1 WHERE id = ?"),
                              {GDataVar(QStringLiteral("id"))});
        dmClient().ExecuteSQL(QStringLiteral("UPDATE vipcard SET NoSuchColumn = 1 WHERE id = ?"),
                              {GDataVar(QStringLiteral("id"))});
        transaction.Commit();
    }
};

// A search window with a condition panel whose text goes straight into the query.
class CardSearchCondition final : public TBaseCondition {
public:
    void IniCondition() override {
        AddControl(QStringLiteral("@Name"), QStringLiteral("持卡人"), new QLineEdit);
        CreateBtn(QStringLiteral("查询[Q]"), [this] { onSearch(); });
    }
    std::function<void()> onSearch;
};

class CardSearchWindow final : public TBaseQuery {
protected:
    TBaseCondition* QueryCase() override {
        auto* condition = new CardSearchCondition;
        condition->onSearch = [this] { RefreshData(); };
        return condition;
    }
};

int columnOf(TBaseQuery& window, const QString& field) {
    return window.GetMainGrid()->GridModel()->ColumnOf(field);
}

QPoint headerPoint(TQueryGrid* grid, int column) {
    return QPoint(grid->horizontalHeader()->sectionViewportPosition(column) + 5,
                  grid->horizontalHeader()->height() / 2);
}

void clickHeader(TQueryGrid* grid, int column) {
    QTest::mouseClick(grid->horizontalHeader()->viewport(), Qt::LeftButton, Qt::NoModifier,
                      headerPoint(grid, column));
}

// QTest clicks go straight to the widget, past the window that turns a right click
// into a context-menu request; send the request as the window would.
void rightClickHeader(TQueryGrid* grid, int column) {
    QWidget* viewport = grid->horizontalHeader()->viewport();
    QContextMenuEvent request(QContextMenuEvent::Mouse, headerPoint(grid, column),
                              viewport->mapToGlobal(headerPoint(grid, column)));
    QApplication::sendEvent(viewport, &request);
}

void clickCell(TQueryGrid* grid, int row, int column, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    grid->scrollTo(grid->model()->index(row, column));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, modifiers,
                      grid->visualRect(grid->model()->index(row, column)).center());
}

QColor fontOf(TQueryGrid* grid, int row) {
    return grid->model()->index(row, 1).data(Qt::ForegroundRole).value<QColor>();
}

QList<int> firstPoints(TBaseQuery& window, int count) {
    QList<int> points;
    for (int row = 0; row < count; ++row)
        points.append(window.GDataVar(QStringLiteral("ljIntegral"), row).toInt());
    return points;
}

QList<int> pointsFromDatabase(const QString& order, int count) {
    ClientDataSet rows;
    dmClient().OpenSQL(QStringLiteral("SELECT ljIntegral FROM vipcard ORDER BY ljIntegral %1 LIMIT %2")
                           .arg(order)
                           .arg(count),
                       rows);
    QList<int> points;
    for (rows.First(); !rows.Eof(); rows.Next())
        points.append(rows.FieldByName(QStringLiteral("ljIntegral")).AsInteger());
    return points;
}

} // namespace

class QueryWindowTest : public QObject {
    Q_OBJECT

private slots:
    void largeListOpensSortsAndSelects() {
        TestDatabase db;
        seedCards(db.data(), 100000);
        CardListWindow window;
        window.Params().Add(QStringLiteral("@CardType"), 0);
        window.Open();
        window.resize(900, 600);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        TQueryGrid* grid = window.GetMainGrid();
        QCOMPARE(window.RowCount(), 100000);
        // One view over one model: a handful of scroll bars and headers, no widget per cell.
        QCOMPARE(grid->model(), grid->GridModel());
        QVERIFY2(grid->findChildren<QWidget*>().size() < 40,
                 qPrintable(QString::number(grid->findChildren<QWidget*>().size())));
        QVERIFY(!grid->indexWidget(grid->model()->index(0, 1)));
        QCOMPARE(window.GDataVar(QStringLiteral("Cz"), 0).toLongLong(), 10000);
        QCOMPARE(Money::fromText(window.GData(QStringLiteral("Cz"), 0)), Money::fromUnits(1));
        QCOMPARE(window.GData(QStringLiteral("IsLife"), 4), QStringLiteral("0"));
        QCOMPARE(grid->model()->index(0, columnOf(window, QStringLiteral("Cz"))).data().toString(),
                 QStringLiteral("1.00"));
        QCOMPARE(grid->model()->index(0, columnOf(window, QStringLiteral("BulidDate"))).data().toString(),
                 QStringLiteral("2026-01-02"));

        // The current card stays current through sorting.
        clickCell(grid, 10, 1);
        const QString current = window.GData(QStringLiteral("CardNo"));
        QCOMPARE(current, QStringLiteral("C000011"));
        const int points = columnOf(window, QStringLiteral("ljIntegral"));
        clickHeader(grid, points);
        QCOMPARE(firstPoints(window, 5), pointsFromDatabase(QStringLiteral("ASC"), 5));
        QCOMPARE(window.GData(QStringLiteral("CardNo")), current);
        QVERIFY(window.CurrentRow() != 10);
        clickHeader(grid, points);
        QCOMPARE(firstPoints(window, 5), pointsFromDatabase(QStringLiteral("DESC"), 5));
        QCOMPARE(window.GData(QStringLiteral("CardNo")), current);
        clickHeader(grid, columnOf(window, QStringLiteral("CardNo")));
        clickHeader(grid, columnOf(window, QStringLiteral("CardNo")));
        QCOMPARE(window.GData(QStringLiteral("CardNo"), 0), QStringLiteral("C100000"));
        QCOMPARE(window.GData(QStringLiteral("CardNo"), 99999), QStringLiteral("C000001"));

        // Click and shift-click select a run; Ctrl+A selects all.
        clickCell(grid, 3, 1);
        clickCell(grid, 7, 1, Qt::ShiftModifier);
        QCOMPARE(grid->SelectedRows(), (QList<int>{3, 4, 5, 6, 7}));
        QCOMPARE(window.GData(QStringLiteral("CardNo"), grid->SelectedRows().first()),
                 QStringLiteral("C099997"));
        QTest::keyClick(grid, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(grid->SelectedRows().size(), 100000);

        // Marks: all, then one cleared by a click in the mark column.
        TQueryGridModel* model = grid->GridModel();
        model->MarkAll(true);
        QCOMPARE(model->MarkedCount(), 100000);
        clickCell(grid, 2, columnOf(window, QStringLiteral("SelName")));
        QVERIFY(!model->IsMarked(2));
        QCOMPARE(model->MarkedCount(), 99999);
        QCOMPARE(window.GData(QStringLiteral("SelName"), 1), QStringLiteral("√"));
        QCOMPARE(window.GData(QStringLiteral("SelName"), 2), QString());
    }

    void rowsKeepColoursMarksAndValuesThroughSorting() {
        TestDatabase db;
        seedCards(db.data(), 300);
        CardListWindow window;
        window.Params().Add(QStringLiteral("@CardType"), 1);
        window.Open();
        QAbstractItemModelTester tester(window.GetMainGrid()->GridModel(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        window.resize(900, 600);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        TQueryGrid* grid = window.GetMainGrid();
        TQueryGridModel* model = grid->GridModel();
        // Card type 1 is every odd card: the parameter reached the query.
        QCOMPARE(window.RowCount(), 150);
        const auto rowOf = [&](const QString& cardNo) {
            for (int row = 0; row < window.RowCount(); ++row) {
                if (window.GData(QStringLiteral("CardNo"), row) == cardNo)
                    return row;
            }
            return -1;
        };
        // Card 5: not activated; 13: lost; 85: not activated and stopped; 221: lost and stopped.
        QCOMPARE(fontOf(grid, rowOf(QStringLiteral("C000005"))), Fuchsia);
        QCOMPARE(fontOf(grid, rowOf(QStringLiteral("C000013"))), Blue);
        QCOMPARE(fontOf(grid, rowOf(QStringLiteral("C000085"))), Red);
        QCOMPARE(fontOf(grid, rowOf(QStringLiteral("C000221"))), Red);
        QVERIFY(
            !grid->model()->index(rowOf(QStringLiteral("C000001")), 1).data(Qt::ForegroundRole).isValid());

        // After sorting, colours, marks and written values follow their cards.
        model->SetMarked(rowOf(QStringLiteral("C000013")), true);
        window.SData(QStringLiteral("Name"), QStringLiteral("改过的名字"), rowOf(QStringLiteral("C000221")));
        clickHeader(grid, columnOf(window, QStringLiteral("ljIntegral")));
        QCOMPARE(fontOf(grid, rowOf(QStringLiteral("C000013"))), Blue);
        QCOMPARE(fontOf(grid, rowOf(QStringLiteral("C000221"))), Red);
        QCOMPARE(model->MarkedRows(), QList<int>{rowOf(QStringLiteral("C000013"))});
        QCOMPARE(window.GData(QStringLiteral("Name"), rowOf(QStringLiteral("C000221"))),
                 QStringLiteral("改过的名字"));

        // A state change in the data shows once the grid is drawn again.
        const int first = rowOf(QStringLiteral("C000001"));
        window.SData(QStringLiteral("StopUse"), 1, first);
        window.refreshGrid();
        QCOMPARE(fontOf(grid, first), Red);

        // Columns: declared hidden, hidden by the window, hidden by the user's header
        // menu; each choice survives a reload, as do the sort and the row count.
        QVERIFY(!grid->IsColumnVisible(QStringLiteral("Lose")));
        window.ModifGridColumnVisible(QStringLiteral("Lose"), true);
        window.ModifGridColumnVisible(QStringLiteral("BulidDate"), false);
        rightClickHeader(grid, columnOf(window, QStringLiteral("Tel")));
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu);
        QAction* telItem = nullptr;
        for (QAction* item : menu->actions()) {
            if (item->text() == QStringLiteral("电话"))
                telItem = item;
        }
        QVERIFY(telItem && telItem->isChecked());
        QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier, menu->actionGeometry(telItem).center());
        QVERIFY(!grid->IsColumnVisible(QStringLiteral("Tel")));
        const int changesBefore = window.rowChanges;
        const QList<int> sortedPoints = firstPoints(window, 3);
        db.data().ExecuteSQL(QStringLiteral("UPDATE vipcard SET deleted = 1 WHERE CardNo = 'C000003'"));
        window.RefreshData();
        QCOMPARE(window.RowCount(), 149);
        QVERIFY(grid->IsColumnVisible(QStringLiteral("Lose")));
        QVERIFY(!grid->IsColumnVisible(QStringLiteral("BulidDate")));
        QVERIFY(!grid->IsColumnVisible(QStringLiteral("Tel")));
        QCOMPARE(firstPoints(window, 3), sortedPoints);
        // A reload tells the window once about the row it ends on, not for every row.
        QCOMPARE(window.rowChanges, changesBefore + 1);
        // The reload dropped what was only in memory.
        QCOMPARE(model->MarkedCount(), 0);
        QCOMPARE(fontOf(grid, rowOf(QStringLiteral("C000001"))), QColor());
    }

    void listQueryBindsHostileTextAsData() {
        TestDatabase db;
        const QString hostile = QStringLiteral("'; drop table vipcard; --");
        seedCards(db.data(), 6,
                  {QStringLiteral("O'Brien"), hostile, QStringLiteral("@Name"), QStringLiteral("张三"),
                   QStringLiteral("x' OR '1'='1"), QStringLiteral("李四")});
        ScriptedMessages boxes;
        CardSearchWindow window;
        window.SetModelId(CardSearchNo);
        window.Params().Add(QStringLiteral("@TelPrefix"), QStringLiteral("no such phone%"));
        window.Open();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.RowCount(), 0);

        auto* name = qobject_cast<QLineEdit*>(window.GetCondition()->GetControl(QStringLiteral("Name")));
        QVERIFY(name);
        auto* search = window.GetCondition()->findChild<QPushButton*>();
        const auto searchFor = [&](const QString& text) {
            name->setText(text);
            QTest::mouseClick(search, Qt::LeftButton);
            QStringList found;
            for (int row = 0; row < window.RowCount(); ++row)
                found.append(window.GData(QStringLiteral("CardNo"), row));
            return found;
        };
        QCOMPARE(searchFor(hostile), QStringList{QStringLiteral("C000002")});
        QCOMPARE(searchFor(QStringLiteral("O'Brien")), QStringList{QStringLiteral("C000001")});
        QCOMPARE(searchFor(QStringLiteral("x' OR '1'='1")), QStringList{QStringLiteral("C000005")});
        // The literal '@Name' in the query stays text: the card named "@Name" is excluded.
        QCOMPARE(searchFor(QStringLiteral("@Name")), QStringList());
        QCOMPARE(searchFor(QStringLiteral("张三")), QStringList{QStringLiteral("C000004")});
        // The caller's prefix and the panel's name are both bound.
        window.Params().Add(QStringLiteral("@TelPrefix"), QStringLiteral("13900000006"));
        QCOMPARE(searchFor(QStringLiteral("O'Brien")),
                 (QStringList{QStringLiteral("C000001"), QStringLiteral("C000006")}));
        QCOMPARE(boxes.shown().size(), 0);
        QCOMPARE(db.data().OpenSQLAsInt(QStringLiteral("SELECT COUNT(*) FROM vipcard")), 6);

        // A query parameter nobody filled is an error box, and the window stays.
        window.Params().Remove(QStringLiteral("@TelPrefix"));
        searchFor(QStringLiteral("李四"));
        QCOMPARE(boxes.shown().size(), 1);
        QCOMPARE(boxes.last().caption, QStringLiteral("错误"));
        QVERIFY(boxes.last().text.contains(QStringLiteral("@TelPrefix")));
        QVERIFY(window.isVisible());

        // A hidden condition hides its caption with it.
        auto* caption = qobject_cast<QLabel*>(window.GetCondition()->findChild<QLabel*>());
        QVERIFY(caption && caption->isVisible());
        window.ModifConditionVisible(QStringLiteral("@Name"), false);
        QVERIFY(!name->isVisible());
        QVERIFY(!caption->isVisible());
    }

    void gridMenuAndButtonsRunGuarded() {
        TestDatabase db;
        seedCards(db.data(), 20);
        ScriptedMessages boxes;
        CardMenuWindow window;
        window.Params().Add(QStringLiteral("@CardType"), 0);
        window.SetHelpItem(QStringLiteral("会员卡列表"));
        window.Open();
        window.resize(600, 400);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        TQueryGrid* grid = window.GetMainGrid();

        // The styler fails on every cell; the user hears of it once and the grid works on.
        QTRY_COMPARE(boxes.shown().size(), 1);
        QTest::qWait(50);
        QCOMPARE(boxes.shown().size(), 1);
        QVERIFY(boxes.last().text.contains(QStringLiteral("NoSuchColumn")));
        QCOMPARE(grid->model()->index(0, 0).data(Qt::ForegroundRole), QVariant());

        // Buttons first, then menu items, in the order they were added.
        QStringList captions;
        for (QAction* action : window.GetActions())
            captions.append(action->text());
        QCOMPARE(captions, (QStringList{QStringLiteral("挂失[&L]"), QStringLiteral("消费记录[&Y]"),
                                        QStringLiteral("-"), QStringLiteral("积分明细[&M]")}));
        QVERIFY(window.GetAction(QStringLiteral("-"))->isSeparator());

        // The check box placed above the grid has its room there.
        auto* all = window.GetTopPanel()->findChild<QCheckBox*>();
        QVERIFY(all->isVisible());
        QVERIFY(all->mapTo(&window, QPoint(0, all->height())).y() <= grid->mapTo(&window, QPoint(0, 0)).y());

        grid->SetCurrentRow(4);
        QContextMenuEvent request(QContextMenuEvent::Mouse, QPoint(20, 20),
                                  grid->viewport()->mapToGlobal(QPoint(20, 20)));
        QApplication::sendEvent(grid->viewport(), &request);
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu);
        QCOMPARE(menu->actions().size(), 3);
        QAction* records = window.GetAction(QStringLiteral("消费记录[&Y]"));
        QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier, menu->actionGeometry(records).center());
        QCOMPARE(window.recorded, QStringList{QStringLiteral("C000005")});

        // A failing write from a button or a menu item: one box each, nothing half done.
        QTest::keyClick(grid, Qt::Key_L, Qt::AltModifier);
        QCOMPARE(boxes.shown().size(), 2);
        QCOMPARE(boxes.last().caption, QStringLiteral("错误"));
        window.GetAction(QStringLiteral("积分明细[&M]"))->trigger();
        QCOMPARE(boxes.shown().size(), 3);
        QCOMPARE(db.data().OpenSQLAsInt(QStringLiteral("SELECT COUNT(*) FROM vipcard WHERE Lose = 1")), 1);
        QVERIFY(window.isVisible());

        QSignalSpy help(&window, &TBaseQuery::helpRequested);
        QTest::keyClick(grid, Qt::Key_F1);
        QCOMPARE(help.size(), 1);
        QCOMPARE(help.first().first().toString(), QStringLiteral("会员卡列表"));
    }

    void conditionPanelAndRowLimit() {
        TestDatabase db;
        seedCards(db.data(), 40);
        TBaseCondition condition;
        auto* name = new QLineEdit;
        name->setText(QStringLiteral("王五"));
        auto* kind = new QComboBox;
        kind->addItem(QStringLiteral("全部"), 0);
        kind->addItem(QStringLiteral("金卡"), 1);
        kind->setCurrentIndex(1);
        auto* from = new QDateEdit(QDate(2026, 3, 1));
        auto* active = new QCheckBox(QStringLiteral("只看已激活"));
        active->setChecked(true);
        condition.AddControl(QStringLiteral("@Name"), QStringLiteral("持卡人"), name);
        condition.AddControl(QStringLiteral("CardType"), QStringLiteral("卡类型"), kind);
        condition.AddControl(QStringLiteral("@VIPFKDate"), QStringLiteral("发卡日期"), from);
        condition.AddControl(QStringLiteral("@IsLife"), QString(), active);
        const TParamObject params = condition.GetParamList();
        QCOMPARE(params.Count(), 4);
        QCOMPARE(params.At(1).name, QStringLiteral("@CardType"));
        QCOMPARE(params.AsString(QStringLiteral("@Name")), QStringLiteral("王五"));
        QCOMPARE(params.AsInteger(QStringLiteral("@CardType")), 1);
        QCOMPARE(params.Value(QStringLiteral("@VIPFKDate")).toDate(), QDate(2026, 3, 1));
        QCOMPARE(params.AsInteger(QStringLiteral("@IsLife")), 1);
        QCOMPARE(condition.GetControl(QStringLiteral("@VIPFKDate")), from);
        QVERIFY(!condition.GetControl(QStringLiteral("Missing")));
        QVERIFY_THROWS_EXCEPTION(DbError, condition.GetParam(QStringLiteral("Missing")));

        // Two rows per column by default; three after SetMaxRow(3).
        condition.show();
        QVERIFY(QTest::qWaitForWindowExposed(&condition));
        QTRY_VERIFY(from->x() > name->x());
        QCOMPARE(from->y(), name->y());
        condition.SetMaxRow(3);
        QTRY_COMPARE(from->x(), name->x());
        QVERIFY(from->y() > kind->y());
        QVERIFY(active->x() > name->x());

        // A limited load says so under the grid; loading all lifts the limit.
        CardListWindow window;
        window.Params().Add(QStringLiteral("@CardType"), 0);
        window.SetLoadAllRecord(false);
        window.SetRowLimit(25);
        window.Open();
        window.show();
        QCOMPARE(window.RowCount(), 25);
        QCOMPARE(window.GData(QStringLiteral("CardNo"), 24), QStringLiteral("C000025"));
        auto* notice = window.findChild<QLabel*>();
        QVERIFY(notice && notice->isVisible());
        QVERIFY(notice->text().contains(QStringLiteral("25")));
        window.SetLoadAllRecord(true);
        window.RefreshData();
        QCOMPARE(window.RowCount(), 40);
        QVERIFY(!notice->isVisible());
        window.SetLoadAllRecord(false);
        window.SetRowLimit(40);
        window.RefreshData();
        QCOMPARE(window.RowCount(), 40);
        QVERIFY(!notice->isVisible());
    }
};

QTEST_MAIN(QueryWindowTest)
#include "tst_QueryWindow.moc"
