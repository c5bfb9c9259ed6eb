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

// The member list as a module writes one: declared columns, row colours by card
// state (later rules win), all rows loaded.
class CardListWindow final : public TCommBaseQuery {
public:
    explicit CardListWindow(QWidget* parent = nullptr)
        : TCommBaseQuery(parent, CardListNo) {
        SetLoadAllRecord(true);
    }

protected:
    void SetGrid() override {
        AddGridColumn(QStringLiteral("SelName"), QStringLiteral("选择"), 40);
        AddGridColumn(QStringLiteral("CardNo"), QStringLiteral("卡号"), 90);
        AddGridColumn(QStringLiteral("Name"), QStringLiteral("持卡人"), 90);
        AddGridColumn(QStringLiteral("ljIntegral"), QStringLiteral("积分"), 70);
    }
    void MainGridAfterDrawCell(int row, const QString&, CellStyle& style) override {
        if (GDataVar(QStringLiteral("IsLife"), row).toInt() == 0)
            style.font = Fuchsia;
        if (GDataVar(QStringLiteral("Lose"), row).toInt() == 1)
            style.font = Blue;
        if (GDataVar(QStringLiteral("StopUse"), row).toInt() == 1)
            style.font = Red;
    }
};

// A window whose grid menu acts on the current row and whose row styling reads a
// field the query does not return.
class CardMenuWindow final : public TBaseQuery {
public:
    CardMenuWindow() { SetModelId(CardListNo); }
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

        // The current card stays current through sorting.
        clickCell(grid, 10, 1);
        // Card 5: not activated; 13: lost; 85: not activated and stopped; 221: lost and stopped.
        // Colours, marks and written values must follow their cards through sorting.
        const auto rowOf = [&](const QString& cardNo) {
            for (int row = 0; row < window.RowCount(); ++row) {
                if (window.GData(QStringLiteral("CardNo"), row) == cardNo)
                    return row;
            }
            return -1;
        };
        grid->GridModel()->SetMarked(rowOf(QStringLiteral("C000013")), true);
        window.SData(QStringLiteral("Name"), QStringLiteral("改过的名字"), rowOf(QStringLiteral("C000221")));
        const QString current = window.GData(QStringLiteral("CardNo"));
        QCOMPARE(current, QStringLiteral("C000011"));
        const int points = columnOf(window, QStringLiteral("ljIntegral"));
        clickHeader(grid, points);
        QCOMPARE(firstPoints(window, 5), pointsFromDatabase(QStringLiteral("ASC"), 5));
        QCOMPARE(window.GData(QStringLiteral("CardNo")), current);
        QVERIFY(window.CurrentRow() != 10);
        QCOMPARE(fontOf(grid, rowOf(QStringLiteral("C000005"))), Fuchsia);
        QCOMPARE(fontOf(grid, rowOf(QStringLiteral("C000013"))), Blue);
        QCOMPARE(fontOf(grid, rowOf(QStringLiteral("C000085"))), Red);
        QCOMPARE(fontOf(grid, rowOf(QStringLiteral("C000221"))), Red);
        QVERIFY(
            !grid->model()->index(rowOf(QStringLiteral("C000001")), 1).data(Qt::ForegroundRole).isValid());
        QCOMPARE(grid->GridModel()->MarkedRows(), QList<int>{rowOf(QStringLiteral("C000013"))});
        QCOMPARE(window.GData(QStringLiteral("Name"), rowOf(QStringLiteral("C000221"))),
                 QStringLiteral("改过的名字"));
        clickHeader(grid, points);
        QCOMPARE(firstPoints(window, 5), pointsFromDatabase(QStringLiteral("DESC"), 5));
        QCOMPARE(window.GData(QStringLiteral("CardNo")), current);
        clickHeader(grid, columnOf(window, QStringLiteral("CardNo")));
        clickHeader(grid, columnOf(window, QStringLiteral("CardNo")));
        QCOMPARE(window.GData(QStringLiteral("CardNo"), 0), QStringLiteral("C100000"));

        // Click and shift-click select a run; Ctrl+A selects all.
        clickCell(grid, 3, 1);
        clickCell(grid, 7, 1, Qt::ShiftModifier);
        QCOMPARE(grid->SelectedRows(), (QList<int>{3, 4, 5, 6, 7}));
        QCOMPARE(window.GData(QStringLiteral("CardNo"), grid->SelectedRows().first()),
                 QStringLiteral("C099997"));
        QTest::keyClick(grid, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(grid->SelectedRows().size(), 100000);
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
        QCOMPARE(searchFor(QStringLiteral("x' OR '1'='1")), QStringList{QStringLiteral("C000005")});
        // The literal '@Name' in the query stays text: the card named "@Name" is excluded.
        QCOMPARE(searchFor(QStringLiteral("@Name")), QStringList());
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
    }

    void gridMenuAndButtonsRunGuarded() {
        TestDatabase db;
        seedCards(db.data(), 20);
        ScriptedMessages boxes;
        CardMenuWindow window;
        window.Params().Add(QStringLiteral("@CardType"), 0);
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
        QCOMPARE(params.AsString(QStringLiteral("@Name")), QStringLiteral("王五"));
        QCOMPARE(params.AsInteger(QStringLiteral("@CardType")), 1);
        QCOMPARE(params.Value(QStringLiteral("@VIPFKDate")).toDate(), QDate(2026, 3, 1));
        QCOMPARE(params.AsInteger(QStringLiteral("@IsLife")), 1);
        QVERIFY_THROWS_EXCEPTION(DbError, condition.GetParam(QStringLiteral("Missing")));

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
    }
};

QTEST_MAIN(QueryWindowTest)
#include "tst_QueryWindow.moc"
