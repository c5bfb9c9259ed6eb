#include "host/db/LedgerAudit.h"
#include "host/sdk/DataModule.h"
#include "host/sdk/Money.h"
#include "host/sdk/TParamObject.h"
#include "host/sdk/Ucomvar.h"
#include "host/sdk/VipCodes.h"
#include "host/sdk/ui/TQueryGrid.h"
#include "tests/support/DbProbe.h"
#include "tests/support/FlowFixture.h"
#include "tests/support/RecordingPrint.h"
#include "tests/support/RunTogether.h"
#include "tests/support/TestRows.h"
#include "tests/support/TestUser.h"
#include "tests/support/UserInput.h"
#include "vip/frame/PackageEntry.h"
#include "vip/members/TVipQuery.h"
#include "vip/members/VipCardStore.h"
#include "vip/points/PointsExports.h"
#include "vip/points/VipExchangeListModel.h"
#include "vip/points/VipPointsStore.h"

#include <QAction>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QTest>
#include <optional>

using UserInput::click;
using UserInput::get;

namespace {

constexpr int CashWay = PointsChange::Cash + 1;
constexpr int StoredValueWay = PointsChange::StoredValue + 1;
constexpr int GoodsWay = PointsChange::Goods + 1;
constexpr int CardsWay = PointsChange::ShoppingCards + 1;

// A coupon card written as the coupon editor writes it: not activated, nobody's.
void couponCard(DataModule& data, int typeId, const QString& cardNo) {
    TParamObject p;
    const QList<QPair<QString, QVariant>> values = {{"@ID", 0},
                                                    {"@ETCID", typeId},
                                                    {"@ETCType", CouponKind::CashCoupon},
                                                    {"@CardNo", cardNo},
                                                    {"@VIPID", 0},
                                                    {"@VIPCode", QString()},
                                                    {"@CreateERec", 1},
                                                    {"@Flag", 0},
                                                    {"@Total", 50},
                                                    {"@UsedTotal", 0},
                                                    {"@StartDate", QDate(2025, 1, 1)},
                                                    {"@EndDate", QDate(2050, 1, 1)},
                                                    {"@LPosID", QString()},
                                                    {"@LPosName", QStringLiteral("全部门店")}};
    for (const auto& [name, value] : values)
        p.Add(name, value);
    if (data.ExecuteProcByName(QStringLiteral("KD_ETCListEdit"), p) != 0)
        qFatal("coupon card %s not written", qPrintable(cardNo));
}

int issue(int type, const QString& cardNo, int points, bool storedValue = false) {
    VipCardStore::CardFields card;
    card.cardNo = cardNo;
    card.name = QStringLiteral("持卡人") + cardNo;
    card.cardType = type;
    card.bulidDate = QDate(2025, 1, 1);
    card.validityDate = QDate(2099, 12, 31);
    card.isLife = true;
    card.autoIntegral = true;
    VipCardStore store;
    const int id = store.WriteCard(card);
    VipCardStore::StoredValue settings;
    settings.vipCz = true;
    if (id <= 0 || (storedValue && store.WriteStoredValue(id, settings) != 0) ||
        store.ChangePoints(cardNo, PointsChange::Added, points, QString(), 0, QStringLiteral("开卡积分")) <=
            0)
        qFatal("card %s not written", qPrintable(cardNo));
    return id;
}

int scalar(const QString& sql, const QVariantList& params = {}) {
    return dmClient().OpenSQLAsInt(sql, params);
}

int points(const QString& cardNo) {
    return scalar(QStringLiteral("SELECT IntegralTotal FROM vipcard WHERE CardNo = ?"), {cardNo});
}

// The list's cell of a row in a column, as the grid shows it.
QString cell(QDialog& dialog, int row, VipExchangeListModel::Column column) {
    auto* model = static_cast<VipExchangeListModel*>(get<QTableView>(dialog, "gridExchange")->model());
    return model->index(row, model->ModelColumn(column)).data().toString();
}

// Types into a cell of the list as the user does.
void edit(QDialog& dialog, int row, VipExchangeListModel::Column column, const QString& text) {
    auto* model = static_cast<VipExchangeListModel*>(get<QTableView>(dialog, "gridExchange")->model());
    QVERIFY(model->setData(model->index(row, model->ModelColumn(column)), text));
}

QString text(QDialog& dialog, const char* name) {
    if (auto* edit = dialog.findChild<QLineEdit*>(QLatin1String(name)))
        return edit->text();
    return get<QLabel>(dialog, name)->text();
}

} // namespace

