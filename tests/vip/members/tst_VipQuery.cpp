#include "host/db/LedgerAudit.h"
#include "host/sdk/DataModule.h"
#include "host/sdk/MessageBox.h"
#include "host/sdk/Money.h"
#include "host/sdk/Transaction.h"
#include "host/sdk/Ucomvar.h"
#include "host/sdk/ui/CellStyle.h"
#include "host/sdk/ui/TQueryGrid.h"
#include "tests/support/DbProbe.h"
#include "tests/support/FlowFixture.h"
#include "tests/support/RecordingLink.h"
#include "tests/support/TestRows.h"
#include "tests/support/TestUser.h"
#include "tests/support/UserInput.h"
#include "vip/frame/PackageEntry.h"
#include "vip/members/TVipQuery.h"
#include "vip/members/VipCardStore.h"

#include <QAction>
#include <QDialog>
#include <QItemSelectionModel>
#include <QTest>
#include <optional>

using UserInput::click;

namespace {

int scalar(const QString& sql, const QVariantList& params = {}) {
    return dmClient().OpenSQLAsInt(sql, params);
}

QStringList texts(const QList<ScriptedMessages::Box>& boxes) {
    QStringList shown;
    for (const ScriptedMessages::Box& box : boxes)
        shown.append(box.text);
    return shown;
}

} // namespace

// The member list driven as a clerk drives it: rows chosen in the grid, actions
// from the tool bar and the grid menu, questions and dialogs answered.
class VipQueryTest : public QObject {
    Q_OBJECT
    std::optional<FlowFixture> flow;
    std::optional<TestUser> clerk;
    int type = 0;

    int card(const QString& cardNo, bool active = true, const QDate& validUntil = QDate(2099, 1, 1)) {
        const int id =
            TestRows::addCard(flow->data(), {.cardNo = cardNo, .cardType = type, .validUntil = validUntil});
        flow->data().ExecuteSQL(
            QStringLiteral("UPDATE vipcard SET IsLife = ?, AutoIntegral = 1 WHERE id = ?"),
            {active ? 1 : 0, id});
        return id;
    }
    void setFlags(int id, int lose, int stopUse) {
        flow->data().ExecuteSQL(QStringLiteral("UPDATE vipcard SET Lose = ?, StopUse = ? WHERE id = ?"),
                                {lose, stopUse, id});
    }
    int points(int id) {
        return scalar(QStringLiteral("SELECT IntegralTotal FROM vipcard WHERE id = ?"), {id});
    }

