#include "host/sdk/DataModule.h"
#include "host/sdk/ui/CallQueryClass.h"
#include "host/sdk/ui/TBaseQuery.h"
#include "host/sdk/ui/TQueryGrid.h"
#include "tests/support/DbProbe.h"
#include "tests/support/FlowFixture.h"
#include "tests/support/TestRows.h"
#include "tests/support/TestUser.h"
#include "tests/support/UserInput.h"
#include "vip/frame/PackageEntry.h"
#include "vip/points/ExchangeRuleGrid.h"
#include "vip/points/ExchangeSetExports.h"
#include "vip/points/VipPointsStore.h"

#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QDialog>
#include <QTest>
#include <QToolBar>
#include <QTreeWidget>
#include <optional>

using UserInput::click;
using UserInput::get;
using F = ExchangeRuleModel::Field;

namespace {

const QDate From(2025, 1, 1);
const QDate To(2025, 12, 31);

// Types a cell of a way's grid as the user would leave it.
void typeCell(QDialog& dialog, int way, int row, F field, const QString& text) {
    ExchangeRuleModel* model =
        get<ExchangeRuleGrid>(dialog, qPrintable(QStringLiteral("grid%1").arg(way)))->RuleModel();
    QVERIFY(model->setData(model->index(row, model->ColumnOf(field)), text));
}

int couponType(const QString& name) {
    return dmClient().OpenSQLAsInt(
        QStringLiteral("INSERT INTO ETCType (TYPE, NAME, CreatedAt) VALUES (1, ?, ?) RETURNING ID"),
        {name, QDateTime(From, QTime(9, 0))});
}

// The live rules of a group: id, order, points, coupon type.
QList<QList<int>> liveRules(const QString& groupId) {
    ClientDataSet rows;
    dmClient().OpenSQL(
        QStringLiteral("SELECT ExChangeID, groupOrdId, UseIntegral, ETCID FROM IntegralexchangeSet "
                       "WHERE groupId = ? AND deleted = 0 ORDER BY groupOrdId"),
        rows, {groupId});
    QList<QList<int>> rules;
    for (int r = 0; r < rows.RecordCount(); ++r)
        rules.append({rows.Value(r, 0).toInt(), rows.Value(r, 1).toInt(), rows.Value(r, 2).toInt(),
                      rows.Value(r, 3).toInt()});
    return rules;
}

ExchangeRule rule(int points, int gives, int couponType = 0) {
    return {.useIntegral = points, .exchangeNum = Money::fromUnits(gives), .etcId = couponType};
}

QString saveGroup(int type, int way, const QList<ExchangeRule>& rules) {
    ExchangeGroup group{.ctypeId = type, .changeType = way, .startDate = From, .endDate = To, .rules = rules};
    if (VipPointsStore().SaveExchangeGroup(group, 0).result != 0)
        qFatal("group not saved");
    return group.groupId;
}

void press(TBaseQuery* window, const QString& caption) {
    QAction* action = window->GetAction(caption);
    QVERIFY2(action && action->isEnabled(), qPrintable(caption));
    QTest::mouseClick(window->findChild<QToolBar*>()->widgetForAction(action), Qt::LeftButton);
}

} // namespace

class TestTFExchange : public QObject {
    Q_OBJECT

    std::optional<FlowFixture> flow;
    int type = 0;

    QString lastBox() {
        const QString text = flow->boxes().last().text;
        flow->boxes().clear();
        return text;
    }

private slots:
    void initTestCase() { Initialize(); }
    void cleanupTestCase() { Finalize(); }

    void init() {
        flow.emplace();
        type = TestRows::addCardType(flow->data(), QStringLiteral("积分卡"));
    }

    void cleanup() {
        QCOMPARE(flow->unsettled(), 0);
        QCOMPARE(DbProbe::count(flow->data(), QStringLiteral("IntegralexchangeSet"),
                                QStringLiteral("deleted = 151110")),
                 0);
        flow.reset();
    }