class TestTKvr_VipChangeTotalfrm : public QObject {
    Q_OBJECT

    std::optional<FlowFixture> flow;
    std::optional<TestUser> clerk;
    int type = 0;
    int store = 0;
    int warehouse = 0;

    QStringList shownTexts() {
        QStringList texts;
        for (const ScriptedMessages::Box& box : flow->boxes().shown())
            texts << box.text;
        return texts;
    }

private slots:
    void initTestCase() { Initialize(); }
    void cleanupTestCase() { Finalize(); }

    void init() {
        flow.emplace();
        type = TestRows::addCardType(flow->data(), QStringLiteral("积分卡"));
        clerk.emplace(flow->data(), QStringLiteral("clerk"), QList<int>{508, 826, 827, 855});
        store =
            TestRows::addStore(flow->data(), {.code = QStringLiteral("01"), .name = QStringLiteral("一店")});
        warehouse =
            TestRows::addWarehouse(flow->data(), QStringLiteral("00002"), QStringLiteral("一店仓库"), store);
        Ucomvar().lPublicPosid = store;
        Ucomvar().szPublicPosKtype = QStringLiteral("00002");
    }

    void cleanup() {
        QCOMPARE(flow->unsettled(), 0);
        QVERIFY(LedgerAudit::run(flow->data().database()).isEmpty());
        clerk.reset();
        flow.reset();
    }

    // Points are allotted to the rules in order; typed units are cut down to what
    // the points allow beside the other rows. Leaving writes nothing.
    void pointsAreAllottedInOrderAndTypedUnitsCutDown() {
        issue(type, QStringLiteral("A1"), 250);
        TestRows::addExchangeRule(
            flow->data(), {.cardType = type, .changeType = CashWay, .useIntegral = 100, .exchangeNum = 10});
        TestRows::addExchangeRule(
            flow->data(), {.cardType = type, .changeType = CashWay, .useIntegral = 30, .exchangeNum = 2});
        // A rule of another way, one past its dates and a deleted one are not offered.
        TestRows::addExchangeRule(flow->data(),
                                  {.cardType = type, .changeType = StoredValueWay, .useIntegral = 1});
        TestRows::addExchangeRule(
            flow->data(),
            {.cardType = type, .changeType = CashWay, .useIntegral = 1, .until = QDate(2020, 1, 1)});
        TestRows::addExchangeRule(
            flow->data(), {.cardType = type, .changeType = CashWay, .useIntegral = 1, .deleted = true});
        flow->driver().setNextHandler([&](QDialog& dialog) {
            QCOMPARE(dialog.windowTitle(), QStringLiteral("现金兑换"));
            QCOMPARE(get<QTableView>(dialog, "gridExchange")->model()->rowCount(), 2);
            UserInput::type(dialog, "edtPoints", QStringLiteral("250"), true);
            QCOMPARE(cell(dialog, 0, VipExchangeListModel::ExQty), QStringLiteral("2"));
            QCOMPARE(cell(dialog, 1, VipExchangeListModel::ExQty), QStringLiteral("1"));
            QCOMPARE(text(dialog, "edtPoints"), QStringLiteral("230"));
            QCOMPARE(text(dialog, "lblTotal"), QStringLiteral("22.00"));
            edit(dialog, 0, VipExchangeListModel::ExQty, QStringLiteral("1"));
            edit(dialog, 1, VipExchangeListModel::ExQty, QStringLiteral("9"));
            QCOMPARE(cell(dialog, 1, VipExchangeListModel::ExQty), QStringLiteral("5"));
            QCOMPARE(cell(dialog, 1, VipExchangeListModel::ExInt), QStringLiteral("150"));
            QCOMPARE(text(dialog, "edtPoints"), QStringLiteral("250"));
            // Points typed into a row take the whole units they pay for.
            edit(dialog, 0, VipExchangeListModel::ExInt, QStringLiteral("199"));
            QCOMPARE(cell(dialog, 0, VipExchangeListModel::ExQty), QStringLiteral("1"));
            click(dialog, "btnExit");
        });
        QVERIFY(!IntegralExchage(PointsChange::Cash, QStringLiteral("A1")));
        QCOMPARE(points(QStringLiteral("A1")), 250);
        QCOMPARE(DbProbe::count(flow->data(), QStringLiteral("vipchangeexchange")), 0);
    }

