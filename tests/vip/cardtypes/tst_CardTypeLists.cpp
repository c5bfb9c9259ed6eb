#include "host/sdk/DataModule.h"
#include "host/sdk/MessageBox.h"
#include "host/sdk/Ucomvar.h"
#include "host/sdk/ui/CallQueryClass.h"
#include "host/sdk/ui/TBaseQuery.h"
#include "host/sdk/ui/TQueryGrid.h"
#include "tests/support/ModalDriver.h"
#include "tests/support/ScriptedMessages.h"
#include "tests/support/TestDatabase.h"
#include "vip/cardtypes/VipCardTypeWriter.h"
#include "vip/frame/PackageEntry.h"

#include <QAction>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolBar>

namespace {

// The session's edition switches as a test sets them, put back afterwards.
class EditionGuard {
public:
    EditionGuard()
        : m_saved(Ucomvar()) {}
    ~EditionGuard() { Ucomvar() = m_saved; }

private:
    TComVar m_saved;
};

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
    QList<int> stores;

    Chain() {
        dmClient().ExecuteSQL(
            QStringLiteral("INSERT INTO pricelist (PriceMode, PriceName) VALUES (17, '会员价'), "
                           "(5, '会员二价')"));
        for (const QString& name :
             {QStringLiteral("中山路店"), QStringLiteral("解放路店"), QStringLiteral("滨江店")})
            stores.append(
                scalar(QStringLiteral("INSERT INTO posinfo (PosCode, PosName) VALUES (?, ?) RETURNING posid"),
                       {name, name}));
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
        g.markedStores = {stores[1], stores[2]};
        gold = VipCardTypeWriter::write(g);
        // Birthday benefits apply only on member days; this one has none.
        VipCardTypeSettings s = named(QStringLiteral("银卡"));
        s.birthday = VipCardTypeSettings::BirthdayDay;
        silver = VipCardTypeWriter::write(s);
        VipCardTypeSettings q = named(QStringLiteral("O'Neil卡"));
        q.mode = VipCardTypeSettings::MemberDiscount;
        q.rate = 95;
        q.memberDay = true;
        q.weekDayList = QStringLiteral("星期一");
        q.birthday = VipCardTypeSettings::BirthdayDay;
        quoted = VipCardTypeWriter::write(q);
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

QStringList hiddenColumns(TBaseQuery* window) {
    QStringList hidden;
    for (const GridColumn& column : window->GetMainGrid()->GridModel()->Columns()) {
        if (!window->GetMainGrid()->IsColumnVisible(column.field))
            hidden.append(column.field.toLower());
    }
    return hidden;
}

// How many rule rows and store rows a type has.
QList<int> typeRows(int typeId) {
    return {scalar(QStringLiteral("SELECT COUNT(*) FROM vipAutoDiscount WHERE VipTypeId = ?"), {typeId}),
            scalar(QStringLiteral("SELECT COUNT(*) FROM PosVipType WHERE viptype = ?"), {typeId})};
}

bool live(int typeId) {
    return scalar(QStringLiteral("SELECT 1 - deleted FROM viptype WHERE CTypeId = ?"), {typeId});
}

void addCard(int typeId, const QString& cardNo, int deleted) {
    dmClient().ExecuteSQL(
        QStringLiteral("INSERT INTO vipcard (cardid, CardNo, CardType, BulidDate, ValidityDate, deleted) "
                       "VALUES (?, ?, ?, ?, ?, ?)"),
        {QLatin1Char('{') + cardNo + QLatin1Char('}'), cardNo, typeId, QDate(2026, 1, 1), QDate(2030, 1, 1),
         deleted});
}

} // namespace

class CardTypeListsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { Initialize(); }
    void cleanupTestCase() { Finalize(); }