    static void choose(TVipQuery& list, const QList<int>& rows) {
        QItemSelectionModel* selection = list.GetMainGrid()->selectionModel();
        selection->clearSelection();
        list.GetMainGrid()->SetCurrentRow(rows.first());
        for (int row : rows)
            selection->select(list.GetMainGrid()->model()->index(row, 0),
                              QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    static QColor colour(TVipQuery& list, int row) {
        QAbstractItemModel* model = list.GetMainGrid()->model();
        return model->data(model->index(row, 0), Qt::ForegroundRole).value<QColor>();
    }
    // Runs the points clear dialog (the range, everything cleared); 'boxesAfter'
    // boxes that follow it are acknowledged.
    void clearPoints(TVipQuery& list, const char* range, int boxesAfter = 0) {
        flow->driver().setNextHandler([range, boxesAfter, this](QDialog& d) {
            click(d, range);
            click(d, "rbClearAll");
            flow->boxes().setNextAnswer(IDYES); // 确定做积分金额清零操作？
            for (int i = 0; i < boxesAfter; ++i)
                flow->boxes().setNextAnswer(IDOK);
            click(d, "btnOK");
        });
        list.GetAction(QStringLiteral("积分清零[&J]"))->trigger();
    }

private slots:
    void initTestCase() { Initialize(); }
    void cleanupTestCase() { Finalize(); }

    void init() {
        flow.emplace();
        type = TestRows::addCardType(
            flow->data(), QStringLiteral("金卡"), 95,
            {{QStringLiteral("IsIntroduceJS"), 1}, {QStringLiteral("IntroducerJS"), 10.0}});
        clerk.emplace(flow->data(), QStringLiteral("clerk"),
                      QList<int>{160, 484, 507, 508, 509, 521, 522, 952});
    }
    void cleanup() {
        clerk.reset();
        const int leftOver = flow->unsettled();
        flow.reset();
        QCOMPARE(leftOver, 0);
    }

    // Stopped beats lost, lost beats not activated; the loss and stop buttons say
    // what they would do to the card under the cursor.
    void rowColoursAndCaptionsFollowTheCards() {
        setFlags(card(QStringLiteral("A1")), 1, 1);
        setFlags(card(QStringLiteral("A2"), false), 1, 0);
        card(QStringLiteral("A3"), false);
        card(QStringLiteral("A4"));
        TVipQuery list;
        list.Open();
        QCOMPARE(colour(list, 0), WindowsColor(0x0000FF));
        QCOMPARE(colour(list, 1), WindowsColor(0xFF0000));
        QCOMPARE(colour(list, 2), WindowsColor(0xFF00FF));
        QVERIFY(!colour(list, 3).isValid());

        list.GetMainGrid()->SetCurrentRow(3);
        QAction* loss = list.GetAction(QStringLiteral("挂失[&L]"));
        QAction* stop = list.GetAction(QStringLiteral("停用[&T]"));
        QVERIFY(loss && stop);
        list.GetMainGrid()->SetCurrentRow(1);
        QCOMPARE(loss->text(), QStringLiteral("取挂[&L]"));
        QVERIFY(list.GetAction(QStringLiteral("激活"))->isEnabled());
        list.GetMainGrid()->SetCurrentRow(0);
        QCOMPARE(stop->text(), QStringLiteral("使用[&U]"));
        list.GetMainGrid()->SetCurrentRow(3);
        QCOMPARE(loss->text(), QStringLiteral("挂失[&L]"));
        QCOMPARE(stop->text(), QStringLiteral("停用[&T]"));
        QVERIFY(!list.GetAction(QStringLiteral("激活"))->isEnabled());

        // Reporting the loss writes each card's own flag turned over, tells the head
        // office once the card is saved, and the caption turns with the row.
        RecordingLink link;
        choose(list, {3, 1});
        flow->boxes().setNextAnswer(IDYES);
        loss->trigger();
        QCOMPARE(flow->boxes().last().text, QStringLiteral("是否对选中的2个会员卡批量挂失操作？"));
        QCOMPARE(scalar(QStringLiteral("SELECT Lose FROM vipcard WHERE CardNo = 'A4'")), 1);
        QCOMPARE(scalar(QStringLiteral("SELECT Lose FROM vipcard WHERE CardNo = 'A2'")), 0);
        QStringList sent;
        for (const RecordingLink::Call& call : link.calls()) {
            if (call.operation == QLatin1String("SaveVipCardGS"))
                sent.append(call.arguments.at(0).toString() + QLatin1Char('=') +
                            call.arguments.at(1).toString());
        }
        QCOMPARE(sent, (QStringList{QStringLiteral("A2=false"), QStringLiteral("A4=true")}));
        QCOMPARE(loss->text(), QStringLiteral("取挂[&L]"));
    }

    // The second card holds stored value: it is named with its reason, and No to
    // "是否继续？" leaves the third card alone; the first is deleted and logged.
    void deletingStopsWhereTheUserSaysNo() {
        card(QStringLiteral("D1"));
        const int second = card(QStringLiteral("D2"));
        card(QStringLiteral("D3"));
        VipCardStore::StoredValue value;
        value.vipCz = true;
        value.opening = Money::fromUnits(50);
        QCOMPARE(VipCardStore().WriteStoredValue(second, value), 0);
        TVipQuery list;
        list.Open();
        choose(list, {0, 1, 2});
        flow->boxes().setNextAnswer(IDOK);
        flow->boxes().setNextAnswer(IDOK);
        flow->boxes().setNextAnswer(IDNO);
        list.GetAction(QStringLiteral("删除[&D]"))->trigger();
        QCOMPARE(texts(flow->boxes().shown()),
                 (QStringList{QStringLiteral("删除可能影响明细查询，你确认对选中的3个卡号进行批量删除吗？"),
                              QStringLiteral("会员卡D2已经有期初储值或者储值余额, 不能删除。"),
                              QStringLiteral("是否继续？")}));
        QCOMPARE(DbProbe::count(flow->data(), QStringLiteral("vipcard"), QStringLiteral("deleted = 0")), 2);
        QCOMPARE(DbProbe::count(flow->data(), QStringLiteral("vipcard"),
                                QStringLiteral("deleted = 1 AND CardNo = 'D1'")),
                 1);
        QCOMPARE(DbProbe::count(flow->data(), QStringLiteral("syslog"), QStringLiteral("LogText LIKE ?"),
                                {QStringLiteral("卡号D1,卡类型金卡,%已被删除!")}),
                 1);
        QCOMPARE(list.RowCount(), 2);
    }

    // Every check runs before the exchange would open: an expired card stops there.
    void expiredCardIsRefusedBeforeTheExchange() {
        card(QStringLiteral("E1"), true, QDate(2020, 1, 1));
        TVipQuery list;
        list.Open();
        flow->boxes().setNextAnswer(IDOK);
        list.GetAction(QStringLiteral("现金兑换[&X]"))->trigger();
        QCOMPARE(texts(flow->boxes().shown()),
                 QStringList{QStringLiteral("该会员卡已经过期，不能使用积分兑换功能！")});
    }

    // A card cleared today is not cleared again today: asked for by itself it is
    // named, among all rows it is counted; the other card is cleared through the
    // points ledger, which still adds up.
    void clearingPointsTwiceOnTheSameDay() {
        const int first = card(QStringLiteral("P1"));
        const int second = card(QStringLiteral("P2"));
        VipCardStore store;
        QVERIFY(store.ChangePoints(QStringLiteral("P1"), 0, 30, QString(), 0, QString()) > 0);
        QVERIFY(store.ChangePoints(QStringLiteral("P2"), 0, 40, QString(), 0, QString()) > 0);
        TVipQuery list;
        list.Open();
        choose(list, {0});
        clearPoints(list, "rbSelected");
        QCOMPARE(points(first), 0);
        QCOMPARE(points(second), 40);

        flow->boxes().clear();
        clearPoints(list, "rbSelected", 2);
        QCOMPARE(flow->boxes().shown().size(), 3);
        QVERIFY(flow->boxes().shown().at(1).text.startsWith(QStringLiteral("会员卡P1已经在日期")));
        QCOMPARE(flow->boxes().last().text,
                 QStringLiteral("有1个会员卡已经做过积分金额清零操作，本次操作忽略！"));

        flow->boxes().clear();
        clearPoints(list, "rbAllRows", 1);
        QCOMPARE(flow->boxes().last().text,
                 QStringLiteral("有1个会员卡已经做过积分金额清零操作，本次操作忽略！"));
        QCOMPARE(points(second), 0);
        QCOMPARE(
            DbProbe::count(flow->data(), QStringLiteral("VipChangeInfo"), QStringLiteral("ChangeType = 10")),
            2);
        QCOMPARE(DbProbe::count(flow->data(), QStringLiteral("VipClearJF")), 2);
        QCOMPARE(LedgerAudit::run(flow->data().database()).size(), 0);
    }

    // "表体所有行" reaches every card the list shows, not only the page read so far.
    void clearingAllRowsReachesCardsNotYetRead() {
        {
            Transaction transaction(flow->data());
            for (int i = 0; i < 450; ++i)
                card(QStringLiteral("R%1").arg(i, 3, 10, QLatin1Char('0')), i % 5 != 0);
            transaction.Commit();
        }
        TVipQuery list;
        list.Open();
        QVERIFY(list.RowCount() < 450);
        clearPoints(list, "rbAllRows", 1);
        const int activated = DbProbe::count(flow->data(), QStringLiteral("vipcard"),
                                             QStringLiteral("IsLife = 1 AND deleted = 0"));
        QVERIFY(activated > list.RowCount());
        QCOMPARE(DbProbe::count(flow->data(), QStringLiteral("VipClearJF")), activated);
    }

    // The buttons and menu items of dialogs built beside the list open them.
    void actionsOpenTheirDialogs() {
        const int id = card(QStringLiteral("W1"));
        flow->data().ExecuteSQL(QStringLiteral("UPDATE vipcard SET VipCz = 1, UsePass = 1 WHERE id = ?"),
                                {id});
        clerk.emplace(flow->data(), QStringLiteral("adjuster"), QList<int>{160, 521, 828});
        TVipQuery list;
        list.Open();
        for (const char* caption : {"批量发卡[&G]", "积分调整[&U]", "修改储值密码[&W]"}) {
            flow->driver().setNextHandler([](QDialog& d) { d.reject(); });
            list.GetAction(QString::fromUtf8(caption))->trigger();
        }
        QCOMPARE(flow->driver().shown(),
                 (QStringList{"TFrmVipAddList", "TfrmVipTotalAdjust", "TFrmChangeCzPass"}));
        QCOMPARE(flow->driver().unsettled(), 0);
    }

    // The date box serves only the dated clear; with nothing to clear the dialog
    // stays open and the list is not touched.
    void clearDialogWantsSomethingToClear() {
        card(QStringLiteral("C1"));
        TVipQuery list;
        list.Open();
        flow->driver().setNextHandler([this](QDialog& d) {
            auto* date = UserInput::get<QWidget>(d, "edtDate");
            click(d, "rbClearAll");
            QVERIFY(!date->isEnabled());
            click(d, "rbClearDate");
            QVERIFY(date->isEnabled());
            click(d, "cbPoints");
            flow->boxes().setNextAnswer(IDOK);
            click(d, "btnOK");
            QVERIFY(d.isVisible());
            QCOMPARE(flow->boxes().last().text, QStringLiteral("请至少选择一种清除范围"));
            click(d, "btnExit");
        });
        list.GetAction(QStringLiteral("积分清零[&J]"))->trigger();
        QCOMPARE(DbProbe::count(flow->data(), QStringLiteral("VipClearJF")), 0);
    }

    void validityDatesGoToTheSelectedCards() {
        card(QStringLiteral("V1"));
        card(QStringLiteral("V2"));
        card(QStringLiteral("V3"));
        TVipQuery list;
        list.Open();
        choose(list, {0, 2});
        flow->driver().setNextHandler([](QDialog& d) {
            UserInput::type(d, "edtDate", QStringLiteral("2031-05-01"));
            click(d, "btnOK");
        });
        list.GetAction(QStringLiteral("批量设置有效期[&V]"))->trigger();
        QCOMPARE(DbProbe::count(flow->data(), QStringLiteral("vipcard"), QStringLiteral("ValidityDate = ?"),
                                {QDate(2031, 5, 1)}),
                 2);
        QCOMPARE(list.GData(QStringLiteral("ValidityDate"), 1), QStringLiteral("2099-01-01"));
    }

    // The introducer is paid when the card is activated, and only then.
    void activationPaysTheIntroducerOnce() {
        const int introducer = card(QStringLiteral("J1"));
        const int newcomer = card(QStringLiteral("J2"), false);
        flow->data().ExecuteSQL(QStringLiteral("UPDATE vipcard SET JSVIPCardID = ? WHERE id = ?"),
                                {introducer, newcomer});
        TVipQuery list;
        list.Open();
        list.GetMainGrid()->SetCurrentRow(1);
        flow->boxes().setNextAnswer(IDYES);
        list.GetAction(QStringLiteral("激活"))->trigger();
        QCOMPARE(flow->boxes().last().text, QStringLiteral("确认要激活【J2】会员卡吗？"));
        QCOMPARE(points(introducer), 10);
        QCOMPARE(scalar(QStringLiteral("SELECT IsLife FROM vipcard WHERE id = ?"), {newcomer}), 1);
        QVERIFY(!list.GetAction(QStringLiteral("激活"))->isEnabled());
        VipCardStore store;
        QCOMPARE(store.ActivateCard(newcomer, clerk->rec(), 0), -2);
        QVERIFY(store.RewardIntroducer(newcomer, 1, 0, clerk->rec()));
        QCOMPARE(points(introducer), 10);
    }
};

QTEST_MAIN(VipQueryTest)
#include "tst_VipQuery.moc"