    // One rule takes every point the card holds at once; the cash exchange is
    // written as one points change with its rule row, posted with the money paid
    // out, and printed on its own receipt with the list.
    void aSingleCashRuleTakesAllPointsAndIsPosted() {
        issue(type, QStringLiteral("B1"), 95);
        const int rule = TestRows::addExchangeRule(
            flow->data(), {.cardType = type, .changeType = CashWay, .useIntegral = 20, .exchangeNum = 5});
        RecordingPrint printer;
        flow->driver().setNextHandler([&](QDialog& dialog) {
            QCOMPARE(text(dialog, "edtPoints"), QStringLiteral("80"));
            QCOMPARE(cell(dialog, 0, VipExchangeListModel::ExQty), QStringLiteral("4"));
            click(dialog, "btnPrint");
            click(dialog, "btnOK");
        });
        QVERIFY(IntegralExchage(PointsChange::Cash, QStringLiteral("B1")));
        QCOMPARE(shownTexts(), QStringList{QStringLiteral("现金兑换成功！")});
        QCOMPARE(printer.name, QStringLiteral("现金兑换详情.rwx"));
        QVERIFY(printer.itemTexts().contains(QStringLiteral("处理方式=现金兑换")));
        QCOMPARE(points(QStringLiteral("B1")), 15);
        QCOMPARE(
            scalar(QStringLiteral("SELECT ChangeTotal FROM VipChangeInfo WHERE ChangeType = ?"), {CashWay}),
            -80);
        QCOMPARE(scalar(QStringLiteral("SELECT Czxf FROM VipChangeInfo WHERE ChangeType = ?"), {CashWay}),
                 Money::fromUnits(20).raw());
        QCOMPARE(
            scalar(QStringLiteral("SELECT ExChangeNum FROM vipchangeexchange WHERE ExChangeID = ?"), {rule}),
            4);
        QCOMPARE(scalar(QStringLiteral("SELECT Total FROM VipExchangeBill")), Money::fromUnits(20).raw());
    }

    // From the member list: the stored value the rules give is credited to the card
    // through its ledger, and the list shows the points left.
    void storedValueFromTheMemberListIsCreditedThroughTheLedger() {
        const int card = issue(type, QStringLiteral("C1"), 300, true);
        TestRows::addExchangeRule(
            flow->data(),
            {.cardType = type, .changeType = StoredValueWay, .useIntegral = 100, .exchangeNum = 12.75});
        TestRows::addExchangeRule(
            flow->data(),
            {.cardType = type, .changeType = StoredValueWay, .useIntegral = 40, .exchangeNum = 4});
        TVipQuery list;
        list.Open();
        list.GetMainGrid()->SetCurrentRow(0);
        flow->driver().setNextHandler([&](QDialog& dialog) {
            QCOMPARE(dialog.objectName(), QStringLiteral("TKvr_VipChangeTotalfrm"));
            UserInput::type(dialog, "edtPoints", QStringLiteral("290"), true);
            QCOMPARE(text(dialog, "lblTotal"), QStringLiteral("33.50"));
            click(dialog, "btnOK");
        });
        list.GetAction(QStringLiteral("储值兑换[&C]"))->trigger();
        QCOMPARE(shownTexts(), QStringList{QStringLiteral("储值兑换成功！")});
        QCOMPARE(points(QStringLiteral("C1")), 20);
        QCOMPARE(list.GData(QStringLiteral("IntegralTotal")), QStringLiteral("20"));
        ClientDataSet credit;
        flow->data().OpenSQL(
            QStringLiteral("SELECT Amount, Gift FROM VipCzChange WHERE Vipcardid = ? AND ChangeType = ?"),
            credit, {card, StoredValueChange::PointsExchange});
        QCOMPARE(credit.RecordCount(), 1);
        QCOMPARE(credit.FieldByName(QStringLiteral("Amount")).AsMoney(), Money());
        QCOMPARE(credit.FieldByName(QStringLiteral("Gift")).AsMoney(), Money::fromDouble(33.5));
        QCOMPARE(scalar(QStringLiteral("SELECT Cz FROM vipcard WHERE id = ?"), {card}),
                 Money::fromDouble(33.5).raw());
    }

