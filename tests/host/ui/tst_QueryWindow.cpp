#include "host/data/Database.h"
#include "host/data/StoredProcedure.h"
#include "host/db/queries/ListQueryRegistry.h"
#include "host/sdk/DataModule.h"
#include "host/sdk/DbError.h"
#include "host/sdk/MessageBox.h"
#include "host/sdk/ModuleRegistry.h"
#include "host/sdk/Transaction.h"
#include "host/sdk/ui/CallQueryClass.h"
#include "host/sdk/ui/ModalService.h"
#include "host/sdk/ui/PrintService.h"
#include "host/sdk/ui/TBaseCondition.h"
#include "host/sdk/ui/TCommBaseQuery.h"
#include "host/sdk/ui/TQueryGrid.h"
#include "host/ui/PrintEngine.h"
#include "tests/support/FlowFixture.h"
#include "tests/support/ModalDriver.h"
#include "tests/support/ScriptedFiles.h"
#include "tests/support/ScriptedMessages.h"
#include "tests/support/TestDatabase.h"
#include "tests/support/TestRows.h"
#include "tests/support/XlsxReadBack.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDate>
#include <QDateEdit>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QSettings>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int CardListNo = 90001;
constexpr int CardSearchNo = 90002;
constexpr int TypeListNo = 90010;
constexpr int PagedListNo = 90020;

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

// The cards as a list too long to load at once, with the type's name from a join.
const ListQueryRegistration pagedList(
    PagedListNo,
    QStringLiteral(
        "SELECT '' AS SelName, a.id, a.CardNo, a.Name, a.Tel, t.TypeName, a.BulidDate, a.Cz "
        "FROM vipcard a JOIN viptype t ON t.CTypeId = a.CardType WHERE a.deleted = 0 ORDER BY a.CardNo"),
    QStringLiteral("id"));

const ListQueryRegistration
    typeList(TypeListNo, QStringLiteral("SELECT CTypeId, TypeName, Discount FROM viptype "
                                        "WHERE deleted = 0 AND CTypeId <> @viptype ORDER BY CTypeId"));

// The database's side of deleting a card: refuses one with a balance.
int deleteCard(ProcedureContext& call) {
    const int id = call.integer(QStringLiteral("@ID"));
    ClientDataSet rows;
    call.db().select(QStringLiteral("SELECT Cz FROM vipcard WHERE id = ? AND deleted = 0"), {id}, rows);
    if (rows.IsEmpty())
        return -1;
    if (rows.FieldByName(QStringLiteral("Cz")).AsMoney() > Money())
        return -2;
    call.db().execute(QStringLiteral("UPDATE vipcard SET deleted = 1 WHERE id = ?"), {id});
    return 0;
}
const ProcedureRegistration deleteRegistration(QStringLiteral("test_DeleteCard"), deleteCard);

int typeId(const QString& name) {
    return dmClient().OpenSQLAsInt(QStringLiteral("SELECT CTypeId FROM viptype WHERE TypeName = ?"), {name});
}

const QColor Fuchsia = WindowsColor(0xFF00FF);
const QColor Blue = WindowsColor(0xFF0000);
const QColor Red = WindowsColor(0x0000FF);

// The member list as a module writes one: declared columns, row colours by card
// state (later rules win), all rows loaded, a grid menu acting on the current row,
// a loss report that writes, then fails on a column that does not exist, and a
// delete that asks first, calls the database per card, reports a refused card and
// asks whether to go on. Its styler can be made to read a field the query lacks.
class CardListWindow : public TCommBaseQuery {
public:
    explicit CardListWindow(bool brokenStyler = false)
        : TCommBaseQuery(nullptr, CardListNo)
        , m_brokenStyler(brokenStyler) {
        SetLoadAllRecord(true);
        Params().Add(QStringLiteral("@CardType"), 0);
    }
    QStringList recorded;

protected:
    void OnIniButton() override {
        TCommBaseQuery::OnIniButton();
        AddButtonAndGetAction(QStringLiteral("挂失[&L]"), [this] { onLose(); });
        AddButtonAndGetAction(QStringLiteral("删除[&D]"), [this] { onDelete(); });
    }
    void SetGrid() override {
        AddGridColumn(QStringLiteral("SelName"), QStringLiteral("选择"), 40);
        AddGridColumn(QStringLiteral("CardNo"), QStringLiteral("卡号"), 90);
        AddGridColumn(QStringLiteral("Name"), QStringLiteral("持卡人"), 90);
        AddGridColumn(QStringLiteral("ljIntegral"), QStringLiteral("积分"), 70);
        AddGridColumn(QStringLiteral("Cz"), QStringLiteral("储值余额"), 80, true, GridColumn::Money);
        AddGridColumn(QStringLiteral("IsLife"), QStringLiteral("已激活"), 50, true, GridColumn::YesNo);
        AddGridColumn(QStringLiteral("BulidDate"), QStringLiteral("发卡日期"), 90, true, GridColumn::Date);
        AddGridMenu(QStringLiteral("消费记录[&Y]"),
                    [this] { recorded.append(GData(QStringLiteral("CardNo"))); });
        AddGridMenu(QStringLiteral("-"));
        AddGridMenu(QStringLiteral("积分明细[&M]"), [this] { onLose(); });
    }
    void MainGridAfterDrawCell(int row, const QString&, CellStyle& style) override {
        if (m_brokenStyler)
            GDataVar(QStringLiteral("NoSuchColumn"), row);
        if (GDataVar(QStringLiteral("IsLife"), row).toInt() == 0)
            style.font = Fuchsia;
        if (GDataVar(QStringLiteral("Lose"), row).toInt() == 1)
            style.font = Blue;
        if (GDataVar(QStringLiteral("StopUse"), row).toInt() == 1)
            style.font = Red;
    }

private:
    void onLose() {
        Transaction transaction(dmClient());
        dmClient().ExecuteSQL(QStringLiteral("UPDATE vipcard SET Lose = 1 WHERE id = ?"),
                              {GDataVar(QStringLiteral("id"))});
        dmClient().ExecuteSQL(QStringLiteral("UPDATE vipcard SET NoSuchColumn = 1 WHERE id = ?"),
                              {GDataVar(QStringLiteral("id"))});
        transaction.Commit();
    }
    void onDelete() {
        const QList<int> rows = GetMainGrid()->SelectedRows();
        if (!Question(QStringLiteral("确认删除选中的%1张会员卡吗？").arg(rows.size()),
                      QStringLiteral("提示?")))
            return;
        for (int i = 0; i < rows.size(); ++i) {
            const int result =
                dmClient().ExecuteProcByName(QStringLiteral("test_DeleteCard"), {QStringLiteral("@ID")},
                                             {GDataVar(QStringLiteral("id"), rows[i])});
            if (result >= 0)
                continue;
            ShowError(QStringLiteral("会员卡%1已经有期初储值或者储值余额, 不能删除。")
                          .arg(GData(QStringLiteral("CardNo"), rows[i])));
            if (i + 1 < rows.size() && !Question(QStringLiteral("是否继续？")))
                break;
        }
        RefreshData();
    }
    bool m_brokenStyler;
};

