#include "host/sdk/DataModule.h"
#include "host/sdk/ModuleRegistry.h"
#include "host/sdk/VipCodes.h"
#include "host/sdk/ui/TBaseQuery.h"
#include "host/sdk/ui/TQueryGrid.h"
#include "tests/support/DbProbe.h"
#include "tests/support/FlowFixture.h"
#include "tests/support/RecordingLink.h"
#include "tests/support/TestRows.h"
#include "tests/support/TestUser.h"
#include "tests/support/UserInput.h"
#include "vip/coupons/ETCCardExports.h"
#include "vip/coupons/TETCCardCash.h"
#include "vip/frame/PackageEntry.h"

#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QTest>
#include <optional>

using UserInput::click;
using UserInput::get;
using UserInput::type;

namespace {

// Where the cash coupon type list stands while its own window is built elsewhere: a
// list the editor's type button opens by class name; the test hands the pick back.
class TypeListStandIn : public TBaseQuery {
public:
    explicit TypeListStandIn(QWidget* parent)
        : TBaseQuery(parent) {
        SetModelId(837);
    }

protected:
    void InitParamList() override {
        Params().Add(QStringLiteral("@Today"), QDate(2026, 1, 1));
        Params().Add(QStringLiteral("@ETCType"), 0);
    }
};

QStringList said(ScriptedMessages& boxes) {
    QStringList list;
    for (const ScriptedMessages::Box& box : boxes.shown())
        list << box.caption + QLatin1Char('|') + box.text;
    boxes.clear();
    return list;
}

void choose(TBaseQuery& list, const QList<int>& rows) {
    QItemSelectionModel* selection = list.GetMainGrid()->selectionModel();
    selection->clearSelection();
    list.GetMainGrid()->SetCurrentRow(rows.first());
    for (int row : rows)
        selection->select(list.GetMainGrid()->model()->index(row, 0),
                          QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

int logLines(DataModule& data) {
    return DbProbe::count(data, QStringLiteral("syslog"), QStringLiteral("Kind = ?"), {LogKind::CouponCards});
}

} // namespace

// The cash coupon card list driven as a clerk drives it: the editor opened from its
// buttons, the type picked, questions answered, members picked for binding.
class ETCCardQueryTest : public QObject {
    Q_OBJECT
    std::optional<FlowFixture> flow;
    std::optional<TestUser> clerk;
    int cashType = 0;

    // A cash coupon waiting to be issued, as the card editor writes it.
    void addCoupon(const QString& cardNo) {
        TParamObject p;
        for (const auto& [name, value] : QList<std::pair<const char*, QVariant>>{{"@ID", 0},
                                                                                 {"@ETCID", cashType},
                                                                                 {"@ETCType", 1},
                                                                                 {"@CardNo", cardNo},
                                                                                 {"@VIPID", 0},
                                                                                 {"@VIPCode", QString()},
                                                                                 {"@CreateERec", 1},
                                                                                 {"@Flag", 0},
                                                                                 {"@Total", 100},
                                                                                 {"@UsedTotal", 0},
                                                                                 {"@StartDate", QString()},
                                                                                 {"@EndDate", QString()},
                                                                                 {"@LPosID", QString()},
                                                                                 {"@LPosName", QString()}})
            p.Add(QLatin1String(name), value);
        QCOMPARE(flow->data().ExecuteProcByName(QStringLiteral("KD_ETCListEdit"), p), 0);
    }
    // Saves the editor the next window is, after 'work' filled it.
    void editWith(const std::function<void(QDialog&)>& work) {
        flow->driver().setNextHandler([work](QDialog& d) {
            work(d);
            click(d, "btnOK");
        });
    }

private slots:
    void initTestCase() {
        Initialize();
        gQueryClassFactory().Register(
            QueryClassEntry{"TETCCashQuery",
                            827,
                            editionFlags({}),
                            0,
                            Subsystem::Coupons,
                            {},
                            [](QWidget* parent) -> TBaseQuery* { return new TypeListStandIn(parent); }});
    }
    void cleanupTestCase() { Finalize(); }
    void init() {
        flow.emplace();
        clerk.emplace(flow->data(), QStringLiteral("clerk"));
        cashType =
            TestRows::addCouponType(flow->data(), CouponKind::CashCoupon, QStringLiteral("100元券"), 100);
    }
    void cleanup() {
        clerk.reset();
        const int leftOver = flow->unsettled();
        flow.reset();
        QCOMPARE(leftOver, 0);
    }

    // A new card left without a number takes the kind's next one; a later change of
    // only its value is logged in one line; once voided it is not opened for editing.
    void editorNumbersLogsAndRefusesVoidedCards() {
        TETCCardCash list;
        list.Open();
        editWith([this](QDialog& d) {
            flow->driver().setNextHandler([this](QDialog& picker) {
                auto* types = picker.findChild<TBaseQuery*>();
                types->Params().Add(QStringLiteral("@ID"), cashType);
                types->Params().Add(QStringLiteral("@NAME"), QStringLiteral("100元券"));
                types->Params().Add(QStringLiteral("@Total"), 100);
                types->SetModalResult(mrOk);
            });
            click(d, "btnType");
        });
        list.GetAction(QStringLiteral("添加"))->trigger();
        QCOMPARE(list.RowCount(), 1);
        QCOMPARE(list.GData(QStringLiteral("CardNo")), QStringLiteral("XJ00000001"));
        QCOMPARE(list.GData(QStringLiteral("Total")), QStringLiteral("100.00"));

        const int linesBefore = logLines(flow->data());
        editWith([](QDialog& d) { type(d, "edtTotal", QStringLiteral("120"), true); });
        list.GetAction(QStringLiteral("修改"))->trigger();
        QCOMPARE(logLines(flow->data()), linesBefore + 1);
        QCOMPARE(flow->data().OpenSQLAsStr(
                     QStringLiteral("SELECT LogText FROM syslog WHERE Kind = ? ORDER BY id DESC"),
                     {LogKind::CouponCards}),
                 QStringLiteral("卡号：XJ00000001;金额:100.00->120.00;"));

        flow->boxes().setNextAnswer(IDYES);
        list.GetAction(QStringLiteral("作废"))->trigger();
        QCOMPARE(said(flow->boxes()), QStringList{QStringLiteral("提示|是否作废选中购物卡？")});
        const int windowsBefore = flow->driver().shown().size();
        list.GetAction(QStringLiteral("修改"))->trigger();
        QCOMPARE(said(flow->boxes()), QStringList{QStringLiteral("提示|已经作废的购物卡不能进行修改")});
        QCOMPARE(flow->driver().shown().size(), windowsBefore);
    }

    // Three cards and two members: the clerk is asked first, then the first two cards
    // are bound; activating all three names the one that cannot be.
    void bindingSeveralCardsAsksWhenMembersAreFewer() {
        const int gold = TestRows::addCardType(flow->data(), QStringLiteral("金卡"));
        for (const char* no : {"M1", "M2"}) {
            const int id = TestRows::addCard(
                flow->data(),
                {.cardNo = QLatin1String(no), .cardType = gold, .validUntil = QDate(2099, 1, 1)});
            flow->data().ExecuteSQL(QStringLiteral("UPDATE vipcard SET IsLife = 1 WHERE id = ?"), {id});
        }
        for (const char* no : {"A1", "A2", "A3"})
            addCoupon(QLatin1String(no));
        TETCCardCash list;
        list.Open();
        choose(list, {0, 1, 2});
        flow->driver().setNextHandler([this](QDialog& picker) {
            auto* members = picker.findChild<TBaseQuery*>();
            QCOMPARE(members->RowCount(), 2);
            members->GetMainGrid()->GridModel()->MarkAll(true);
            flow->boxes().setNextAnswer(IDYES);
            members->GetAction(QStringLiteral("选择"))->trigger();
        });
        list.GetAction(QStringLiteral("绑定会员卡"))->trigger();
        QCOMPARE(said(flow->boxes()),
                 QStringList{QStringLiteral("提示|你选择的会员卡张数小于购物卡张数是否继续绑定")});
        QCOMPARE(
            DbProbe::count(
                flow->data(), QStringLiteral("ETCList"),
                QStringLiteral("(CardNo = 'A1' AND VIPCode = 'M1') OR (CardNo = 'A2' AND VIPCode = 'M2') "
                               "OR (CardNo = 'A3' AND VIPCode = '')")),
            3);

        choose(list, {0});
        flow->boxes().setNextAnswer(IDYES);
        list.GetAction(QStringLiteral("作废"))->trigger();
        choose(list, {0, 1, 2});
        flow->boxes().setNextAnswer(IDYES);
        list.GetAction(QStringLiteral("激活"))->trigger();
        QCOMPARE(said(flow->boxes()), (QStringList{QStringLiteral("提示|是否作废选中购物卡？"),
                                                   QStringLiteral("提示|是否激活选中购物卡？"),
                                                   QStringLiteral("提示|编号：A1已经作废的购物卡不能激活")}));
        QCOMPARE(DbProbe::count(flow->data(), QStringLiteral("ETCList"), QStringLiteral("Flag = 1")), 2);
    }

    // The clerk types a number and Enter; the card waiting under it is shown ticked
    // for activation and issued. An independent store of a chain queues the issue for
    // the head office and hands it to the link.
    void singleIssueFindsTheCardAndTellsTheHeadOffice() {
        RecordingLink link;
        Ucomvar().appClass.SetFlag(14, true);
        Ucomvar().lConnectType = 1;
        addCoupon(QStringLiteral("GWK001"));
        addCoupon(QStringLiteral("HY002"));
        flow->driver().setNextHandler([](QDialog& d) {
            type(d, "edtCardNo", QStringLiteral("GWK"));
            QTest::keyClick(get<QLineEdit>(d, "edtCardNo"), Qt::Key_Return);
            QCOMPARE(get<QLineEdit>(d, "edtCardNo")->text(), QStringLiteral("GWK001"));
            QVERIFY(get<QCheckBox>(d, "chkActive")->isChecked());
            click(d, "btnOK");
        });
        QVERIFY(ShowETCCardOpenOne());
        QCOMPARE(DbProbe::count(flow->data(), QStringLiteral("ETCList"),
                                QStringLiteral("Flag = 1 AND CardNo = 'GWK001' AND StartDate IS NOT NULL")),
                 1);
        QCOMPARE(DbProbe::count(flow->data(), QStringLiteral("ETCListUP"),
                                QStringLiteral("UPType = 1 AND StartDate IS NOT NULL AND SentAt IS NULL")),
                 1);
        QVERIFY(link.operations().contains(QStringLiteral("SetETCList")));
    }
};

QTEST_MAIN(ETCCardQueryTest)
#include "tst_ETCCardQuery.moc"