    // Goods leave the warehouse with the price difference paid into the account;
    // too little on hand is refused with the dialog open and nothing written.
    void goodsLeaveTheWarehouseAndTooLittleStockIsRefused() {
        issue(type, QStringLiteral("G1"), 500);
        const int cup = TestRows::addProduct(flow->data(), QStringLiteral("0001"), QStringLiteral("P01"),
                                             QStringLiteral("保温杯"));
        const int account = TestRows::addAccount(flow->data(), QStringLiteral("0000100001"),
                                                 QStringLiteral("00001"), QStringLiteral("现金"));
        TestRows::addAccount(flow->data(), QStringLiteral("00001"), QString(), QStringLiteral("现金类"));
        TestRows::addExchangeRule(flow->data(), {.cardType = type,
                                                 .changeType = GoodsWay,
                                                 .useIntegral = 100,
                                                 .exchangeNum = 1,
                                                 .diffprice = 3.5,
                                                 .prec = cup});
        TestRows::addStock(flow->data(), warehouse, cup, 2);
        flow->driver().setNextHandler([&](QDialog& dialog) {
            QCOMPARE(text(dialog, "edtPoints"), QStringLiteral("500"));
            QCOMPARE(text(dialog, "lblQty"), QStringLiteral("5"));
            QCOMPARE(text(dialog, "lblDiff"), QStringLiteral("17.50"));
            click(dialog, "btnOK");
            QCOMPARE(flow->boxes().last().text, QStringLiteral("商品兑换有补差合计时收款账户必须选择！!"));
            flow->driver().setNextHandler([&](QDialog& accounts) { click(accounts, "btnOK"); });
            click(dialog, "btnAccount");
            QCOMPARE(text(dialog, "edtAccount"), QStringLiteral("现金"));
            click(dialog, "btnOK");
            QCOMPARE(flow->boxes().last().text, QStringLiteral("库存数量不足，请选择其他商品！"));
            QVERIFY(dialog.isVisible());
            QCOMPARE(DbProbe::count(flow->data(), QStringLiteral("VipChangeInfo"),
                                    QStringLiteral("ChangeType = ?"), {GoodsWay}),
                     0);
            edit(dialog, 0, VipExchangeListModel::ExQty, QStringLiteral("2"));
            click(dialog, "btnOK");
        });
        QVERIFY(IntegralExchage(PointsChange::Goods, QStringLiteral("G1")));
        QCOMPARE(flow->boxes().last().text, QStringLiteral("商品兑换成功！"));
        QCOMPARE(points(QStringLiteral("G1")), 300);
        QCOMPARE(scalar(QStringLiteral("SELECT Qty FROM GoodsStock WHERE KRec = ? AND PRec = ?"),
                        {warehouse, cup}),
                 0);
        ClientDataSet bill;
        flow->data().OpenSQL(QStringLiteral("SELECT KRec, ARec, DiffTotal, TotalQty FROM VipExchangeBill"),
                             bill);
        QCOMPARE(bill.FieldByName(QStringLiteral("KRec")).AsInteger(), warehouse);
        QCOMPARE(bill.FieldByName(QStringLiteral("ARec")).AsInteger(), account);
        QCOMPARE(bill.FieldByName(QStringLiteral("DiffTotal")).AsMoney(), Money::fromUnits(7));
        QCOMPARE(bill.FieldByName(QStringLiteral("TotalQty")).AsMoney(), Money::fromUnits(2));
    }