// Another window class over the same cards: it keeps a layout of its own.
class OtherCardListWindow final : public CardListWindow {};

// Asks for a card's name as the module's small editors do; empty when cancelled.
QString askName(const QString& name) {
    QDialog dialog;
    auto* edit = new QLineEdit(name, &dialog);
    edit->setObjectName(QStringLiteral("name"));
    auto* ok = new QPushButton(QStringLiteral("确定"), &dialog);
    ok->setObjectName(QStringLiteral("ok"));
    QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(edit);
    layout->addWidget(ok);
    return ModalService::current().showModal(dialog) == QDialog::Accepted ? edit->text() : QString();
}

// A member list edited in place: its edit button renames the current card, its add
// button issues a new one; after either save the saved card is the current row.
class CardEditWindow final : public TCommBaseQuery {
public:
    CardEditWindow()
        : TCommBaseQuery(nullptr, CardListNo) {
        SetLoadAllRecord(true);
        Params().Add(QStringLiteral("@CardType"), 0);
    }

protected:
    void OnIniButton() override {
        TCommBaseQuery::OnIniButton();
        AddButtonAndGetAction(QStringLiteral("新增[&N]"), [this] { onAdd(); });
        SetEditAction(AddButtonAndGetAction(QStringLiteral("修改[&E]"), [this] { onEdit(); }));
    }
    void SetGrid() override {
        AddGridColumn(QStringLiteral("CardNo"), QStringLiteral("卡号"), 90);
        AddGridColumn(QStringLiteral("Name"), QStringLiteral("持卡人"), 120);
        AddGridColumn(QStringLiteral("ljIntegral"), QStringLiteral("积分"), 70);
    }

private:
    void onEdit() {
        const QVariant id = GDataVar(QStringLiteral("id"));
        const QString name = askName(GData(QStringLiteral("Name")));
        if (name.isEmpty())
            return;
        Transaction transaction(dmClient());
        dmClient().ExecuteSQL(QStringLiteral("UPDATE vipcard SET Name = ? WHERE id = ?"), {name, id});
        transaction.Commit();
        AfterSave(QStringLiteral("id"), id);
    }
    void onAdd() {
        const QString name = askName(QString());
        if (name.isEmpty())
            return;
        Transaction transaction(dmClient());
        TestRows::Card card;
        card.cardNo = QStringLiteral("C900001");
        card.cardType = typeId(QStringLiteral("金卡"));
        const int id = TestRows::addCard(dmClient(), card);
        dmClient().ExecuteSQL(QStringLiteral("UPDATE vipcard SET Name = ? WHERE id = ?"), {name, id});
        transaction.Commit();
        AfterSave(QStringLiteral("id"), id);
    }
};

// Keeps what the print engine would lay out for each print.
class RecordingPrinter final : public PrintService {
public:
    RecordingPrinter() { PrintService::install(this); }
    ~RecordingPrinter() override { PrintService::install(nullptr); }
    void print(const QString& templateName, const TParamObject& items,
               const QAbstractItemModel* rows) override {
        pages.append(PrintEngine::renderHtml(templateName, items, rows));
    }
    QStringList pages;
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

// A card-type picker as the module's pickers are built.
class TypePicker final : public TCommBaseQuery {
public:
    explicit TypePicker(QWidget* parent)
        : TCommBaseQuery(parent) {
        setWindowTitle(QStringLiteral("卡类型选择"));
    }

protected:
    void OnIniButton() override {
        TCommBaseQuery::OnIniButton();
        AddButtonAndGetAction(QStringLiteral("确定[O]"), [this] { SetModalResult(mrOk); });
        AddButtonAndGetAction(QStringLiteral("退出[X]"), [this] { SetModalResult(mrCancel); });
    }
};

class PagedCardWindow final : public TBaseQuery {
public:
    PagedCardWindow() { SetModelId(PagedListNo); }

protected:
    void SetGrid() override {
        AddGridColumn(QStringLiteral("SelName"), QStringLiteral("选择"), 40);
        AddGridColumn(QStringLiteral("CardNo"), QStringLiteral("卡号"), 90);
        AddGridColumn(QStringLiteral("Name"), QStringLiteral("持卡人"), 90);
        AddGridColumn(QStringLiteral("TypeName"), QStringLiteral("卡类型"), 60);
        AddGridColumn(QStringLiteral("BulidDate"), QStringLiteral("发卡日期"), 80, true, GridColumn::Date);
        AddGridColumn(QStringLiteral("Cz"), QStringLiteral("储值余额"), 80, true, GridColumn::Money);
    }
};

// Waits, with the event loop running, for a paged list's rows or count to arrive.
bool settled(TBaseQuery& window) {
    const TQueryGridModel* model = window.GetMainGrid()->GridModel();
    return QTest::qWaitFor([&] { return !model->IsWaiting() && model->ListedCount() >= 0; }, 20000);
}

QStringList column(TBaseQuery& window, const QString& field) {
    QStringList values;
    for (int row = 0; row < window.RowCount(); ++row)
        values.append(window.GData(field, row));
    return values;
}

QStringList cardNos(const QString& sql, const QVariantList& values = {}) {
    ClientDataSet rows;
    dmClient().OpenSQL(sql, rows, values);
    QStringList numbers;
    for (int row = 0; row < rows.RecordCount(); ++row)
        numbers.append(rows.Value(row, 0).toString());
    return numbers;
}

QList<qint64> markedIds(TBaseQuery& window) {
    QList<qint64> ids;
    window.ForEachMarkedKey(QStringLiteral("id"), 100, [&](const QList<qint64>& chunk) {
        QVERIFY(chunk.size() <= 100);
        ids += chunk;
    });
    return ids;
}

void registerWindows() {
    const auto picker = [](QWidget* parent) -> TBaseQuery* { return new TypePicker(parent); };
    QueryClassFactory& classes = gQueryClassFactory();
    classes.Register({QStringLiteral("TTestTypeSel"), TypeListNo, 0, 0, Subsystem::CardTypes, {}, picker});
    classes.Register({QStringLiteral("TTestNotYet"), TypeListNo, 0, 0, Subsystem::CardTypes});
    classes.Register({QStringLiteral("TTestNoQuery"), 90999, 0, 0, Subsystem::CardTypes, {}, picker});
}

void clickHeader(TQueryGrid* grid, int column) {
    QHeaderView* header = grid->horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(header->sectionViewportPosition(column) + 5, header->height() / 2));
}