    // The checks come in their order, each naming its row; the highest number of
    // points is a rule, one more is not, whatever the sign.
    void pointsAreHeldToTheirRangeRowByRow() {
        flow->driver().setNextHandler([&](QDialog& dialog) {
            get<QDateEdit>(dialog, "dtSDate")->setDate(To);
            get<QDateEdit>(dialog, "dtEDate")->setDate(From);
            click(dialog, "btnOK");
            QCOMPARE(lastBox(), QStringLiteral("结束日期不能小于开始日期！"));
            get<QDateEdit>(dialog, "dtSDate")->setDate(From);
            get<QDateEdit>(dialog, "dtEDate")->setDate(To);
            click(dialog, "btnOK");
            QCOMPARE(lastBox(), QStringLiteral("请在表格中输入积分兑换信息！"));
            typeCell(dialog, 7, 0, F::Points, QStringLiteral("100"));
            typeCell(dialog, 7, 0, F::Quantity, QStringLiteral("5"));
            typeCell(dialog, 7, 2, F::Points, QStringLiteral("-5"));
            click(dialog, "btnOK");
            QCOMPARE(lastBox(), QStringLiteral("第3行，兑换金额不能为0！"));
            typeCell(dialog, 7, 2, F::Quantity, QStringLiteral("10"));
            const QList<QPair<QString, QString>> refused = {
                {QStringLiteral("-5"), QStringLiteral("第3行，所需积分超出范围0~10000000！")},
                {QStringLiteral("10000001"), QStringLiteral("第3行，所需积分超出范围0~10000000！")},
                {QStringLiteral("0"), QStringLiteral("第3行，所需积分不能为0！")},
                {QStringLiteral("-"), QStringLiteral("第3行，所需积分必须是数字！")},
            };
            for (const auto& [points, text] : refused) {
                typeCell(dialog, 7, 2, F::Points, points);
                click(dialog, "btnOK");
                QCOMPARE(lastBox(), text);
                QVERIFY(dialog.isVisible());
            }
            typeCell(dialog, 7, 2, F::Points, QStringLiteral("10000000"));
            click(dialog, "btnOK");
        });
        QVERIFY(ExchangeShow(type, QStringLiteral("积分卡"), 0, ExchangeWay::Cash, QString(), false));
        ClientDataSet rows;
        flow->data().OpenSQL(
            QStringLiteral("SELECT UseIntegral, exchangeNum, groupOrdId, SDate FROM IntegralexchangeSet "
                           "WHERE deleted = 0 ORDER BY groupOrdId"),
            rows);
        QCOMPARE(rows.RecordCount(), 2);
        QCOMPARE(rows.Value(1, 0).toInt(), 10000000);
        QCOMPARE(rows.FieldByName(QStringLiteral("SDate")).AsDate(), From);
        QCOMPARE(Field(QString(), rows.Value(1, 1)).AsMoney(), Money::fromUnits(10));
        QCOMPARE(rows.Value(1, 2).toInt(), 1);
    }

    // A group is replaced whole under its id; the rules it had stay, deleted, for the
    // exchanges that used them. Opened on one stored-value rule to switch its
    // automatic exchange, the dialog changes that and nothing else.
    void savingAGroupReplacesItsRulesUnderTheSameId() {
        const QString group = saveGroup(type, ExchangeWay::StoredValue,
                                        {rule(100, 5), rule(200, 11), rule(300, 17), rule(400, 23)});
        const QList<QList<int>> before = liveRules(group);
        flow->driver().setNextHandler([&](QDialog& dialog) {
            QVERIFY(get<QWidget>(dialog, "chkCzAuto")->isVisibleTo(&dialog));
            get<ExchangeRuleGrid>(dialog, "grid8")->FocusCell(1, F::Points);
            flow->boxes().setNextAnswer(IDYES);
            click(dialog, "btnDeleteRow");
            QCOMPARE(lastBox(), QStringLiteral("你确定要删除该行吗？"));
            click(dialog, "chkCzAuto");
            click(dialog, "btnOK");
        });
        QVERIFY(ExchangeShow(type, QStringLiteral("积分卡"), before[0][0], ExchangeWay::StoredValue, group,
                             false));
        const QList<QList<int>> after = liveRules(group);
        QCOMPARE(after.size(), 3);
        QCOMPARE((QList<int>{after[0][2], after[1][2], after[2][2]}), (QList<int>{100, 300, 400}));
        QCOMPARE(DbProbe::count(flow->data(), QStringLiteral("IntegralexchangeSet"),
                                QStringLiteral("groupId = ? AND deleted = 1"), {group}),
                 4);
        QCOMPARE(DbProbe::count(flow->data(), QStringLiteral("IntegralexchangeSet"),
                                QStringLiteral("deleted = 0 AND IsCzAuto = 1")),
                 3);

        flow->driver().setNextHandler([&](QDialog& dialog) {
            QVERIFY(!get<QWidget>(dialog, "grid8")->isEnabled());
            click(dialog, "chkCzAuto");
            click(dialog, "btnOK");
        });
        QVERIFY(
            ExchangeShow(type, QStringLiteral("积分卡"), after[1][0], ExchangeWay::StoredValue, group, true));
        QCOMPARE(liveRules(group), after);
        QCOMPARE(flow->data().OpenSQLAsStr(QStringLiteral("SELECT IsCzAuto FROM IntegralexchangeSet "
                                                          "WHERE deleted = 0 ORDER BY groupOrdId")),
                 QStringLiteral("1"));
        QCOMPARE(flow->data().OpenSQLAsInt(
                     QStringLiteral("SELECT IsCzAuto FROM IntegralexchangeSet WHERE ExChangeID = ?"),
                     {after[1][0]}),
                 0);
    }

