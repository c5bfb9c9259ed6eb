#include "host/data/Database.h"
#include "host/db/LedgerAudit.h"
#include "host/sdk/DataModule.h"
#include "host/sdk/VipCodes.h"
#include "tests/support/FlowFixture.h"
#include "tests/support/RecordingLink.h"
#include "tests/support/RecordingPrint.h"
#include "tests/support/RunTogether.h"
#include "tests/support/TestRows.h"
#include "tests/support/TestUser.h"
#include "tests/support/UserInput.h"
#include "vip/members/VipCardStore.h"
#include "vip/points/PointsExports.h"
#include "vip/points/VipPointsStore.h"

#include <QDialog>
#include <QLabel>
#include <QTest>
#include <optional>

using UserInput::click;
using UserInput::get;

namespace {

struct CardState {
    QString cardNo;
    bool stopUse = false;
    bool lose = false;
    bool activated = true;
    bool points = true;
    QDate validUntil = QDate(2099, 12, 31);
    int holding = 0;
};

void issue(int type, const CardState& state) {
    VipCardStore::CardFields card;
    card.cardNo = state.cardNo;
    card.name = QStringLiteral("持卡人") + state.cardNo;
    card.cardType = type;
    card.bulidDate = QDate(2025, 1, 1);
    card.validityDate = state.validUntil;
    card.stopUse = state.stopUse;
    card.lose = state.lose;
    card.isLife = state.activated;
    card.autoIntegral = state.points;
    VipCardStore store;
    if (store.WriteCard(card) <= 0 ||
        (state.holding > 0 && store.ChangePoints(state.cardNo, PointsChange::Added, state.holding, QString(),
                                                 0, QStringLiteral("开卡积分")) <= 0))
        qFatal("card %s not written", qPrintable(state.cardNo));
}

int points(const QString& cardNo) {
    return dmClient().OpenSQLAsInt(QStringLiteral("SELECT IntegralTotal FROM vipcard WHERE CardNo = ?"),
                                   {cardNo});
}

} // namespace

class TestTfrmVipTotalAdjust : public QObject {
    Q_OBJECT

    std::optional<FlowFixture> flow;
    int type = 0;

private slots:
    void init() {
        flow.emplace();
        type = TestRows::addCardType(flow->data(), QStringLiteral("积分卡"));
    }

    void cleanup() {
        QCOMPARE(flow->unsettled(), 0);
        QVERIFY(LedgerAudit::run(flow->data().database()).isEmpty());
        flow.reset();
    }

    void eachRefusalComesInItsOrderAndADeductionOfAllPointsIsSaved() {
        TestUser clerk(flow->data(), QStringLiteral("clerk"), {828});
        const QDate today = QDate::currentDate();
        const QList<QPair<CardState, QString>> refused = {
            {{.cardNo = QStringLiteral("S1"), .stopUse = true, .lose = true},
             QStringLiteral("该会员卡已经停用，不能使用积分兑换功能！")},
            {{.cardNo = QStringLiteral("L1"), .lose = true, .activated = false},
             QStringLiteral("该会员卡已经挂失，不能使用积分兑换功能！")},
            {{.cardNo = QStringLiteral("E1"), .activated = false, .validUntil = today.addDays(-1)},
             QStringLiteral("该会员卡已经过期，不能使用积分兑换功能！")},
            {{.cardNo = QStringLiteral("N1"), .activated = false, .points = false},
             QStringLiteral("该会员卡还没有被激活，不能使用积分兑换功能！")},
            {{.cardNo = QStringLiteral("P1"), .points = false}, QStringLiteral("该会员卡没有启用积分功能！")},
            {{.cardNo = QStringLiteral("X1")}, QStringLiteral("会员卡卡号不能为空或卡号不存在！！")},
        };
        for (const auto& [card, text] : refused) {
            if (card.cardNo != QLatin1String("X1"))
                issue(type, card);
        }
        issue(type, {.cardNo = QStringLiteral("G1"), .validUntil = today, .holding = 100});

        flow->driver().setNextHandler([&](QDialog& dialog) {
            const auto refusedWith = [&](const QString& text) {
                const QString shown = flow->boxes().last().text;
                flow->boxes().clear();
                return shown == text;
            };
            click(dialog, "btnOK");
            QVERIFY(refusedWith(QStringLiteral("会员卡号不能为空!")));
            for (const auto& [card, text] : refused) {
                UserInput::type(dialog, "edtCardNo", card.cardNo, true);
                QVERIFY2(refusedWith(text), qPrintable(card.cardNo));
                QCOMPARE(get<QLabel>(dialog, "lblAvailable")->text(), QStringLiteral("0"));
            }
            // A card is usable through its last day.
            UserInput::type(dialog, "edtCardNo", QStringLiteral("G1"), true);
            QVERIFY(flow->boxes().shown().isEmpty());
            QCOMPARE(get<QLabel>(dialog, "lblAvailable")->text(), QStringLiteral("100"));
            const QList<QPair<QString, QString>> entries = {
                {QStringLiteral("1234567890"), QStringLiteral("积分数值不能超过9位数字!")},
                {QStringLiteral("-"), QStringLiteral("请输入本次处理积分!")},
                {QStringLiteral("-0"), QStringLiteral("请输入本次处理积分!")},
                {QStringLiteral("-101"), QStringLiteral("本次处理积分不能大于可用积分!")},
            };
            for (const auto& [entry, text] : entries) {
                UserInput::type(dialog, "edtPoints", entry);
                click(dialog, "btnOK");
                QVERIFY2(refusedWith(text), qPrintable(entry));
                QVERIFY(dialog.isVisible());
            }
            UserInput::type(dialog, "edtPoints", QStringLiteral("-100"));
            click(dialog, "btnOK");
        });
        QVERIFY(IntegralVipTotal_Adjust());
        QCOMPARE(points(QStringLiteral("G1")), 0);
        ClientDataSet row;
        flow->data().OpenSQL(QStringLiteral("SELECT ChangeType, ChangeTotal, Memo FROM VipChangeInfo "
                                            "ORDER BY BillId DESC LIMIT 1"),
                             row);
        QCOMPARE(row.FieldByName(QStringLiteral("ChangeType")).AsInteger(), PointsChange::Deducted);
        QCOMPARE(row.FieldByName(QStringLiteral("ChangeTotal")).AsInteger(), -100);
        QCOMPARE(row.FieldByName(QStringLiteral("Memo")).AsString(), QStringLiteral("积分减少"));
    }