void clickCell(TQueryGrid* grid, int row, int column, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    grid->scrollTo(grid->model()->index(row, column));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, modifiers,
                      grid->visualRect(grid->model()->index(row, column)).center());
}

// A double click arrives as a click followed by the double-click event.
void doubleClickRow(TQueryGrid* grid, int row) {
    clickCell(grid, row, 1);
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier,
                       grid->visualRect(grid->model()->index(row, 1)).center());
}

QColor fontOf(TQueryGrid* grid, int row) {
    return grid->model()->index(row, 1).data(Qt::ForegroundRole).value<QColor>();
}

// Whether every row is in order of points, numerically.
bool sortedByPoints(TBaseQuery& window, bool ascending) {
    for (int row = 1; row < window.RowCount(); ++row) {
        const int before = window.GDataVar(QStringLiteral("ljIntegral"), row - 1).toInt();
        const int after = window.GDataVar(QStringLiteral("ljIntegral"), row).toInt();
        if (ascending ? before > after : before < after)
            return false;
    }
    return true;
}

TBaseQuery* windowIn(QDialog& dialog) {
    return dialog.findChild<TBaseQuery*>();
}

QWidget* buttonOf(TBaseQuery* window, const QString& caption) {
    return window->findChild<QToolBar*>()->widgetForAction(window->GetAction(caption));
}

QLineEdit* searchBoxOf(TBaseQuery& window) {
    return window.findChild<QLineEdit*>(QStringLiteral("searchBox"));
}

// Types text key by key as an input method delivers it, Chinese included.
void typeText(QWidget* widget, const QString& text) {
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

// Loads the window and shows it, at 'size' unless it is to find its remembered one.
bool showOpened(TBaseQuery& window, QSize size = {}) {
    window.Open();
    if (size.isValid())
        window.resize(size);
    window.show();
    return QTest::qWaitForWindowActive(&window);
}

QString countOf(TBaseQuery& window) {
    return window.findChild<QLabel*>(QStringLiteral("rowCount"))->text();
}

QString statusOf(TBaseQuery& window) {
    return window.findChild<QStatusBar*>(QStringLiteral("statusLine"))->currentMessage();
}

// Card numbers of the shown rows, top to bottom.
QStringList shownCards(TBaseQuery& window) {
    QStringList cards;
    for (int row = 0; row < window.RowCount(); ++row)
        cards.append(window.GData(QStringLiteral("CardNo"), row));
    return cards;
}

int deletedCards() {
    return dmClient().OpenSQLAsInt(QStringLiteral("SELECT COUNT(*) FROM vipcard WHERE deleted = 1"));
}

} // namespace

class QueryWindowTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_settings;

