#include "host/sdk/DataModule.h"
#include "host/sdk/MessageBox.h"
#include "host/sdk/Ucomvar.h"
#include "host/sdk/ui/CallQueryClass.h"
#include "host/sdk/ui/TBaseQuery.h"
#include "host/sdk/ui/TQueryGrid.h"
#include "tests/support/DbProbe.h"
#include "tests/support/FlowFixture.h"
#include "tests/support/TestDatabase.h"
#include "tests/support/TestRows.h"
#include "vip/cardtypes/VipCardTypeStore.h"
#include "vip/frame/PackageEntry.h"

#include <QAction>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolBar>
#include <optional>

namespace {

int scalar(const QString& sql, const QVariantList& params = {}) {
    return dmClient().OpenSQLAsInt(sql, params);
}

// A type as the dialog would accept it: ten yuan spent earn a point.
VipCardTypeSettings named(const QString& name) {
    VipCardTypeSettings s;
    s.name = name;
    s.pointsAmount = Money::fromUnits(10);
    s.points = Money::fromUnits(1);
    return s;
}

// Price list, three stores, and card types saved the way the type dialog saves them.
struct Chain {
    int gold = 0, silver = 0, quoted = 0;

    Chain() {
        dmClient().ExecuteSQL(QStringLiteral(
            "INSERT INTO pricelist (PriceMode, PriceName) VALUES (17, '会员价'), (5, '会员二价')"));
        TestRows::addStores(dmClient(), {{.code = QStringLiteral("01"), .name = QStringLiteral("中山路店")},
                                         {.code = QStringLiteral("02"), .name = QStringLiteral("解放路店")},
                                         {.code = QStringLiteral("03"), .name = QStringLiteral("滨江店")}});
        VipCardTypeSettings g = named(QStringLiteral("金卡"));
        g.mode = VipCardTypeSettings::MemberPriceDiscount;
        g.vipPriceType = 5;
        g.rate = 88;
        g.memberDay = true;
        g.dayOrderItem = 1;
        g.weekDayList = QStringLiteral("星期二,星期日");
        g.monthDayList = QStringLiteral("1,15");
        g.weekMultiplier = 2;
        g.birthday = VipCardTypeSettings::BirthdayMonth;
        g.posRange = true;
        g.allStores = false;
        g.markedStores = {2, 3}; // a fresh database numbers the stores from 1
        gold = VipCardTypeStore().Save(g);
        // Birthday benefits apply only on member days; this one has none.
        VipCardTypeSettings s = named(QStringLiteral("银卡"));
        s.birthday = VipCardTypeSettings::BirthdayDay;
        silver = VipCardTypeStore().Save(s);
        VipCardTypeSettings q = named(QStringLiteral("O'Neil卡"));
        q.mode = VipCardTypeSettings::MemberDiscount;
        q.rate = 95;
        q.memberDay = true;
        q.weekDayList = QStringLiteral("星期一");
        q.birthday = VipCardTypeSettings::BirthdayDay;
        q.posRange = true;
        q.allStores = false;
        q.markedStores = {3};
        quoted = VipCardTypeStore().Save(q);
    }
};

TBaseQuery* windowIn(QDialog& dialog) {
    return dialog.findChild<TBaseQuery*>();
}

void press(TBaseQuery* window, const QString& caption) {
    QAction* action = window->GetAction(caption);
    QVERIFY2(action, qPrintable(caption));
    QTest::mouseClick(window->findChild<QToolBar*>()->widgetForAction(action), Qt::LeftButton);
}

int rowOf(TBaseQuery* window, const QString& typeName) {
    for (int row = 0; row < window->RowCount(); ++row) {
        if (window->GData(QStringLiteral("TypeName"), row) == typeName)
            return row;
    }
    return -1;
}

// The hidden columns, lower case and sorted.
QStringList hiddenColumns(TBaseQuery* window) {
    QStringList hidden;
    for (const GridColumn& column : window->GetMainGrid()->GridModel()->Columns()) {
        if (!window->GetMainGrid()->IsColumnVisible(column.field))
            hidden.append(column.field.toLower());
    }
    hidden.sort();
    return hidden;
}

// Whether a type is live, and how many rule rows and store rows it has.
QList<int> state(int typeId) {
    return {
        scalar(QStringLiteral("SELECT 1 - deleted FROM viptype WHERE CTypeId = ?"), {typeId}),
        DbProbe::count(dmClient(), QStringLiteral("vipAutoDiscount"), QStringLiteral("VipTypeId = ?"),
                       {typeId}),
        DbProbe::count(dmClient(), QStringLiteral("PosVipType"), QStringLiteral("viptype = ?"), {typeId})};
}

} // namespace

class CardTypeListsTest : public QObject {
    Q_OBJECT
    std::optional<FlowFixture> flow;
    std::optional<Chain> chain;

