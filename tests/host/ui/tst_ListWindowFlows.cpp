#include "host/data/Database.h"
#include "host/data/StoredProcedure.h"
#include "host/db/queries/ListQueryRegistry.h"
#include "host/sdk/DataModule.h"
#include "host/sdk/DbError.h"
#include "host/sdk/MessageBox.h"
#include "host/sdk/ModuleRegistry.h"
#include "host/sdk/ui/CallQueryClass.h"
#include "host/sdk/ui/TCommBaseQuery.h"
#include "host/sdk/ui/TQueryGrid.h"
#include "tests/host/ui/CardRows.h"
#include "tests/support/ModalDriver.h"
#include "tests/support/ScriptedMessages.h"
#include "tests/support/TestDatabase.h"

#include <QAction>
#include <QDialog>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QToolBar>

namespace {

constexpr int TypeListNo = 90010;
constexpr int CardListNo = 90011;

const ListQueryRegistration
    typeList(TypeListNo, QStringLiteral("SELECT CTypeId, TypeName, Discount FROM viptype "
                                        "WHERE deleted = 0 AND CTypeId <> @viptype ORDER BY CTypeId"));
const ListQueryRegistration
    cardList(CardListNo, QStringLiteral("SELECT id, CardNo, Name, Cz FROM vipcard WHERE deleted = 0 "
                                        "ORDER BY CardNo"));

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
        AddButtonAndGetAction(QStringLiteral("确定[O]"), &TypePicker::OnOk);
        AddButtonAndGetAction(QStringLiteral("退出[X]"), [this] { SetModalResult(mrCancel); });
    }

private:
    void OnOk() {
        if (CurrentRow() >= 0)
            SetModalResult(mrOk);
    }
};

// A member list whose delete asks first, calls the database per card, reports a
// refused card and asks whether to go on.
class CardDeleteWindow final : public TCommBaseQuery {
public:
    explicit CardDeleteWindow(QWidget* parent)
        : TCommBaseQuery(parent, CardListNo) {}

protected:
    void OnIniButton() override {
        TCommBaseQuery::OnIniButton();
        AddButtonAndGetAction(QStringLiteral("删除[&D]"), &CardDeleteWindow::OnDelExcetue);
    }

private:
    void OnDelExcetue() {
        const QList<int> rows = GetMainGrid()->SelectedRows();
        if (rows.isEmpty())
            return;
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
};

void registerWindows() {
    gQueryClassFactory().Register({QStringLiteral("TTestTypeSel"), TypeListNo, 0, 0,
                                   [](QWidget* parent) { return new TypePicker(parent); }});
    gQueryClassFactory().Register({QStringLiteral("TTestCardDel"), CardListNo, 0, 0,
                                   [](QWidget* parent) { return new CardDeleteWindow(parent); }});
    gQueryClassFactory().Register({QStringLiteral("TTestNotYet"), TypeListNo, 0, 0, {}});
    gQueryClassFactory().Register({QStringLiteral("TTestNoQuery"), 90999, 0, 0,
                                   [](QWidget* parent) { return new TypePicker(parent); }});
}

TBaseQuery* windowIn(QDialog& dialog) {
    return dialog.findChild<TBaseQuery*>();
}

QWidget* buttonOf(TBaseQuery* window, const QString& caption) {
    return window->findChild<QToolBar*>()->widgetForAction(window->GetAction(caption));
}

void clickRow(TQueryGrid* grid, int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, modifiers,
                      grid->visualRect(grid->model()->index(row, 1)).center());
}

// A double click arrives as a click followed by the double-click event.
void doubleClickRow(TQueryGrid* grid, int row) {
    clickRow(grid, row);
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier,
                       grid->visualRect(grid->model()->index(row, 1)).center());
}

int typeId(const QString& name) {
    return dmClient().OpenSQLAsInt(QStringLiteral("SELECT CTypeId FROM viptype WHERE TypeName = ?"), {name});
}

QStringList liveCards() {
    ClientDataSet rows;
    dmClient().OpenSQL(QStringLiteral("SELECT CardNo FROM vipcard WHERE deleted = 0 ORDER BY CardNo"), rows);
    QStringList cards;
    for (rows.First(); !rows.Eof(); rows.Next())
        cards.append(rows.FieldByName(QStringLiteral("CardNo")).AsString());
    return cards;
}

} // namespace

class ListWindowFlowsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { registerWindows(); }

    void pickHandsBackTheRowAndCancelHandsBackNothing() {
        TestDatabase db;
        db.data().ExecuteSQL(
            QStringLiteral("INSERT INTO viptype (TypeName, Discount) VALUES (?, ?), (?, ?), (?, ?)"),
            {QStringLiteral("金卡"), 90, QStringLiteral("银卡"), 95.5, QStringLiteral("O'Neil卡"), 85});
        ModalDriver driver;
        ScriptedMessages boxes;
        TParamObject params;
        params.Add(QStringLiteral("@viptype"), typeId(QStringLiteral("金卡")));
        params.Add(QStringLiteral("@SelectOneRow"), 1);
        params.Add(QStringLiteral("@FormStyle"), 1);

        // Keyboard: Down to the second row, Alt+O picks it.
        driver.setNextHandler([](QDialog& dialog) {
            TBaseQuery* window = windowIn(dialog);
            QVERIFY(window);
            QCOMPARE(dialog.windowTitle(), QStringLiteral("卡类型选择"));
            QCOMPARE(window->RowCount(), 2);
            TQueryGrid* grid = window->GetMainGrid();
            QTest::keyClick(grid, Qt::Key_Down);
            QTest::keyClick(grid, Qt::Key_O, Qt::AltModifier);
        });
        QCOMPARE(CallQueryClass(QStringLiteral("TTestTypeSel"), params), mrOk);
        QCOMPARE(params.AsString(QStringLiteral("TypeName")), QStringLiteral("O'Neil卡"));
        QCOMPARE(params.AsInteger(QStringLiteral("ctypeid")), typeId(QStringLiteral("O'Neil卡")));
        QCOMPARE(params.AsFloat(QStringLiteral("Discount")), 85.0);
        QCOMPARE(params.AsInteger(QStringLiteral("@viptype")), typeId(QStringLiteral("金卡")));

        // The same parameters again, closed with Esc: the earlier pick is gone.
        driver.setNextHandler(
            [](QDialog& dialog) { QTest::keyClick(windowIn(dialog)->GetMainGrid(), Qt::Key_Escape); });
        QCOMPARE(CallQueryClass(QStringLiteral("TTestTypeSel"), params), mrCancel);
        QCOMPARE(params.AsString(QStringLiteral("TypeName")), QString());
        QVERIFY(!params.Has(QStringLiteral("ctypeid")));
        QCOMPARE(params.AsInteger(QStringLiteral("@viptype")), typeId(QStringLiteral("金卡")));

        // A double click picks in a picking window.
        driver.setNextHandler([](QDialog& dialog) { doubleClickRow(windowIn(dialog)->GetMainGrid(), 0); });
        QCOMPARE(CallQueryClass(QStringLiteral("TTestTypeSel"), params), mrOk);
        QCOMPARE(params.AsString(QStringLiteral("TypeName")), QStringLiteral("银卡"));
        QCOMPARE(driver.leftOpen(), 0);
        QCOMPARE(driver.unhandled(), 0);
        QCOMPARE(boxes.shown().size(), 0);
    }

    void windowsThatCannotOpenSayWhy() {
        TestDatabase db;
        ModalDriver driver;
        ScriptedMessages boxes;
        TParamObject params;
        QCOMPARE(CallQueryClass(QStringLiteral("TNoSuchWindow"), params), mrNone);
        QCOMPARE(boxes.last().caption, QStringLiteral("错误"));
        QVERIFY(boxes.last().text.contains(QStringLiteral("TNoSuchWindow")));

        QCOMPARE(CallQueryClass(QStringLiteral("TTestNotYet"), params), mrNone);
        QCOMPARE(boxes.last().text, QStringLiteral("该窗口尚未提供。"));

        // The picker's query needs @viptype; without it the window never shows.
        QCOMPARE(CallQueryClass(QStringLiteral("TTestTypeSel"), params), mrNone);
        QCOMPARE(boxes.last().caption, QStringLiteral("错误"));
        QVERIFY(boxes.last().text.contains(QStringLiteral("@viptype")));

        QCOMPARE(CallQueryClass(QStringLiteral("TTestNoQuery"), params), mrNone);
        QVERIFY(boxes.last().text.contains(QStringLiteral("90999")));
        QCOMPARE(boxes.shown().size(), 4);
        QVERIFY(driver.shown().isEmpty());
        QVERIFY(!params.Has(QStringLiteral("TypeName")));
    }

    void deleteAsksAndStopsWhereTheUserSays() {
        TestDatabase db;
        seedCards(db.data(), 5);
        db.data().ExecuteSQL(
            QStringLiteral("UPDATE vipcard SET Cz = 0 WHERE CardNo IN ('C000001', 'C000003', 'C000004')"));
        ModalDriver driver;
        ScriptedMessages boxes;
        boxes.setNextAnswer(IDNO);
        boxes.setNextAnswer(IDYES);
        boxes.setNextAnswer(IDOK);
        boxes.setNextAnswer(IDNO);
        driver.setNextHandler([&](QDialog& dialog) {
            TBaseQuery* window = windowIn(dialog);
            TQueryGrid* grid = window->GetMainGrid();
            QCOMPARE(window->RowCount(), 5);
            clickRow(grid, 0);
            clickRow(grid, 2, Qt::ShiftModifier);
            // Answered No: the question is the only thing that happens.
            QTest::mouseClick(buttonOf(window, QStringLiteral("删除[&D]")), Qt::LeftButton);
            QCOMPARE(boxes.shown().size(), 1);
            QCOMPARE(boxes.last().text, QStringLiteral("确认删除选中的3张会员卡吗？"));
            QCOMPARE(boxes.last().caption, QStringLiteral("提示?"));
            QCOMPARE(window->RowCount(), 5);
            QCOMPARE(liveCards().size(), 5);

            // Yes: the first card goes, the second is refused by the database and
            // reported, and No to going on keeps the third.
            QTest::keyClick(grid, Qt::Key_D, Qt::AltModifier);
            QCOMPARE(boxes.shown().size(), 4);
            QCOMPARE(boxes.shown()[2].text,
                     QStringLiteral("会员卡C000002已经有期初储值或者储值余额, 不能删除。"));
            QCOMPARE(boxes.shown()[2].caption, QStringLiteral("错误"));
            QCOMPARE(boxes.shown()[3].text, QStringLiteral("是否继续？"));
            QCOMPARE(window->RowCount(), 4);
            QCOMPARE(window->GData(QStringLiteral("CardNo"), 0), QStringLiteral("C000002"));
            QTest::keyClick(grid, Qt::Key_Escape);
        });
        QCOMPARE(CallQueryClass(QStringLiteral("TTestCardDel"), *std::make_unique<TParamObject>()), mrCancel);
        QCOMPARE(liveCards(), (QStringList{QStringLiteral("C000002"), QStringLiteral("C000003"),
                               QStringLiteral("C000004"), QStringLiteral("C000005")}));
        QCOMPARE(boxes.unanswered(), 0);
        QVERIFY(!boxes.pendingAnswers());
        QCOMPARE(driver.leftOpen(), 0);
    }

    void windowInATabClosesItsPage() {
        TestDatabase db;
        db.data().ExecuteSQL(QStringLiteral("INSERT INTO viptype (TypeName) VALUES ('金卡'), ('银卡')"));
        ScriptedMessages boxes;
        QTabWidget tabs;
        tabs.show();
        QVERIFY(QTest::qWaitForWindowExposed(&tabs));
        QVERIFY(!OpenQueryClassTab(QStringLiteral("TTestTypeSel"), tabs));
        QCOMPARE(tabs.count(), 0);
        QCOMPARE(boxes.shown().size(), 1);

        TParamObject params;
        params.Add(QStringLiteral("@viptype"), 0);
        QPointer<TBaseQuery> window = OpenQueryClassTab(QStringLiteral("TTestTypeSel"), tabs, params);
        QVERIFY(window);
        QCOMPARE(tabs.count(), 1);
        QCOMPARE(tabs.tabText(0), QStringLiteral("卡类型选择"));
        QCOMPARE(window->RowCount(), 2);
        // Not a picking window: a double click does not close it.
        doubleClickRow(window->GetMainGrid(), 0);
        QCOMPARE(tabs.count(), 1);
        QTest::mouseClick(buttonOf(window, QStringLiteral("退出[X]")), Qt::LeftButton);
        QCOMPARE(tabs.count(), 0);
        QTRY_VERIFY(window.isNull());
    }
};

QTEST_MAIN(ListWindowFlowsTest)
#include "tst_ListWindowFlows.moc"