    // The receipt is named after the way the points went and lists the card; the save
    // goes to the head office twice, as the change and as its type.
    void anAdditionIsPrintedAndSentToTheHeadOffice() {
        TestUser clerk(flow->data(), QStringLiteral("clerk"), {828});
        issue(type, {.cardNo = QStringLiteral("G1"), .holding = 100});
        RecordingPrint printer;
        RecordingLink link;
        flow->driver().setNextHandler([&](QDialog& dialog) {
            UserInput::type(dialog, "edtCardNo", QStringLiteral("G1"), true);
            click(dialog, "btnPrint");
            QCOMPARE(flow->boxes().last().text, QStringLiteral("请输入本次处理积分!"));
            UserInput::type(dialog, "edtPoints", QStringLiteral("50"));
            click(dialog, "btnPrint");
            click(dialog, "btnOK");
        });
        QVERIFY(IntegralVipTotal_Adjust());
        QCOMPARE(points(QStringLiteral("G1")), 150);
        QCOMPARE(printer.name, QStringLiteral("积分增加详情.rwx"));
        const QStringList items = printer.itemTexts();
        QVERIFY(items.contains(QStringLiteral("卡号=G1")));
        QVERIFY(items.contains(QStringLiteral("处理方式=积分增加")));
        QVERIFY(items.contains(QStringLiteral("本次处理积分=50")));
        QVERIFY(items.contains(QStringLiteral("可用积分=100")));
        const QList<RecordingLink::Call> sent = [&] {
            QList<RecordingLink::Call> calls;
            for (const RecordingLink::Call& call : link.calls())
                if (call.operation == QLatin1String("SaveVipInfo"))
                    calls << call;
            return calls;
        }();
        QCOMPARE(sent.size(), 2);
        QCOMPARE(sent.at(0).arguments.at(1).toInt(), 6);
        QCOMPARE(sent.at(1).arguments.at(1).toInt(), PointsChange::Added);
    }

    void twoDeductionsAtOnceNeverTakeACardBelowZero() {
        issue(type, {.cardNo = QStringLiteral("C1"), .holding = 100});
        std::array<int, 2> results{};
        const QStringList errors = RunTogether(flow->db(), 2, [&](DataModule& data, int writer) {
            results[writer] = VipPointsStore(data).AddChange(QStringLiteral("C1"), PointsChange::Deducted, 60,
                                                             QString(), 0, QStringLiteral("积分减少"));
        });
        QVERIFY2(errors.isEmpty(), qPrintable(errors.join(QLatin1Char('\n'))));
        QCOMPARE(std::count_if(results.cbegin(), results.cend(), [](int id) { return id > 0; }), 1);
        QVERIFY(std::find(results.cbegin(), results.cend(), int(VipPointsStore::TooFewPoints)) !=
                results.cend());
        QCOMPARE(points(QStringLiteral("C1")), 40);
    }
};

QTEST_MAIN(TestTfrmVipTotalAdjust)
#include "tst_TfrmVipTotalAdjust.moc"