    // A coupon type voided while the group was open turns the save down at its row,
    // and the group is left exactly as it was; the dialog stays open.
    void aRuleRefusedHalfWayLeavesTheGroupAsItWas() {
        const int fifty = couponType(QStringLiteral("50元券"));
        const int hundred = couponType(QStringLiteral("100元券"));
        const QString group =
            saveGroup(type, ExchangeWay::CouponCards, {rule(500, 1, fifty), rule(900, 1, hundred)});
        const QList<QList<int>> before = liveRules(group);
        flow->driver().setNextHandler([&](QDialog& dialog) {
            QCOMPARE(get<QComboBox>(dialog, "cbChangeType")->currentData().toInt(), ExchangeWay::CouponCards);
            QCOMPARE(get<ExchangeRuleGrid>(dialog, "grid13")->RuleModel()->Text(1, F::CouponKind),
                     QStringLiteral("现金券"));
            typeCell(dialog, 13, 0, F::Points, QStringLiteral("450"));
            flow->data().ExecuteSQL(QStringLiteral("UPDATE ETCType SET Enabled = 3 WHERE ID = ?"), {hundred});
            click(dialog, "btnOK");
            QCOMPARE(lastBox(), QStringLiteral("第2行，兑换购物卡已作废或已删除，请重新选择！"));
            QVERIFY(dialog.isVisible());
            QCOMPARE(liveRules(group), before);
            dialog.reject();
        });
        QVERIFY(!ExchangeShow(type, QStringLiteral("积分卡"), before[0][0], ExchangeWay::CouponCards, group,
                              false));
        QCOMPARE(liveRules(group), before);
        QCOMPARE(DbProbe::count(flow->data(), QStringLiteral("IntegralexchangeSet")), 2);
    }

    // Rules are added for a card type chosen in the tree, never in use changed, and
    // deleted one at a time.
    void theListAddsForATypeAndRefusesRulesInUse() {
        TestUser clerk(flow->data(), QStringLiteral("clerk"), {931, 932, 933, 934});
        const int other = TestRows::addCardType(flow->data(), QStringLiteral("无积分卡"), 100,
                                                {{QStringLiteral("AutoIntegral"), 0}});
        Q_UNUSED(other);
        const QString group = saveGroup(type, ExchangeWay::Cash, {rule(100, 5), rule(300, 20)});
        const int used = liveRules(group)[1][0];
        TestRows::addCard(flow->data(), {.cardNo = QStringLiteral("C1"), .cardType = type});
        const int bill = VipPointsStore().AddChange(QStringLiteral("C1"), PointsChange::Added, 10, QString(),
                                                    0, QStringLiteral("开卡积分"));
        flow->data().ExecuteSQL(
            QStringLiteral(
                "INSERT INTO vipchangeexchange (BillID, ExChangeID, ExChangeNum) VALUES (?, ?, 1)"),
            {bill, used});

        flow->driver().setNextHandler([&](QDialog& dialog) {
            auto* window = dialog.findChild<TBaseQuery*>();
            auto* tree = get<QTreeWidget>(dialog, "tvVipType");
            QCOMPARE(tree->topLevelItem(0)->childCount(), 1);
            QCOMPARE(window->RowCount(), 2);
            press(window, QStringLiteral("新增[&A]"));
            QCOMPARE(lastBox(), QStringLiteral("请先选择具体的会员卡类型！"));

            tree->setCurrentItem(tree->topLevelItem(0)->child(0));
            window->GetMainGrid()->SetCurrentRow(1);
            press(window, QStringLiteral("修改[&M]"));
            QCOMPARE(lastBox(), QStringLiteral("该规则已经开始使用，不能修改！"));

            flow->driver().setNextHandler([](QDialog& rules) {
                QCOMPARE(rules.windowTitle(), QStringLiteral("积分兑换设置---卡类型：积分卡"));
                QCOMPARE(get<QComboBox>(rules, "cbChangeType")->currentData().toInt(), ExchangeWay::Cash);
                rules.reject();
            });
            press(window, QStringLiteral("新增[&A]"));

            window->GetMainGrid()->SetCurrentRow(0);
            flow->boxes().setNextAnswer(IDYES);
            press(window, QStringLiteral("删除[&D]"));
            QCOMPARE(lastBox(), QStringLiteral("确实要删除该设置吗？"));
            QCOMPARE(window->RowCount(), 1);
            dialog.reject();
        });
        TParamObject none;
        CallQueryClass(QStringLiteral("TVipExchangeQuery"), none);
        QCOMPARE(liveRules(group).size(), 1);
        QCOMPARE(liveRules(group)[0][0], used);
    }
};

QTEST_MAIN(TestTFExchange)
#include "tst_TFExchange.moc"