private slots:
    void initTestCase() {
        registerWindows();
        // The layouts windows remember go to a folder of this run, never to the user's settings.
        QVERIFY(m_settings.isValid());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settings.path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_settings.path());
    }

    // A list registered with a page key reads its rows a page at a time: scrolling
    // reads on, and sort, search, count and marks are the database's, the same rows
    // its own ORDER BY and WHERE give.
    void pagedListReadsAsTheUserScrolls() {
        TestDatabase db;
        TestRows::addCards(db.data(), 450, {QStringLiteral("张100%"), QStringLiteral("O'Neil")});
        db.data().ExecuteSQL(QStringLiteral("UPDATE vipcard SET deleted = 1 WHERE CardNo = 'C000003'"));
        const int pageSize = TQueryGridModel::PageSize;
        PagedCardWindow window;
        QAbstractItemModelTester checker(window.GetMainGrid()->model(),
                                         QAbstractItemModelTester::FailureReportingMode::QtTest);
        // A page in the order of the key, then the count.
        window.Open();
        QCOMPARE(window.RowCount(), pageSize);
        QCOMPARE(window.GData(QStringLiteral("CardNo"), 2), QStringLiteral("C000004"));
        window.resize(700, 400);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QVERIFY(settled(window));
        QCOMPARE(countOf(window), QStringLiteral("共 449 条"));

        TQueryGrid* grid = window.GetMainGrid();
        for (int tries = 0; tries < 10 && window.RowCount() < 449; ++tries) {
            grid->scrollToBottom();
            QVERIFY(settled(window));
        }
        QCOMPARE(column(window, QStringLiteral("CardNo")),
                 cardNos(QStringLiteral("SELECT CardNo FROM vipcard WHERE deleted = 0 ORDER BY id")));

        // A click on a header: the first page in the database's order of that column.
        clickHeader(grid, grid->GridModel()->ColumnOf(QStringLiteral("Name")));
        clickHeader(grid, grid->GridModel()->ColumnOf(QStringLiteral("Name")));
        QVERIFY(settled(window));
        QVERIFY(window.RowCount() < 449);
        QCOMPARE(column(window, QStringLiteral("CardNo")),
                 cardNos(QStringLiteral("SELECT CardNo FROM vipcard WHERE deleted = 0 "
                                        "ORDER BY Name DESC, id DESC LIMIT ?"),
                         {window.RowCount()}));
        QCOMPARE(window.CurrentRow(), 0);

        // The search box: a WHERE over the shown columns, wildcards taken as typed.
        auto* search = window.findChild<QLineEdit*>(QStringLiteral("searchBox"));
        search->setText(QStringLiteral("100%"));
        QVERIFY(settled(window));
        QCOMPARE(column(window, QStringLiteral("Name")), QStringList{QStringLiteral("张100%")});
        QCOMPARE(countOf(window), QStringLiteral("筛选出 1 条"));
        search->setText(QStringLiteral("C0001"));
        QVERIFY(settled(window));
        const QStringList matching =
            cardNos(QStringLiteral("SELECT CardNo FROM vipcard WHERE deleted = 0 AND "
                                   "CardNo LIKE 'C0001%' ORDER BY Name DESC, id DESC"));
        QCOMPARE(column(window, QStringLiteral("CardNo")), matching);
        QCOMPARE(countOf(window), QStringLiteral("筛选出 %1 条").arg(matching.size()));
        search->setText(QStringLiteral("2026-01-05"));
        QVERIFY(settled(window));
        QVERIFY(window.RowCount() > 0);
        QCOMPARE(window.GData(QStringLiteral("BulidDate")), QStringLiteral("2026-01-05"));

        // Mark all under a filter, unmark one: the filter's rows but that one, read or not.
        search->setText(QStringLiteral("C0002"));
        QVERIFY(settled(window));
        grid->GridModel()->MarkAll(true);
        const qint64 unmarked = window.GDataVar(QStringLiteral("id"), 1).toLongLong();
        clickCell(grid, 1, grid->GridModel()->ColumnOf(QStringLiteral("SelName")));
        QCOMPARE(window.GData(QStringLiteral("SelName"), 1), QString());
        QCOMPARE(window.GData(QStringLiteral("SelName"), 0), TQueryGridModel::Mark);
        search->clear();
        QVERIFY(settled(window));
        QList<qint64> ids = markedIds(window);
        QCOMPARE(ids.size(), 99);
        QVERIFY(!ids.contains(unmarked));
        qint64 listed = 0;
        window.ForEachShownKey(QStringLiteral("id"), 100,
                               [&](const QList<qint64>& chunk) { listed += chunk.size(); });
        QCOMPARE(listed, 449);
        // Everything marked, then one row unmarked: every id but that one, in chunks.
        grid->GridModel()->MarkAll(true);
        grid->GridModel()->SetMarked(5, false);
        ids = markedIds(window);
        QCOMPARE(ids.size(), 448);
        QVERIFY(!ids.contains(window.GDataVar(QStringLiteral("id"), 5).toLongLong()));
        QCOMPARE(grid->GridModel()->MarkedCount(), 448);

        // Export writes the whole list in its order, not only the rows read.
        ScriptedFiles files;
        QTemporaryDir folder;
        files.setNextName(folder.filePath(QStringLiteral("cards.csv")));
        QVERIFY(window.RowCount() < 449);
        window.ExportShownRows();
        QFile csv(folder.filePath(QStringLiteral("cards.csv")));
        QVERIFY(csv.open(QIODevice::ReadOnly));
        const QStringList lines =
            QString::fromUtf8(csv.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 450);
        QVERIFY(lines[1].contains(window.GData(QStringLiteral("CardNo"), 0)));
        QCOMPARE(statusOf(window), QStringLiteral("已导出 449 条"));

        // A saved row beyond the pages read is read up to and made current; the marks stay.
        grid->GridModel()->sort(-1);
        QVERIFY(settled(window));
        window.AfterSave(QStringLiteral("CardNo"), QStringLiteral("C000450"));
        QCOMPARE(window.GData(QStringLiteral("CardNo")), QStringLiteral("C000450"));
        QCOMPARE(grid->GridModel()->MarkedCount(), 448);
    }

    void largeListOpensSortsAndSelects() {
        TestDatabase db;
        TestRows::addCards(db.data(), 100000);
        CardListWindow window;
        // A limited load says so under the grid; loading all lifts the limit.
        window.SetLoadAllRecord(false);
        window.SetRowLimit(25);
        // Every load, sort and mark below goes past the model checker as well.
        QAbstractItemModelTester checker(window.GetMainGrid()->model(),
                                         QAbstractItemModelTester::FailureReportingMode::QtTest);
        QVERIFY(showOpened(window, {900, 600}));
        QCOMPARE(window.RowCount(), 25);
        QCOMPARE(window.GData(QStringLiteral("CardNo"), 24), QStringLiteral("C000025"));
        auto* notice = window.findChild<QLabel*>();
        QVERIFY(notice && notice->isVisible());
        QVERIFY(notice->text().contains(QStringLiteral("25")));
        window.SetLoadAllRecord(true);
        window.RefreshData();
        QVERIFY(!notice->isVisible());
        TQueryGrid* grid = window.GetMainGrid();
        QCOMPARE(window.RowCount(), 100000);
        // One view over one model: a handful of scroll bars and headers, no widget per cell.
        QVERIFY2(grid->findChildren<QWidget*>().size() < 40,
                 qPrintable(QString::number(grid->findChildren<QWidget*>().size())));
        QVERIFY(!grid->indexWidget(grid->model()->index(0, 1)));

        // The current card stays current through sorting, and colours, marks and written
        // values follow their cards. Card 5: not activated; 13: lost; 85: not activated
        // and stopped; 221: lost and stopped.
        clickCell(grid, 10, 1);
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
        const int points = grid->GridModel()->ColumnOf(QStringLiteral("ljIntegral"));
        clickHeader(grid, points);
        QVERIFY(sortedByPoints(window, true));
        QCOMPARE(window.GData(QStringLiteral("CardNo")), current);
        QVERIFY(window.CurrentRow() != 10);
        QCOMPARE(fontOf(grid, rowOf(QStringLiteral("C000005"))), Fuchsia);
        QCOMPARE(fontOf(grid, rowOf(QStringLiteral("C000013"))), Blue);
        QCOMPARE(fontOf(grid, rowOf(QStringLiteral("C000085"))), Red);
        // Flags show as boxes, amounts with two decimals on the right, as a back office reads them.
        const auto cell = [&](const QString& cardNo, const QString& field) {
            return grid->model()->index(rowOf(cardNo), grid->GridModel()->ColumnOf(field));
        };
        QCOMPARE(cell(QStringLiteral("C000005"), QStringLiteral("IsLife")).data(Qt::CheckStateRole).toInt(),
                 int(Qt::Unchecked));
        QCOMPARE(cell(QStringLiteral("C000006"), QStringLiteral("IsLife")).data(Qt::CheckStateRole).toInt(),
                 int(Qt::Checked));
        QVERIFY(cell(QStringLiteral("C000006"), QStringLiteral("IsLife")).data().toString().isEmpty());
        QCOMPARE(cell(QStringLiteral("C000006"), QStringLiteral("Cz")).data().toString(),
                 QStringLiteral("6.00"));
        QVERIFY(cell(QStringLiteral("C000006"), QStringLiteral("Cz")).data(Qt::TextAlignmentRole).toInt() &
                Qt::AlignRight);
        QVERIFY(
            !grid->model()->index(rowOf(QStringLiteral("C000001")), 1).data(Qt::ForegroundRole).isValid());
        QCOMPARE(grid->GridModel()->MarkedRows(), QList<int>{rowOf(QStringLiteral("C000013"))});
        QCOMPARE(window.GData(QStringLiteral("Name"), rowOf(QStringLiteral("C000221"))),
                 QStringLiteral("改过的名字"));
        clickHeader(grid, points);
        QVERIFY(sortedByPoints(window, false));
        QCOMPARE(window.GData(QStringLiteral("CardNo")), current);
        const int cardNo = grid->GridModel()->ColumnOf(QStringLiteral("CardNo"));
        clickHeader(grid, cardNo);
        clickHeader(grid, cardNo);
        QCOMPARE(window.GData(QStringLiteral("CardNo"), 0), QStringLiteral("C100000"));

        // Click and shift-click select a run; Ctrl+A selects all.
        clickCell(grid, 3, 1);
        clickCell(grid, 7, 1, Qt::ShiftModifier);
        QCOMPARE(grid->SelectedRows(), (QList<int>{3, 4, 5, 6, 7}));
        QCOMPARE(window.GData(QStringLiteral("CardNo"), grid->SelectedRows().first()),
                 QStringLiteral("C099997"));
        QTest::keyClick(grid, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(grid->SelectedRows().size(), 100000);

        // Typing into the search box narrows the rows to those showing the text in any
        // shown column, ignoring case; the sort (card numbers descending), the marks
        // and the current card stay with it.
        grid->SetCurrentRow(rowOf(QStringLiteral("C000015")));
        QLineEdit* search = searchBoxOf(window);
        QCOMPARE(countOf(window), QStringLiteral("共 100000 条"));
        QTest::keyClicks(search, QStringLiteral("c00001"));
        QStringList tens;
        for (int card = 19; card >= 10; --card)
            tens.append(QStringLiteral("C0000%1").arg(card));
        QCOMPARE(shownCards(window), tens);
        QCOMPARE(countOf(window), QStringLiteral("显示 10 / 共 100000 条"));
        QCOMPARE(window.GData(QStringLiteral("CardNo")), QStringLiteral("C000015"));
        QCOMPARE(grid->GridModel()->MarkedRows(), QList<int>{rowOf(QStringLiteral("C000013"))});
        clickCell(grid, rowOf(QStringLiteral("C000011")),
                  grid->GridModel()->ColumnOf(QStringLiteral("SelName")));
        clickHeader(grid, cardNo);
        std::reverse(tens.begin(), tens.end());
        QCOMPARE(shownCards(window), tens);
        QCOMPARE(window.GData(QStringLiteral("CardNo")), QStringLiteral("C000011"));
        search->selectAll();
        QTest::keyClick(search, Qt::Key_Backspace);
        QCOMPARE(window.RowCount(), 100000);
        QCOMPARE(countOf(window), QStringLiteral("共 100000 条"));
        QCOMPARE(window.GData(QStringLiteral("CardNo")), QStringLiteral("C000011"));
        QCOMPARE(grid->GridModel()->MarkedRows(),
                 (QList<int>{rowOf(QStringLiteral("C000011")), rowOf(QStringLiteral("C000013"))}));

        // Amounts match as the grid shows them; a field the grid does not show (the
        // phone) or a column the user hid never matches.
        search->setText(QStringLiteral("99999.00"));
        QCOMPARE(shownCards(window), QStringList{QStringLiteral("C099999")});
        search->setText(QStringLiteral("13900000006"));
        QCOMPARE(window.RowCount(), 0);
        QCOMPARE(countOf(window), QStringLiteral("显示 0 / 共 100000 条"));
        search->setText(QStringLiteral("会员00000"));
        QCOMPARE(window.RowCount(), 9);
        window.ModifGridColumnVisible(QStringLiteral("Name"), false);
        QCOMPARE(window.RowCount(), 0);
        window.ModifGridColumnVisible(QStringLiteral("Name"), true);
        QCOMPARE(window.RowCount(), 9);
        // A reload keeps the filter.
        window.RefreshData();
        QCOMPARE(window.RowCount(), 9);
        QCOMPARE(countOf(window), QStringLiteral("显示 9 / 共 100000 条"));
    }

    void exportAndPrintGiveWhatIsShown() {
        FlowFixture flow;
        ScriptedFiles files;
        TestRows::addCards(flow.data(), 8,
                           {QStringLiteral("说\"你好\", 再见"), QStringLiteral("第一行\n第二行"),
                            QStringLiteral("逗号,分隔"), QStringLiteral("张三"), QStringLiteral("O'Brien"),
                            QStringLiteral("\"全引号\"")});
        // Card 2's balance rounds up to the cent as shown.
        flow.data().ExecuteSQL(QStringLiteral("UPDATE vipcard SET Cz = ? WHERE CardNo = 'C000002'"),
                               {QVariant::fromValue(Money::fromRaw(23450))});
        CardListWindow window;
        window.setWindowTitle(QStringLiteral("会员列表"));
        QVERIFY(showOpened(window, {900, 500}));
        TQueryGrid* grid = window.GetMainGrid();
        QHeaderView* header = grid->horizontalHeader();

        // Card 2 marked, sorted by points descending, the points hidden, the holder
        // dragged to the front, and only the ticked rows (card 5 is not activated).
        grid->GridModel()->SetMarked(1, true);
        const int points = grid->GridModel()->ColumnOf(QStringLiteral("ljIntegral"));
        clickHeader(grid, points);
        clickHeader(grid, points);
        window.ModifGridColumnVisible(QStringLiteral("ljIntegral"), false);
        header->moveSection(header->visualIndex(grid->GridModel()->ColumnOf(QStringLiteral("Name"))), 0);
        typeText(searchBoxOf(window), QStringLiteral("√"));
        QCOMPARE(window.RowCount(), 7);

        // The user's choice of workbook: typed amounts to the cent, dates, flags in
        // words, a bold header, the grid's widths, only the shown rows and columns.
        QTemporaryDir folder;
        const QString book = folder.filePath(QStringLiteral("会员.xlsx"));
        files.setNextName(book);
        QTest::mouseClick(window.findChild<QToolButton*>(QStringLiteral("exportButton")), Qt::LeftButton);
        QCOMPARE(files.suggested(), QStringList{QStringLiteral("会员列表.xlsx")});
        QCOMPARE(statusOf(window), QStringLiteral("已导出 7 条"));
        const XlsxReadBack sheet(book);
        QVERIFY2(sheet.error.isEmpty(), qPrintable(sheet.error));
        QCOMPARE(sheet.sheetTitle, QStringLiteral("会员列表"));
        QCOMPARE(sheet.rowCount, 8);
        QCOMPARE(sheet.valuesOf(0), (QVariantList{QStringLiteral("持卡人"), QStringLiteral("选择"),
                                                  QStringLiteral("卡号"), QStringLiteral("储值余额"),
                                                  QStringLiteral("已激活"), QStringLiteral("发卡日期")}));
        QVERIFY(sheet.at(0, 0).bold && sheet.at(0, 5).bold && !sheet.at(1, 0).bold);
        QCOMPARE(sheet.valuesOf(1),
                 (QVariantList{QStringLiteral("会员000008"), QVariant(), QStringLiteral("C000008"), 8.0,
                               QStringLiteral("是"), QDate(2026, 1, 9)}));
        QCOMPARE(sheet.valuesOf(6),
                 (QVariantList{QStringLiteral("第一行\n第二行"), QStringLiteral("√"),
                               QStringLiteral("C000002"), 2.35, QStringLiteral("是"), QDate(2026, 1, 3)}));
        QCOMPARE(sheet.at(6, 3).kind, QStringLiteral("number"));
        QCOMPARE(sheet.at(6, 3).format, QStringLiteral("0.00"));
        QCOMPARE(sheet.at(6, 5).kind, QStringLiteral("date"));
        QCOMPARE(sheet.at(6, 2).kind, QStringLiteral("text"));
        // Widths follow the grid: the holder's 90 pixels are some 13 characters.
        QCOMPARE(sheet.widths.size(), 6);
        QVERIFY2(sheet.widths[0] > 12 && sheet.widths[0] < 15 && sheet.widths[1] < sheet.widths[0],
                 qPrintable(QString::number(sheet.widths[0])));

        // The same rows as CSV, by the name's extension: texts as shown, quoted where needed.
        const QString path = folder.filePath(QStringLiteral("会员.csv"));
        files.setNextName(path);
        window.ExportShownRows();
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        // UTF-8 behind a byte-order mark, fields quoted and quotes doubled as RFC 4180 has it.
        QCOMPARE(file.readAll(),
                 "\xEF\xBB\xBF" + QStringLiteral("持卡人,选择,卡号,储值余额,已激活,发卡日期\r\n"
                                                 "会员000008,,C000008,8.00,√,2026-01-09\r\n"
                                                 "会员000007,,C000007,7.00,√,2026-01-08\r\n"
                                                 "\"\"\"全引号\"\"\",,C000006,6.00,√,2026-01-07\r\n"
                                                 "张三,,C000004,4.00,√,2026-01-05\r\n"
                                                 "\"逗号,分隔\",,C000003,3.00,√,2026-01-04\r\n"
                                                 "\"第一行\n第二行\",√,C000002,2.35,√,2026-01-03\r\n"
                                                 "\"说\"\"你好\"\", 再见\",,C000001,1.00,√,2026-01-02\r\n")
                                      .toUtf8());

        // A name without an extension takes the chosen filter's; a cancelled question
        // writes nothing; a folder that does not exist is one error box and no file.
        files.setNextName(folder.filePath(QStringLiteral("第二份")), QStringLiteral("CSV 文件 (*.csv)"));
        window.ExportShownRows();
        QVERIFY(QFile::exists(folder.filePath(QStringLiteral("第二份.csv"))));
        files.setNextName(folder.filePath(QStringLiteral("第三份")));
        window.ExportShownRows();
        QCOMPARE(XlsxReadBack(folder.filePath(QStringLiteral("第三份.xlsx"))).rowCount, 8);
        files.setNextName(QString());
        window.ExportShownRows();
        for (const char* name : {"没有的目录/会员.xlsx", "没有的目录/会员.csv"}) {
            files.setNextName(folder.filePath(QString::fromUtf8(name)));
            QTest::mouseClick(window.findChild<QToolButton*>(QStringLiteral("exportButton")), Qt::LeftButton);
            QCOMPARE(flow.boxes().last().caption, QStringLiteral("错误"));
            QVERIFY(flow.boxes().last().text.contains(QStringLiteral("没有的目录")));
        }
        QCOMPARE(flow.boxes().shown().size(), 2);
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files).size(), 4);

        // Print lays out the same rows and columns; without a print engine it says so.
        QTest::mouseClick(window.findChild<QToolButton*>(QStringLiteral("printButton")), Qt::LeftButton);
        QCOMPARE(flow.boxes().shown().size(), 3);
        QCOMPARE(flow.boxes().last().text, QStringLiteral("没有安装打印服务，不能打印。"));
        RecordingPrinter printer;
        QTest::mouseClick(window.findChild<QToolButton*>(QStringLiteral("printButton")), Qt::LeftButton);
        QCOMPARE(printer.pages.size(), 1);
        const QString& page = printer.pages.first();
        QVERIFY(page.contains(QStringLiteral("会员列表")));
        QVERIFY(page.contains(QStringLiteral("第一行<br>第二行")));
        QVERIFY(page.indexOf(QStringLiteral("<th>持卡人</th><th>选择</th><th>卡号</th>")) >= 0);
        QVERIFY(page.indexOf(QStringLiteral("C000008")) < page.indexOf(QStringLiteral("C000001")));
        QVERIFY(!page.contains(QStringLiteral("C000005")));
        QVERIFY(!page.contains(QStringLiteral("积分")));
        QCOMPARE(files.unsettled(), 0);
        QCOMPARE(flow.unsettled(), 0);
    }

    void layoutIsRememberedPerWindowClass() {
        FlowFixture flow;
        TestRows::addCards(flow.data(), 5);
        const auto columnOf = [](CardListWindow& window, const char* field) {
            return window.GetMainGrid()->GridModel()->ColumnOf(QLatin1String(field));
        };
        {
            CardListWindow window;
            QVERIFY(showOpened(window));
            window.resize(700, 450);
            QHeaderView* header = window.GetMainGrid()->horizontalHeader();
            // The user hides the points from the header's menu, drags the holder to the
            // front and widens the card number; the window itself hides the balance.
            QContextMenuEvent request(QContextMenuEvent::Mouse, QPoint(5, 5),
                                      header->viewport()->mapToGlobal(QPoint(5, 5)));
            QApplication::sendEvent(header->viewport(), &request);
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            QVERIFY(menu);
            for (QAction* toggle : menu->actions()) {
                if (toggle->text() == QStringLiteral("积分"))
                    toggle->trigger();
            }
            menu->close();
            header->moveSection(header->visualIndex(columnOf(window, "Name")), 0);
            header->resizeSection(columnOf(window, "CardNo"), 150);
            window.ModifGridColumnVisible(QStringLiteral("Cz"), false);
            window.RefreshData();
            QVERIFY(header->isSectionHidden(columnOf(window, "ljIntegral")));
            QCOMPARE(header->visualIndex(columnOf(window, "Name")), 0);
            QCOMPARE(header->sectionSize(columnOf(window, "CardNo")), 150);
        }

        CardListWindow again;
        QVERIFY(showOpened(again));
        QHeaderView* header = again.GetMainGrid()->horizontalHeader();
        QCOMPARE(again.size(), QSize(700, 450));
        QVERIFY(header->isSectionHidden(columnOf(again, "ljIntegral")));
        QCOMPARE(header->visualIndex(columnOf(again, "Name")), 0);
        QCOMPARE(header->sectionSize(columnOf(again, "CardNo")), 150);
        QVERIFY(!header->isSectionHidden(columnOf(again, "Cz")));

        OtherCardListWindow other;
        QVERIFY(showOpened(other));
        QHeaderView* otherHeader = other.GetMainGrid()->horizontalHeader();
        QVERIFY(!otherHeader->isSectionHidden(columnOf(other, "ljIntegral")));
        QCOMPARE(otherHeader->visualIndex(columnOf(other, "Name")), columnOf(other, "Name"));
        QCOMPARE(otherHeader->sectionSize(columnOf(other, "CardNo")), 90);
        QCOMPARE(flow.unsettled(), 0);
    }

    void doubleClickEditsAndTheSavedRowIsSelected() {
        FlowFixture flow;
        TestRows::addCards(flow.data(), 30);
        CardEditWindow window;
        QVERIFY(showOpened(window, {700, 500}));
        TQueryGrid* grid = window.GetMainGrid();
        const auto nameOf = [](const QString& cardNo) {
            return dmClient().OpenSQLAsStr(QStringLiteral("SELECT Name FROM vipcard WHERE CardNo = ?"),
                                           {cardNo});
        };

        // Holders descending, cards 10 to 19 shown. Renaming the last one makes it the
        // first; the list reloads with it current and says it saved.
        const int name = grid->GridModel()->ColumnOf(QStringLiteral("Name"));
        clickHeader(grid, name);
        clickHeader(grid, name);
        typeText(searchBoxOf(window), QStringLiteral("会员00001"));
        QCOMPARE(window.RowCount(), 10);
        QCOMPARE(window.GData(QStringLiteral("CardNo"), 9), QStringLiteral("C000010"));
        flow.driver().setNextHandler([](QDialog& dialog) {
            auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("name"));
            QCOMPARE(edit->text(), QStringLiteral("会员000010"));
            edit->setText(QStringLiteral("会员000019号"));
            QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("ok")), Qt::LeftButton);
        });
        doubleClickRow(grid, 9);
        QCOMPARE(flow.driver().shown().size(), 1);
        QCOMPARE(nameOf(QStringLiteral("C000010")), QStringLiteral("会员000019号"));
        QCOMPARE(window.CurrentRow(), 0);
        QCOMPARE(window.GData(QStringLiteral("CardNo")), QStringLiteral("C000010"));
        QCOMPARE(grid->SelectedRows(), QList<int>{0});
        QCOMPARE(statusOf(window), QStringLiteral("已保存"));
        QCOMPARE(countOf(window), QStringLiteral("显示 10 / 共 30 条"));

        // A new card the filter would hide lifts the filter and is selected.
        flow.driver().setNextHandler([](QDialog& dialog) {
            typeText(dialog.findChild<QLineEdit*>(QStringLiteral("name")), QStringLiteral("新来的会员"));
            QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("ok")), Qt::LeftButton);
        });
        window.findChild<QStatusBar*>()->clearMessage();
        QTest::mouseClick(buttonOf(&window, QStringLiteral("新增[&N]")), Qt::LeftButton);
        QCOMPARE(flow.driver().shown().size(), 2);
        QCOMPARE(window.FilterText(), QString());
        QCOMPARE(window.GData(QStringLiteral("CardNo")), QStringLiteral("C900001"));
        QCOMPARE(window.GData(QStringLiteral("Name")), QStringLiteral("新来的会员"));
        QCOMPARE(statusOf(window), QStringLiteral("已保存"));
        QCOMPARE(countOf(window), QStringLiteral("共 31 条"));

        // Enter edits as well, and a cancelled edit saves nothing; with the edit
        // action disabled a double click opens nothing.
        window.findChild<QStatusBar*>()->clearMessage();
        grid->SetCurrentRow(2);
        const QString third = window.GData(QStringLiteral("CardNo"));
        const QString thirdName = window.GData(QStringLiteral("Name"));
        flow.driver().setNextHandler([](QDialog& dialog) { dialog.reject(); });
        QTest::keyClick(grid, Qt::Key_Return);
        QCOMPARE(flow.driver().shown().size(), 3);
        QCOMPARE(nameOf(third), thirdName);
        QCOMPARE(statusOf(window), QString());
        window.EditAction()->setEnabled(false);
        doubleClickRow(grid, 1);
        QCOMPARE(flow.driver().shown().size(), 3);
        QCOMPARE(flow.unsettled(), 0);
    }

    void listQueryBindsHostileTextAsData() {
        TestDatabase db;
        const QString hostile = QStringLiteral("'; drop table vipcard; --");
        TestRows::addCards(db.data(), 6,
                           {QStringLiteral("O'Brien"), hostile, QStringLiteral("@Name"),
                            QStringLiteral("张三"), QStringLiteral("x' OR '1'='1"), QStringLiteral("李四")});
        ScriptedMessages boxes;
        CardSearchWindow window;
        window.SetModelId(CardSearchNo);
        window.Params().Add(QStringLiteral("@TelPrefix"), QStringLiteral("no such phone%"));
        QVERIFY(showOpened(window));
        QCOMPARE(window.RowCount(), 0);

        auto* name = qobject_cast<QLineEdit*>(window.GetCondition()->GetControl(QStringLiteral("Name")));
        auto* search = window.GetCondition()->findChild<QPushButton*>();
        const auto searchFor = [&](const QString& text) {
            name->setText(text);
            QTest::mouseClick(search, Qt::LeftButton);
            return shownCards(window);
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

    void gridMenuAndButtonsRunGuardedAndDeleteAsks() {
        TestDatabase db;
        TestRows::addCards(db.data(), 20);
        ScriptedMessages boxes;
        CardListWindow window(true);
        QVERIFY(showOpened(window, {600, 400}));
        TQueryGrid* grid = window.GetMainGrid();

        // The styler fails on every cell; the user hears of it once and the grid works
        // on, uncoloured (card 5 is not activated).
        QTRY_COMPARE(boxes.shown().size(), 1);
        // Another full paint asks the styler for every cell again; no second box.
        grid->viewport()->repaint();
        QCOMPARE(boxes.shown().size(), 1);
        QVERIFY(boxes.last().text.contains(QStringLiteral("NoSuchColumn")));
        QVERIFY(!grid->model()->index(4, 1).data(Qt::ForegroundRole).isValid());

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

        // Delete asks first, and No is the end of it. Yes: card 1 goes, card 2 has a
        // balance and the database refuses it, and No to going on keeps card 3.
        db.data().ExecuteSQL(
            QStringLiteral("UPDATE vipcard SET Cz = 0 WHERE CardNo IN ('C000001', 'C000003', 'C000004')"));
        for (int answer : {IDNO, IDYES, IDOK, IDNO})
            boxes.setNextAnswer(answer);
        clickCell(grid, 0, 1);
        clickCell(grid, 2, 1, Qt::ShiftModifier);
        QTest::mouseClick(buttonOf(&window, QStringLiteral("删除[&D]")), Qt::LeftButton);
        QCOMPARE(boxes.shown().size(), 4);
        QCOMPARE(boxes.last().text, QStringLiteral("确认删除选中的3张会员卡吗？"));
        QCOMPARE(boxes.last().caption, QStringLiteral("提示?"));
        QCOMPARE(deletedCards(), 0);
        QTest::keyClick(grid, Qt::Key_D, Qt::AltModifier);
        QCOMPARE(boxes.shown().size(), 7);
        QCOMPARE(boxes.shown()[5].text,
                 QStringLiteral("会员卡C000002已经有期初储值或者储值余额, 不能删除。"));
        QCOMPARE(boxes.last().text, QStringLiteral("是否继续？"));
        QVERIFY(!boxes.pendingAnswers());
        QCOMPARE(window.GData(QStringLiteral("CardNo"), 0), QStringLiteral("C000002"));
        QCOMPARE(deletedCards(), 1);
        QCOMPARE(dmClient().OpenSQLAsStr(QStringLiteral("SELECT CardNo FROM vipcard WHERE deleted = 1")),
                 QStringLiteral("C000001"));
        QVERIFY(window.isVisible());
    }

    void conditionPanelHandsOverTypedValues() {
        TBaseCondition condition;
        auto* kind = new QComboBox;
        kind->addItem(QStringLiteral("全部"), 0);
        kind->addItem(QStringLiteral("金卡"), 1);
        kind->setCurrentIndex(1);
        auto* from = new QDateEdit(QDate(2026, 3, 1));
        auto* active = new QCheckBox(QStringLiteral("只看已激活"));
        active->setChecked(true);
        condition.AddControl(QStringLiteral("CardType"), QStringLiteral("卡类型"), kind);
        condition.AddControl(QStringLiteral("@VIPFKDate"), QStringLiteral("发卡日期"), from);
        condition.AddControl(QStringLiteral("@IsLife"), QString(), active);
        const TParamObject params = condition.GetParamList();
        QCOMPARE(params.Count(), 3);
        QCOMPARE(params.AsInteger(QStringLiteral("@CardType")), 1);
        QCOMPARE(params.Value(QStringLiteral("@VIPFKDate")).toDate(), QDate(2026, 3, 1));
        QCOMPARE(params.AsInteger(QStringLiteral("@IsLife")), 1);
        QVERIFY_THROWS_EXCEPTION(DbError, condition.GetParam(QStringLiteral("Missing")));
    }

    void pickersAndTabsOpenOrSayWhyNot() {
        TestDatabase db;
        ModalDriver driver;
        ScriptedMessages boxes;
        QTabWidget tabs;
        tabs.show();
        QVERIFY(QTest::qWaitForWindowExposed(&tabs));

        // Unknown, not built yet, a query parameter missing (the picker's query needs
        // @viptype), no such query: the window never shows, in a dialog or a tab.
        TParamObject bare;
        const QStringList why = {QStringLiteral("TNoSuchWindow"), QStringLiteral("该窗口尚未提供"),
                                 QStringLiteral("@viptype"), QStringLiteral("90999")};
        const QStringList names = {QStringLiteral("TNoSuchWindow"), QStringLiteral("TTestNotYet"),
                                   QStringLiteral("TTestTypeSel"), QStringLiteral("TTestNoQuery")};
        for (int i = 0; i < names.size(); ++i) {
            QCOMPARE(CallQueryClass(names[i], bare), mrNone);
            QVERIFY(!OpenQueryClassTab(names[i], tabs, bare));
            QCOMPARE(boxes.shown().size(), 2 * i + 2);
            // Only the window not built yet is no error, just a notice.
            QCOMPARE(boxes.last().caption, i == 1 ? QStringLiteral("提示") : QStringLiteral("错误"));
            QVERIFY2(boxes.last().text.contains(why[i]), qPrintable(boxes.last().text));
        }
        QVERIFY(driver.shown().isEmpty());
        QCOMPARE(tabs.count(), 0);
        QVERIFY(!bare.Has(QStringLiteral("TypeName")));

        // A double click picks in a picking window; the row comes back beside the
        // caller's own parameters.
        for (const char* name : {"金卡", "银卡", "O'Neil卡"})
            TestRows::addCardType(db.data(), QString::fromUtf8(name));
        TParamObject params;
        params.Add(QStringLiteral("@viptype"), typeId(QStringLiteral("金卡")));
        params.Add(QStringLiteral("@SelectOneRow"), 1);
        params.Add(QStringLiteral("@FormStyle"), 1);
        driver.setNextHandler([](QDialog& dialog) {
            QCOMPARE(windowIn(dialog)->RowCount(), 2);
            doubleClickRow(windowIn(dialog)->GetMainGrid(), 1);
        });
        QCOMPARE(CallQueryClass(QStringLiteral("TTestTypeSel"), params), mrOk);
        QCOMPARE(params.AsString(QStringLiteral("TypeName")), QStringLiteral("O'Neil卡"));
        QCOMPARE(params.AsInteger(QStringLiteral("ctypeid")), typeId(QStringLiteral("O'Neil卡")));
        QCOMPARE(params.AsInteger(QStringLiteral("@viptype")), typeId(QStringLiteral("金卡")));

        // In a tab, without the picking parameters, a double click leaves it open, and
        // its exit button closes the page and deletes the window.
        bare.Add(QStringLiteral("@viptype"), 0);
        QPointer<TBaseQuery> window = OpenQueryClassTab(QStringLiteral("TTestTypeSel"), tabs, bare);
        QCOMPARE(tabs.tabText(0), QStringLiteral("卡类型选择"));
        doubleClickRow(window->GetMainGrid(), 0);
        QCOMPARE(tabs.count(), 1);
        QTest::mouseClick(buttonOf(window, QStringLiteral("退出[X]")), Qt::LeftButton);
        QCOMPARE(tabs.count(), 0);
        QTRY_VERIFY(window.isNull());
        QCOMPARE(boxes.shown().size(), 8);
    }
};

QTEST_MAIN(QueryWindowTest)
#include "tst_QueryWindow.moc"