    // Opens a list window of the card types, worked by 'user', who then leaves it with Esc
    // unless a choice closed it.
    int open(const QString& className, TParamObject& params, std::function<void(TBaseQuery*)> user) {
        flow->driver().setNextHandler([user](QDialog& dialog) {
            user(windowIn(dialog));
            if (dialog.isVisible())
                QTest::keyClick(windowIn(dialog)->GetMainGrid(), Qt::Key_Escape);
        });
        return CallQueryClass(className, params);
    }

private slots:
    void initTestCase() { Initialize(); }
    void cleanupTestCase() { Finalize(); }
    void init() {
        flow.emplace();
        chain.emplace();
    }
    // Every test ends with no window left open or unhandled, and no question unscripted;
    // the edition switches a test sets go back with the session.
    void cleanup() {
        const int leftOver = flow->unsettled();
        chain.reset();
        flow.reset();
        QCOMPARE(leftOver, 0);
    }

    void listSpellsOutEachLiveTypeAndReselectsTheAskedOne() {
        const int gone = VipCardTypeStore().Save(named(QStringLiteral("停用卡")));
        dmClient().ExecuteProcByName(QStringLiteral("Y_InsVipAuto"), {"@edittype", "@cardbz", "@Autoid"},
                                     {QStringLiteral("D"), QStringLiteral("1"), gone});
        TParamObject params;
        params.Add(QStringLiteral("@viptype"), chain->quoted);
        const auto shown = [&](TBaseQuery* w) {
            QCOMPARE(w->RowCount(), 3);
            QCOMPARE(w->CurrentRow(), 2);
            const auto cells = [w](int row) {
                QStringList values;
                for (const char* field : {"TypeName", "vippricetypestr", "usevipdaybool", "VIPDayOrderName",
                                          "VipdayStr", "VipMonthdayStr", "WeekVIPDayUseIntegral", "birthday",
                                          "birthdaymonth", "UsePos", "PosName"})
                    values.append(w->GData(QLatin1String(field), row));
                return values.join(QLatin1Char('|'));
            };
            QCOMPARE(cells(0),
                     QStringLiteral(
                         "金卡|会员二价|√|按周指定|每周: 星期二,星期日|1,15|√||√|部分门店|解放路店;滨江店"));
            QCOMPARE(cells(1), QStringLiteral("银卡|会员价||||||||全部门店|全部门店"));
            QCOMPARE(cells(2),
                     QStringLiteral("O'Neil卡|会员价|√|按月指定|每周: 星期一|||√||部分门店|滨江店"));
            QCOMPARE(hiddenColumns(w), QStringList{QStringLiteral("ctypeid")});
        };
        QCOMPARE(open(QStringLiteral("TVipCardTypeSet"), params, shown), mrCancel);

        // A price mode dropped from the price list shows no name; a type that is gone
        // cannot be re-selected, so the list starts at its first row.
        dmClient().ExecuteSQL(QStringLiteral("DELETE FROM pricelist WHERE PriceMode = 5"));
        params.Add(QStringLiteral("@viptype"), gone);
        const auto firstRow = [](TBaseQuery* w) {
            QCOMPARE(w->CurrentRow(), 0);
            QCOMPARE(w->GData(QStringLiteral("vippricetypestr")), QString());
        };
        QCOMPARE(open(QStringLiteral("TVipCardType"), params, firstRow), mrCancel);
    }

    // Each edition's picker hides the columns it lacks and hands back the chosen type;
    // left, it hands back nothing.
    void pickerFollowsTheEditionAndHandsBackTheChosenType() {
        const QStringList memberDays =
            QStringLiteral("usevipdaybool vipdaystr vipmonthdaystr birthday birthdaymonth usedisandvipprice "
                           "usevipprice weekvipdaydiscount weekvipdayxintegral weekvipdayusevipprice "
                           "weekvipdayuseintegral weekvipdayusedis vipdayordername ctypeid")
                .split(QLatin1Char(' '));
        const QStringList prices = {"ifvippricediscount", "issalelimit", "vippricetypestr"};
        const QStringList promotions = {"ifpromotionpricediscount", "espricenotintegral", "ifvipprice"};
        const struct {
            bool food;
            int edition;
            QList<int> flags;
            QStringList hidden;
        } cases[] = {
            {false, 8, {12, 14, 25}, {"ctypeid"}},
            {true, 1, {12}, {"ctypeid", "usepos", "posname"}},
            {true, 8, {}, prices + memberDays},
            {true, 2, {14, 25}, prices + memberDays + promotions},
        };
        TParamObject params;
        params.Add(QStringLiteral("@viptype"), chain->silver);
        params.Add(QStringLiteral("@SelectOneRow"), 1);
        for (const auto& c : cases) {
            Ucomvar().bFood = c.food;
            Ucomvar().nMedVersion = c.edition;
            Ucomvar().appClass = TAppClass();
            for (int flag : c.flags)
                Ucomvar().appClass.SetFlag(flag, true);
            QStringList expected = c.hidden;
            expected.sort();
            const auto pickNext = [&](TBaseQuery* w) {
                QCOMPARE(hiddenColumns(w), expected);
                QTest::keyClick(w->GetMainGrid(), Qt::Key_Down);
                QTest::keyClick(w->GetMainGrid(), Qt::Key_S, Qt::AltModifier);
            };
            QCOMPARE(open(QStringLiteral("TVipCardTypeSel"), params, pickNext), mrOk);
            QCOMPARE(params.AsInteger(QStringLiteral("ctypeid")), chain->quoted);
        }
        QCOMPARE(params.AsString(QStringLiteral("TypeName")), QStringLiteral("O'Neil卡"));
        QCOMPARE(params.AsFloat(QStringLiteral("Discount")), 95.0);

        QCOMPARE(open(QStringLiteral("TVipCardTypeSel"), params, [](TBaseQuery*) {}), mrCancel);
        QCOMPARE(params.AsString(QStringLiteral("TypeName")), QString());
        QVERIFY(!params.Has(QStringLiteral("ctypeid")));
    }