    // Shopping cards are found by number, refused when their type is not on offer,
    // counted against the units taken, then bound to the member and activated with
    // the exchange; once none is left unissued, the number finds nothing.
    void shoppingCardsAreBoundAndActivatedWithTheExchange() {
        issue(type, QStringLiteral("M1"), 250);
        issue(type, QStringLiteral("M2"), 250);
        const int coupon =
            TestRows::addCouponType(flow->data(), CouponKind::CashCoupon, QStringLiteral("50元券"), 50);
        const int other =
            TestRows::addCouponType(flow->data(), CouponKind::CashCoupon, QStringLiteral("20元券"), 20);
        TestRows::addExchangeRule(flow->data(), {.cardType = type,
                                                 .changeType = CardsWay,
                                                 .useIntegral = 100,
                                                 .exchangeNum = 1,
                                                 .etcId = coupon});
        for (const QString& number : {QStringLiteral("GC001"), QStringLiteral("GC002")})
            couponCard(flow->data(), coupon, number);
        couponCard(flow->data(), other, QStringLiteral("GX001"));
        const auto add = [&](QDialog& dialog, const QString& number) {
            UserInput::type(dialog, "edtCouponNo", number);
            QTest::keyClick(get<QLineEdit>(dialog, "edtCouponNo"), Qt::Key_Return);
        };
        flow->driver().setNextHandler([&](QDialog& dialog) {
            QCOMPARE(text(dialog, "edtPoints"), QStringLiteral("200"));
            add(dialog, QStringLiteral("ZZ"));
            QCOMPARE(flow->boxes().last().text, QStringLiteral("没有找到未激活的购物卡：ZZ"));
            add(dialog, QStringLiteral("GX001"));
            QCOMPARE(flow->boxes().last().text,
                     QStringLiteral("你选择的购物卡[GX001]不在可兑换的列表中，请重新选择！"));
            add(dialog, QStringLiteral("GC001"));
            add(dialog, QStringLiteral("GC001")); // already listed: nothing said
            QCOMPARE(get<TQueryGrid>(dialog, "gridCoupons")->model()->rowCount(), 1);
            flow->boxes().clear();
            click(dialog, "btnOK");
            QCOMPARE(shownTexts(), QStringList{QStringLiteral("可兑换列表中兑换数量和购物卡的数量不一致")});
            add(dialog, QStringLiteral("GC002"));
            click(dialog, "btnOK");
        });
        QVERIFY(IntegralExchage(PointsChange::ShoppingCards, QStringLiteral("M1")));
        QCOMPARE(flow->boxes().last().text, QStringLiteral("购物卡兑换成功！"));
        QCOMPARE(points(QStringLiteral("M1")), 50);
        QCOMPARE(
            DbProbe::count(flow->data(), QStringLiteral("ETCList"),
                           QStringLiteral("VIPCode = 'M1' AND Flag = 1 AND CardNo IN ('GC001', 'GC002')")),
            2);
        QCOMPARE(dmClient().OpenSQLAsStr(QStringLiteral("SELECT Comment FROM vipchangeexchange")),
                 QStringLiteral("GC001,GC002"));

        flow->boxes().clear();
        flow->driver().setNextHandler([&](QDialog& dialog) {
            add(dialog, QStringLiteral("GC"));
            QCOMPARE(shownTexts(), QStringList{QStringLiteral("没有找到未激活的购物卡：GC")});
            click(dialog, "btnExit");
        });
        QVERIFY(!IntegralExchage(PointsChange::ShoppingCards, QStringLiteral("M2")));
        QCOMPARE(points(QStringLiteral("M2")), 250);
    }