    void listSpellsOutEachLiveTypeAndReselectsTheAskedOne() {
        TestDatabase db;
        Chain chain;
        const int gone = VipCardTypeWriter::write(named(QStringLiteral("停用卡")));
        dmClient().ExecuteProcByName(
            QStringLiteral("Y_InsVipAuto"),
            {QStringLiteral("@edittype"), QStringLiteral("@cardbz"), QStringLiteral("@Autoid")},
            {QStringLiteral("D"), QStringLiteral("1"), gone});
        ModalDriver driver;
        ScriptedMessages boxes;
        TParamObject params;
        params.Add(QStringLiteral("@viptype"), chain.quoted);
        driver.setNextHandler([&](QDialog& dialog) {
            TBaseQuery* w = windowIn(dialog);
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
                         "金卡|会员二价|1|按周指定|每周: 星期二,星期日|1,15|1|0|1|部分门店|解放路店;滨江店"));
            QCOMPARE(cells(1), QStringLiteral("银卡|会员价|0||||0|0|0|全部门店|全部门店"));
            QCOMPARE(cells(2),
                     QStringLiteral("O'Neil卡|会员价|1|按月指定|每周: 星期一||0|1|0|全部门店|全部门店"));
            QCOMPARE(hiddenColumns(w), QStringList{QStringLiteral("ctypeid")});
            QTest::keyClick(w->GetMainGrid(), Qt::Key_Escape);
        });
        QCOMPARE(CallQueryClass(QStringLiteral("TVipCardTypeSet"), params), mrCancel);

        // A price mode dropped from the price list shows no name; a type that is gone
        // cannot be re-selected, so the list starts at its first row.
        dmClient().ExecuteSQL(QStringLiteral("DELETE FROM pricelist WHERE PriceMode = 5"));
        params.Add(QStringLiteral("@viptype"), gone);
        driver.setNextHandler([&](QDialog& dialog) {
            TBaseQuery* w = windowIn(dialog);
            QCOMPARE(w->CurrentRow(), 0);
            QCOMPARE(w->GData(QStringLiteral("vippricetypestr")), QString());
            QTest::keyClick(w->GetMainGrid(), Qt::Key_Escape);
        });
        QCOMPARE(CallQueryClass(QStringLiteral("TVipCardType"), params), mrCancel);
        QCOMPARE(boxes.shown().size(), 0);
        QCOMPARE(driver.leftOpen(), 0);
    }

    void editionsHideTheirColumns() {
        TestDatabase db;
        Chain chain;
        EditionGuard guard;
        ModalDriver driver;
        const QStringList memberDays = {"usevipdaybool",         "vipdaystr",
                                        "vipmonthdaystr",        "birthday",
                                        "birthdaymonth",         "usedisandvipprice",
                                        "usevipprice",           "weekvipdaydiscount",
                                        "weekvipdayxintegral",   "weekvipdayusevipprice",
                                        "weekvipdayuseintegral", "weekvipdayusedis",
                                        "vipdayordername"};
        const QStringList priceLimits = {"ifvippricediscount", "issalelimit", "vippricetypestr"};
        const QStringList stores = {"usepos", "posname"};
        struct Case {
            bool food;
            int edition;
            QList<int> flags;
            QStringList hidden;
        };
        const QList<Case> cases = {
            {false, 8, {12, 14, 25}, {}},
            {true, 1, {12}, stores},
            {true, 8, {}, priceLimits + memberDays},
            {true, 2, {14, 25}, priceLimits + memberDays + QStringList{"ifpromotionpricediscount", "espricenotintegral", "ifvipprice"}},
        };
        for (const Case& c : cases) {
            Ucomvar().bFood = c.food;
            Ucomvar().nMedVersion = c.edition;
            Ucomvar().appClass = TAppClass();
            for (int flag : c.flags)
                Ucomvar().appClass.SetFlag(flag, true);
            QStringList expected = c.hidden;
            expected << QStringLiteral("ctypeid");
            expected.sort();
            driver.setNextHandler([&](QDialog& dialog) {
                QStringList hidden = hiddenColumns(windowIn(dialog));
                hidden.sort();
                QCOMPARE(hidden, expected);
                dialog.reject();
            });
            TParamObject params;
            QCOMPARE(CallQueryClass(QStringLiteral("TVipCardTypeSel"), params), mrCancel);
        }
        QVERIFY(!driver.pendingHandlers());
    }

    void pickerHandsBackTheChosenTypeOrNothing() {
        TestDatabase db;
        Chain chain;
        ModalDriver driver;
        ScriptedMessages boxes;
        TParamObject params;
        params.Add(QStringLiteral("@viptype"), chain.silver);
        params.Add(QStringLiteral("@SelectOneRow"), 1);
        driver.setNextHandler([&](QDialog& dialog) {
            TQueryGrid* grid = windowIn(dialog)->GetMainGrid();
            QTest::keyClick(grid, Qt::Key_Down);
            QTest::keyClick(grid, Qt::Key_S, Qt::AltModifier);
        });
        QCOMPARE(CallQueryClass(QStringLiteral("TVipCardTypeSel"), params), mrOk);
        QCOMPARE(params.AsInteger(QStringLiteral("ctypeid")), chain.quoted);
        QCOMPARE(params.AsString(QStringLiteral("TypeName")), QStringLiteral("O'Neil卡"));
        QCOMPARE(params.AsFloat(QStringLiteral("Discount")), 95.0);

        driver.setNextHandler(
            [&](QDialog& dialog) { QTest::keyClick(windowIn(dialog)->GetMainGrid(), Qt::Key_Escape); });
        QCOMPARE(CallQueryClass(QStringLiteral("TVipCardTypeSel"), params), mrCancel);
        QCOMPARE(params.AsString(QStringLiteral("TypeName")), QString());
        QVERIFY(!params.Has(QStringLiteral("ctypeid")));

        QCOMPARE(boxes.shown().size(), 0);
        QCOMPARE(driver.leftOpen(), 0);
    }

    void deleteRefusesTypesInUseAndTakesUnusedOnesWhole() {
        TestDatabase db;
        Chain chain;
        addCard(chain.gold, QStringLiteral("G1"), 0);
        addCard(chain.quoted, QStringLiteral("Q1"), 1);
        const QList<int> goldRows = typeRows(chain.gold);
        QVERIFY(goldRows[0] > 0 && goldRows[1] == 2);
        // The quoted type gets the same rules; only a deleted card carries it.
        dmClient().ExecuteSQL(
            QStringLiteral(
                "INSERT INTO PosVipType (PosID, viptype) SELECT PosID, CAST(? AS INTEGER) FROM PosVipType"),
            {chain.quoted});
        dmClient().ExecuteSQL(
            QStringLiteral(
                "INSERT INTO vipAutoDiscount (VipTypeId, DisType, Comment) "
                "SELECT CAST(? AS INTEGER), DisType, Comment FROM vipAutoDiscount WHERE VipTypeId = ?"),
            {chain.quoted, chain.gold});
        ModalDriver driver;
        ScriptedMessages boxes;
        // Cancel, then OK to every question and error box that follows.
        boxes.setNextAnswer(IDCANCEL);
        for (int i = 0; i < 5; ++i)
            boxes.setNextAnswer(IDOK);
        const QList<int> silverRows = typeRows(chain.silver);
        driver.setNextHandler([&](QDialog& dialog) {
            TBaseQuery* w = windowIn(dialog);
            press(w, QStringLiteral("删    除[&D]"));
            QCOMPARE(boxes.last().text, QStringLiteral("你是否真的要删除这类会员卡？"));
            QCOMPARE(boxes.last().caption, QStringLiteral("是否删除?"));
            QCOMPARE(boxes.last().style, 0x21);
            QVERIFY(live(chain.gold));

            QTest::keyClick(w->GetMainGrid(), Qt::Key_D, Qt::AltModifier);
            QCOMPARE(boxes.shown().size(), 3);
            QCOMPARE(boxes.last().text, QStringLiteral("该会员卡类型正在使用不能删除!"));
            QVERIFY(live(chain.gold));
            QCOMPARE(typeRows(chain.gold), goldRows);

            w->GetMainGrid()->SetCurrentRow(rowOf(w, QStringLiteral("O'Neil卡")));
            press(w, QStringLiteral("删    除[&D]"));
            QCOMPARE(boxes.shown().size(), 4);
            QVERIFY(!live(chain.quoted));
            QCOMPARE(typeRows(chain.quoted), (QList<int>{0, 0}));
            QCOMPARE(typeRows(chain.gold), goldRows);
            QCOMPARE(w->RowCount(), 2);
            QCOMPARE(w->GData(QStringLiteral("VipdayStr"), 0), QStringLiteral("每周: 星期二,星期日"));

            // The store rows go first; the rule rows cannot, so the store rows must come back.
            dmClient().ExecuteSQL(QStringLiteral("ALTER TABLE vipAutoDiscount RENAME TO vipAutoDiscountAway"));
            w->GetMainGrid()->SetCurrentRow(rowOf(w, QStringLiteral("银卡")));
            press(w, QStringLiteral("删    除[&D]"));
            dmClient().ExecuteSQL(QStringLiteral("ALTER TABLE vipAutoDiscountAway RENAME TO vipAutoDiscount"));
            QCOMPARE(boxes.shown().size(), 6);
            QCOMPARE(boxes.last().caption, QStringLiteral("错误"));
            QCOMPARE(w->RowCount(), 2);
            QVERIFY(live(chain.silver));
            QCOMPARE(typeRows(chain.silver), silverRows);
            dialog.reject();
        });
        TParamObject params;
        QCOMPARE(CallQueryClass(QStringLiteral("TVipCardTypeSet"), params), mrCancel);
        QCOMPARE(boxes.unanswered(), 0);
        QVERIFY(!boxes.pendingAnswers());
    }

    void addAndEditGoThroughTheTypeDialog() {
        TestDatabase db;
        Chain chain;
        ModalDriver driver;
        ScriptedMessages boxes;
        // Replaces a field's text, which must read 'from' first.
        const auto retype = [](QDialog& dialog, const char* field, const QString& from, const QString& to) {
            auto* edit = dialog.findChild<QLineEdit*>(QLatin1String(field));
            QVERIFY2(edit, field);
            QCOMPARE(edit->text(), from);
            edit->selectAll();
            // The text arrives as one key event carrying it, as an input method sends Chinese.
            QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, to, Qt::NoModifier);
        };
        driver.setNextHandler([&](QDialog& dialog) {
            TBaseQuery* w = windowIn(dialog);
            QTest::keyClick(w->GetMainGrid(), Qt::Key_A, Qt::AltModifier);
            QCOMPARE(w->RowCount(), 4);
            QCOMPARE(w->GData(QStringLiteral("vippricetypestr"), rowOf(w, QStringLiteral("钻石卡"))),
                     QStringLiteral("会员价"));

            w->GetMainGrid()->SetCurrentRow(rowOf(w, QStringLiteral("银卡")));
            press(w, QStringLiteral("修    改[&M]"));
            QCOMPARE(w->GData(QStringLiteral("TypeName"), 1), QStringLiteral("普卡"));
            QCOMPARE(w->GDataVar(QStringLiteral("ctypeid"), 1).toInt(), chain.silver);
            dialog.reject();
        });
        driver.setNextHandler([&](QDialog& dialog) {
            retype(dialog, "reName", QString(), QStringLiteral("钻石卡"));
            retype(dialog, "edtbuyTotal", QString(), QStringLiteral("10"));
            retype(dialog, "edtInteger", QString(), QStringLiteral("1"));
            QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("btnOK")), Qt::LeftButton);
        });
        driver.setNextHandler([&](QDialog& dialog) {
            retype(dialog, "reName", QStringLiteral("银卡"), QStringLiteral("普卡"));
            QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("btnOK")), Qt::LeftButton);
        });
        TParamObject params;
        QCOMPARE(CallQueryClass(QStringLiteral("TVipCardTypeSet"), params), mrCancel);
        QCOMPARE(driver.leftOpen(), 0);
        QCOMPARE(driver.unhandled(), 0);
        QCOMPARE(boxes.shown().size(), 0);
    }

};

QTEST_MAIN(CardTypeListsTest)
#include "tst_CardTypeLists.moc"