    // Delete refuses a type in use, takes an unused one whole and, failing half-way, nothing;
    // edit opens the dialog on the current row's type and shows the change.
    void deleteAndEditFromTheList() {
        // Gold is in use; only a deleted card carries the quoted type.
        TestRows::addCard(dmClient(), {.cardNo = QStringLiteral("G1"), .cardType = chain->gold});
        TestRows::addCard(dmClient(),
                          {.cardNo = QStringLiteral("Q1"), .cardType = chain->quoted, .deleted = true});
        dmClient().ExecuteSQL(QStringLiteral("INSERT INTO PosVipType (PosID, viptype) VALUES (1, ?)"),
                              {chain->silver});
        const QList<int> gold = state(chain->gold), silver = state(chain->silver);
        QCOMPARE(state(chain->quoted), (QList<int>{1, 1, 1}));
        QCOMPARE(silver, (QList<int>{1, 1, 1}));
        // Cancel, then OK to every question and error box that follows.
        flow->boxes().setNextAnswer(IDCANCEL);
        for (int i = 0; i < 5; ++i)
            flow->boxes().setNextAnswer(IDOK);
        const QString del = QStringLiteral("删    除[&D]");
        TParamObject params;
        open(QStringLiteral("TVipCardTypeSet"), params, [&](TBaseQuery* w) {
            press(w, del);
            QCOMPARE(flow->boxes().last().text, QStringLiteral("你是否真的要删除这类会员卡？"));
            QCOMPARE(state(chain->gold), gold);

            QTest::keyClick(w->GetMainGrid(), Qt::Key_D, Qt::AltModifier);
            QCOMPARE(flow->boxes().shown().size(), 3);
            QCOMPARE(flow->boxes().last().text, QStringLiteral("该会员卡类型正在使用不能删除!"));
            QCOMPARE(state(chain->gold), gold);

            w->GetMainGrid()->SetCurrentRow(rowOf(w, QStringLiteral("O'Neil卡")));
            press(w, del);
            QCOMPARE(flow->boxes().shown().size(), 4);
            QCOMPARE(state(chain->quoted), (QList<int>{0, 0, 0}));
            QCOMPARE(w->RowCount(), 2);

            // The store rows go first; the rule rows cannot, so the mark and store rows must come back.
            dmClient().ExecuteSQL(
                QStringLiteral("ALTER TABLE vipAutoDiscount RENAME TO vipAutoDiscountAway"));
            w->GetMainGrid()->SetCurrentRow(rowOf(w, QStringLiteral("银卡")));
            press(w, del);
            dmClient().ExecuteSQL(
                QStringLiteral("ALTER TABLE vipAutoDiscountAway RENAME TO vipAutoDiscount"));
            QCOMPARE(flow->boxes().shown().size(), 6);
            QCOMPARE(flow->boxes().last().caption, QStringLiteral("错误"));
            QCOMPARE(w->RowCount(), 2);
            QCOMPARE(state(chain->silver), silver);

            flow->driver().setNextHandler([&](QDialog& dialog) {
                auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("reName"));
                QCOMPARE(name->text(), QStringLiteral("银卡"));
                name->selectAll();
                // The text arrives as one key event carrying it, as an input method sends Chinese.
                QTest::sendKeyEvent(QTest::Click, name, Qt::Key_unknown, QStringLiteral("普卡"),
                                    Qt::NoModifier);
                QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("btnOK")), Qt::LeftButton);
            });
            press(w, QStringLiteral("修    改[&M]"));
            QCOMPARE(w->GData(QStringLiteral("TypeName"), 1), QStringLiteral("普卡"));
            QCOMPARE(w->GDataVar(QStringLiteral("ctypeid"), 1).toInt(), chain->silver);
        });
        QCOMPARE(flow->boxes().shown().size(), 6);
    }
};

QTEST_MAIN(CardTypeListsTest)
#include "tst_CardTypeLists.moc"