    // Two tills spend the last points of one card at once: one exchange is written,
    // the other refused whole, and the ledgers still add up.
    void twoExchangesForTheLastPointsSpendThemOnce() {
        issue(type, QStringLiteral("R1"), 100);
        const int rule = TestRows::addExchangeRule(
            flow->data(), {.cardType = type, .changeType = CashWay, .useIntegral = 100, .exchangeNum = 10});
        std::array<VipPointsStore::ExchangeOutcome, 2> outcomes;
        const QStringList errors = RunTogether(flow->db(), 2, [&](DataModule& data, int writer) {
            VipPointsStore::Exchange exchange;
            exchange.cardNo = QStringLiteral("R1");
            exchange.changeType = PointsChange::Cash;
            exchange.points = 100;
            exchange.posId = store;
            exchange.memo = QStringLiteral("现金兑换");
            exchange.total = Money::fromUnits(10);
            exchange.rows = {{.exchangeId = rule, .units = 1}};
            outcomes[writer] = VipPointsStore(data).SaveExchange(exchange);
        });
        QVERIFY2(errors.isEmpty(), qPrintable(errors.join(QLatin1Char('\n'))));
        QCOMPARE(std::count_if(outcomes.cbegin(), outcomes.cend(), [](const auto& o) { return o.newId > 0; }),
                 1);
        QVERIFY(std::any_of(outcomes.cbegin(), outcomes.cend(),
                            [](const auto& o) { return o.changeRefusal == VipPointsStore::TooFewPoints; }));
        QCOMPARE(points(QStringLiteral("R1")), 0);
        QCOMPARE(DbProbe::count(flow->data(), QStringLiteral("vipchangeexchange")), 1);
    }

    // The procedures work every figure out again from the rules: a caller that asks
    // for more than the points pay for, or names a rule of another card type, is
    // refused and nothing stays written.
    void theProceduresTrustNoFigureOfTheCaller() {
        issue(type, QStringLiteral("T1"), 100);
        const int other = TestRows::addCardType(flow->data(), QStringLiteral("别的卡"));
        const int rule = TestRows::addExchangeRule(
            flow->data(), {.cardType = type, .changeType = CashWay, .useIntegral = 50, .exchangeNum = 5});
        const int foreign = TestRows::addExchangeRule(
            flow->data(), {.cardType = other, .changeType = CashWay, .useIntegral = 1, .exchangeNum = 100});
        const auto save = [&](QList<VipPointsStore::ExchangeRow> rows, Money total) {
            VipPointsStore::Exchange exchange;
            exchange.cardNo = QStringLiteral("T1");
            exchange.changeType = PointsChange::Cash;
            exchange.points = 50;
            exchange.posId = store;
            exchange.total = total;
            exchange.rows = rows;
            return VipPointsStore().SaveExchange(exchange);
        };
        QCOMPARE(save({{.exchangeId = rule, .units = 2}}, Money::fromUnits(10)).postResult,
                 int(VipPointsStore::BillRefused));
        QCOMPARE(save({{.exchangeId = rule, .units = 1}}, Money::fromUnits(50)).postResult,
                 int(VipPointsStore::BillRefused));
        QCOMPARE(save({{.exchangeId = foreign, .units = 50}}, Money::fromUnits(5000)).postResult,
                 int(VipPointsStore::BillRefused));
        QCOMPARE(points(QStringLiteral("T1")), 100);
        QCOMPARE(DbProbe::count(flow->data(), QStringLiteral("VipChangeInfo"),
                                QStringLiteral("ChangeType = ?"), {CashWay}),
                 0);
        QCOMPARE(save({{.exchangeId = rule, .units = 1}}, Money::fromUnits(5)).postResult,
                 int(VipPointsStore::Posted));
        QCOMPARE(points(QStringLiteral("T1")), 50);
        // The check names an exchange whose rule rows no longer add up to its points.
        flow->data().ExecuteSQL(QStringLiteral("UPDATE vipchangeexchange SET ExChangeNum = 3"));
        const QList<LedgerAudit::Mismatch> found = LedgerAudit::run(flow->data().database());
        QCOMPARE(found.size(), 1);
        QCOMPARE(found.first().cardNo, QStringLiteral("T1"));
        QCOMPARE(found.first().held, 50);
        QCOMPARE(found.first().ledger, 150);
        flow->data().ExecuteSQL(QStringLiteral("UPDATE vipchangeexchange SET ExChangeNum = 1"));
    }
};

QTEST_MAIN(TestTKvr_VipChangeTotalfrm)
#include "tst_TKvr_VipChangeTotalfrm.moc"
