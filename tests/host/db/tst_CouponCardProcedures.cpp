#include "host/db/LedgerAudit.h"
#include "host/sdk/DataModule.h"
#include "host/sdk/VipCodes.h"
#include "tests/support/DbProbe.h"
#include "tests/support/RunTogether.h"
#include "tests/support/TestDatabase.h"
#include "tests/support/TestRows.h"

#include <QTest>
#include <array>

namespace {

struct Answer {
    int result = 0;
    QString text; // @RetValue
    int id = 0;
};

Answer edit(DataModule& data, int id, int typeId, int kind, const QString& cardNo, double value,
            const QString& member = {}, int flag = 0) {
    TParamObject p;
    p.Add(QStringLiteral("@ID"), id);
    p.Add(QStringLiteral("@ETCID"), typeId);
    p.Add(QStringLiteral("@ETCType"), kind);
    p.Add(QStringLiteral("@CardNo"), cardNo);
    p.Add(QStringLiteral("@VIPID"), 0);
    p.Add(QStringLiteral("@VIPCode"), member);
    p.Add(QStringLiteral("@CreateERec"), 1);
    p.Add(QStringLiteral("@Flag"), flag);
    p.Add(QStringLiteral("@Total"), value);
    p.Add(QStringLiteral("@UsedTotal"), 0);
    p.Add(QStringLiteral("@StartDate"), QDate(2025, 1, 1));
    p.Add(QStringLiteral("@EndDate"), QDate(2050, 1, 1));
    p.Add(QStringLiteral("@LPosID"), QString());
    p.Add(QStringLiteral("@LPosName"), QStringLiteral("全部门店"));
    const int result = data.ExecuteProcByName(QStringLiteral("KD_ETCListEdit"), p);
    return {result, p.AsString(QStringLiteral("@RetValue")), p.AsInteger(QStringLiteral("@ID"))};
}

Answer set(DataModule& data, int id, int mode, const QString& value = {}) {
    TParamObject p;
    p.Add(QStringLiteral("@ID"), id);
    p.Add(QStringLiteral("@Mode"), mode);
    p.Add(QStringLiteral("@Value"), value);
    p.Add(QStringLiteral("@LoginRec"), 1);
    const int result = data.ExecuteProcByName(QStringLiteral("KD_ETCListSet"), p);
    return {result, p.AsString(QStringLiteral("@RetValue")), id};
}

Answer use(DataModule& data, int id, double amount) {
    TParamObject p;
    p.Add(QStringLiteral("@ID"), id);
    p.Add(QStringLiteral("@Total"), amount);
    p.Add(QStringLiteral("@PosID"), 0);
    p.Add(QStringLiteral("@BillCode"), QStringLiteral("LS-1"));
    p.Add(QStringLiteral("@ERec"), 1);
    const int result = data.ExecuteProcByName(QStringLiteral("KD_ETCListUse"), p);
    return {result, p.AsString(QStringLiteral("@RetValue")), id};
}

// The refusal text when refused, "" when done.
QString refusal(const Answer& a) {
    return a.result < 0 ? a.text : QString();
}

int couponLogLines(DataModule& data) {
    return DbProbe::count(data, QStringLiteral("syslog"), QStringLiteral("Kind = ?"), {LogKind::CouponCards});
}

} // namespace

// The coupon card procedures: each change a card may take, each it may not (with
// the words the user sees), and the ledger its uses keep.
class CouponCardProceduresTest : public QObject {
    Q_OBJECT

private slots:
    void cardWritesAreCheckedAgainstTypeValueNumberAndMember() {
        TestDatabase db;
        DataModule& data = db.data();
        const int cash =
            TestRows::addCouponType(data, CouponKind::CashCoupon, QStringLiteral("100元券"), 100);
        const int voidedType = TestRows::addCouponType(data, CouponKind::CashCoupon, QStringLiteral("旧券"),
                                                       50, {{QStringLiteral("Enabled"), 3}});
        const int gold = TestRows::addCardType(data, QStringLiteral("金卡"));
        const int silver = TestRows::addCardType(data, QStringLiteral("银卡"));
        const int goldOnly =
            TestRows::addCouponType(data, CouponKind::CashCoupon, QStringLiteral("金卡券"), 20,
                                    {{QStringLiteral("Flags"), 1 << (CouponFlag::MemberTypes - 1)},
                                     {QStringLiteral("VIPType"), QString::number(gold)}});
        TestRows::addCard(data, {.cardNo = QStringLiteral("M1"), .cardType = gold});
        TestRows::addCard(data, {.cardNo = QStringLiteral("M2"), .cardType = silver});

        QCOMPARE(refusal(edit(data, 0, 999, 1, QStringLiteral("A1"), 100)),
                 QStringLiteral("购物卡类型不存在或已经删除"));
        QCOMPARE(refusal(edit(data, 0, voidedType, 1, QStringLiteral("A1"), 100)),
                 QStringLiteral("购物卡类型已经作废"));
        QCOMPARE(refusal(edit(data, 0, cash, 2, QStringLiteral("A1"), 100)),
                 QStringLiteral("购物卡类型与卡的种类不符"));
        QCOMPARE(refusal(edit(data, 0, cash, 1, QStringLiteral("A1"), 0)),
                 QStringLiteral("购物卡的值必须大于0且不超过999999999"));
        QCOMPARE(refusal(edit(data, 0, cash, 1, QStringLiteral("A1"), 1000000000)),
                 QStringLiteral("购物卡的值必须大于0且不超过999999999"));
        QCOMPARE(refusal(edit(data, 0, cash, 1, QStringLiteral("A1"), 100, QStringLiteral("NOPE"))),
                 QStringLiteral("会员卡[NOPE]不存在"));
        QCOMPARE(refusal(edit(data, 0, goldOnly, 1, QStringLiteral("A1"), 20, QStringLiteral("M2"))),
                 QStringLiteral("购物卡A1的许可卡类型与会员卡[M2]不相符"));
        const Answer first = edit(data, 0, goldOnly, 1, QStringLiteral("A1"), 20, QStringLiteral("M1"));
        QCOMPARE(first.result, 0);
        QVERIFY(first.id > 0);
        QCOMPARE(refusal(edit(data, 0, cash, 1, QStringLiteral("A1"), 100)),
                 QStringLiteral("卡号[A1]已经存在"));
        // The card keeps its type's Flags and member types, and binds the member's id.
        QCOMPARE(DbProbe::count(
                     data, QStringLiteral("ETCList"),
                     QStringLiteral("ID = ? AND Flags = 2 AND VIPType = ? AND VIPID > 0 AND VIPCode = 'M1'"),
                     {first.id, QString::number(gold)}),
                 1);
        // A deleted card's number may be issued again.
        const Answer second = edit(data, 0, cash, 1, QStringLiteral("B1"), 100);
        QCOMPARE(set(data, second.id, CouponCardMode::Delete).result, 0);
        QCOMPARE(edit(data, 0, cash, 1, QStringLiteral("B1"), 100).result, 0);
        // A member card holding a live coupon card is not deleted.
        QCOMPARE(data.ExecuteProcByName(QStringLiteral("Y_InsVipCard"),
                                        {QStringLiteral("@EditType"), QStringLiteral("@CardNo"),
                                         QStringLiteral("@PosID"), QStringLiteral("@ERec")},
                                        {QStringLiteral("D"), QStringLiteral("M1"), 0, 0}),
                 CardDeleteRefusal::CouponCardsBound);
    }

    void lifeCycleTakesEveryAllowedChangeAndRefusesTheRest() {
        TestDatabase db;
        DataModule& data = db.data();
        const int cash =
            TestRows::addCouponType(data, CouponKind::CashCoupon, QStringLiteral("100元券"), 100);
        const int gold = TestRows::addCardType(data, QStringLiteral("金卡"));
        TestRows::addCard(data, {.cardNo = QStringLiteral("M1"), .cardType = gold});
        TestRows::addCard(data, {.cardNo = QStringLiteral("M2"), .cardType = gold});
        const int card = edit(data, 0, cash, 1, QStringLiteral("C1"), 100).id;

        QCOMPARE(refusal(use(data, card, 10)), QStringLiteral("未激活的购物卡不能使用"));
        QCOMPARE(refusal(set(data, card, CouponCardMode::Resume)), QStringLiteral("该购物卡没有停用"));
        QCOMPARE(refusal(set(data, card, CouponCardMode::Bind, QStringLiteral("NOPE"))),
                 QStringLiteral("会员卡[NOPE]不存在"));
        QCOMPARE(refusal(set(data, card, CouponCardMode::Bind, QStringLiteral("M1"))), QString());
        QCOMPARE(refusal(set(data, card, CouponCardMode::Bind, QStringLiteral("M2"))),
                 QStringLiteral("该购物卡已经绑定会员卡[M1]"));
        QCOMPARE(refusal(set(data, card, CouponCardMode::Delete)),
                 QStringLiteral("已经绑定会员卡的购物卡不能删除"));
        QCOMPARE(refusal(set(data, card, CouponCardMode::Activate)), QString());
        QCOMPARE(refusal(set(data, card, CouponCardMode::Activate)), QStringLiteral("该购物卡已经激活"));
        QCOMPARE(refusal(set(data, card, CouponCardMode::Stop)), QString());
        QCOMPARE(refusal(set(data, card, CouponCardMode::Stop)), QStringLiteral("该购物卡已经停用"));
        QCOMPARE(refusal(use(data, card, 10)), QStringLiteral("已经停用的购物卡不能使用"));
        QCOMPARE(refusal(set(data, card, CouponCardMode::Resume)), QString());
        QCOMPARE(refusal(use(data, card, 30)), QString());
        QCOMPARE(refusal(use(data, card, 80)), QStringLiteral("使用金额超过购物卡余额"));
        QCOMPARE(refusal(edit(data, card, cash, 1, QStringLiteral("C1"), 200, QStringLiteral("M1"), 1)),
                 QStringLiteral("已经使用的购物卡不能进行修改"));
        QCOMPARE(refusal(use(data, card, 70)), QString());
        QCOMPARE(refusal(use(data, card, 1)), QStringLiteral("该购物卡已经使用完"));
        QCOMPARE(refusal(set(data, card, CouponCardMode::Stop)), QString());
        QCOMPARE(refusal(set(data, card, CouponCardMode::Resume)),
                 QStringLiteral("已经使用完的购物卡不能启用"));
        QCOMPARE(refusal(set(data, card, CouponCardMode::Void)), QString());
        QCOMPARE(refusal(set(data, card, CouponCardMode::Void)), QStringLiteral("该购物卡已经作废"));
        QCOMPARE(refusal(set(data, card, CouponCardMode::Activate)),
                 QStringLiteral("已经作废的购物卡不能激活"));
        QCOMPARE(refusal(use(data, card, 1)), QStringLiteral("已经作废的购物卡不能使用"));
        QCOMPARE(refusal(edit(data, card, cash, 1, QStringLiteral("C1"), 100, QStringLiteral("M1"), 1)),
                 QStringLiteral("已经作废的购物卡不能进行修改"));

        const int fresh = edit(data, 0, cash, 1, QStringLiteral("C2"), 100).id;
        QCOMPARE(refusal(set(data, fresh, CouponCardMode::Void)), QString());
        QCOMPARE(refusal(set(data, fresh, CouponCardMode::Bind, QStringLiteral("M2"))),
                 QStringLiteral("已经作废的购物卡不能绑定会员卡"));

        // Seven changes went through, each with its log line; the value is what the uses took.
        QCOMPARE(couponLogLines(data), 7);
        QCOMPARE(data.OpenSQLAsStr(QStringLiteral("SELECT LogText FROM syslog WHERE Kind = ? ORDER BY id"),
                                   {LogKind::CouponCards}),
                 QStringLiteral("卡号：C1;绑定会员卡:M1;"));
        QCOMPARE(DbProbe::count(data, QStringLiteral("ETCList"),
                                QStringLiteral("ID = ? AND Used = 1 AND UsedTotal = Total AND UsedCount = 2"),
                                {card}),
                 1);
        QCOMPARE(LedgerAudit::couponCards(data.database()).size(), 0);

        // The head office hears of a change the card shows, and of nothing else.
        TParamObject up;
        up.Add(QStringLiteral("@ID"), card);
        up.Add(QStringLiteral("@UPType"), CouponCardMode::Bind);
        up.Add(QStringLiteral("@ERec"), 1);
        up.Add(QStringLiteral("@VALUE"), QStringLiteral("M2"));
        up.Add(QStringLiteral("@PosID"), 0);
        QCOMPARE(data.ExecuteProcByName(QStringLiteral("KD_ETCListUP"), up), -1);
        up.Add(QStringLiteral("@VALUE"), QStringLiteral("M1"));
        QVERIFY(data.ExecuteProcByName(QStringLiteral("KD_ETCListUP"), up) > 0);
        QCOMPARE(DbProbe::count(data, QStringLiteral("ETCListUP"), QStringLiteral("SentAt IS NULL")), 1);
    }

    void ledgerAuditNamesACorruptedCard() {
        TestDatabase db;
        DataModule& data = db.data();
        const int cash = TestRows::addCouponType(data, CouponKind::CashCoupon, QStringLiteral("50元券"), 50);
        const int card = edit(data, 0, cash, 1, QStringLiteral("D1"), 50, {}, 1).id;
        QCOMPARE(refusal(use(data, card, 20)), QString());
        data.ExecuteSQL(QStringLiteral("UPDATE ETCList SET UsedTotal = 100000 WHERE ID = ?"), {card});
        const auto found = LedgerAudit::couponCards(data.database());
        QCOMPARE(found.size(), 1);
        QCOMPARE(found.first().cardNo, QStringLiteral("D1"));
        QCOMPARE(found.first().problem, QStringLiteral("已用金额 UsedTotal 为 10.00，使用流水合计 20.00"));
    }

    // Two clerks at once: binding one card to two members, giving the same number to
    // two new cards, asking for automatic numbers. One wins each race; the loser gets
    // the procedure's words on both backends, never the server's.
    void concurrentWritersAreRefusedInWords() {
        TestDatabase db;
        DataModule& data = db.data();
        const int cash =
            TestRows::addCouponType(data, CouponKind::CashCoupon, QStringLiteral("100元券"), 100);
        const int gold = TestRows::addCardType(data, QStringLiteral("金卡"));
        TestRows::addCard(data, {.cardNo = QStringLiteral("M0"), .cardType = gold});
        TestRows::addCard(data, {.cardNo = QStringLiteral("M1"), .cardType = gold});
        const int card = edit(data, 0, cash, 1, QStringLiteral("E1"), 100).id;
        // A typed number in the automatic series is passed over.
        QCOMPARE(edit(data, 0, cash, 1, QStringLiteral("XJ00000002"), 100).result, 0);

        std::array<QString, 2> texts;
        std::array<QString, 2> numbers;
        const QStringList errors = RunTogether(db, 2, [&](DataModule& writer, int i) {
            texts[i] = refusal(set(writer, card, CouponCardMode::Bind, QStringLiteral("M%1").arg(i)));
            texts[i] += QLatin1Char('|') + refusal(edit(writer, 0, cash, 1, QStringLiteral("SAME"), 100));
            for (int n = 0; n < 2; ++n) {
                TParamObject p;
                p.Add(QStringLiteral("@ETCType"), CouponKind::CashCoupon);
                writer.ExecuteProcByName(QStringLiteral("KD_ETCAutoCode"), p);
                numbers[i] += p.AsString(QStringLiteral("@CardNo")) + QLatin1Char(' ');
            }
        });
        QVERIFY2(errors.isEmpty(), qPrintable(errors.join(QLatin1Char('\n'))));
        const QString winner =
            DbProbe::count(data, QStringLiteral("ETCList"), QStringLiteral("VIPCode = 'M0'")) ? "M0" : "M1";
        QCOMPARE(DbProbe::count(data, QStringLiteral("ETCList"), QStringLiteral("ID = ? AND VIPCode <> ''"),
                                {card}),
                 1);
        QStringList bindTexts = {texts[0].section(QLatin1Char('|'), 0, 0),
                                 texts[1].section(QLatin1Char('|'), 0, 0)};
        bindTexts.sort();
        QCOMPARE(bindTexts,
                 (QStringList{QString(), QStringLiteral("该购物卡已经绑定会员卡[%1]").arg(winner)}));
        QStringList numberTexts = {texts[0].section(QLatin1Char('|'), 1),
                                   texts[1].section(QLatin1Char('|'), 1)};
        numberTexts.sort();
        QCOMPARE(numberTexts, (QStringList{QString(), QStringLiteral("卡号[SAME]已经存在")}));
        QStringList given = (numbers[0] + numbers[1]).split(QLatin1Char(' '), Qt::SkipEmptyParts);
        given.sort();
        QCOMPARE(given, (QStringList{"XJ00000001", "XJ00000003", "XJ00000004", "XJ00000005"}));
    }
};

QTEST_GUILESS_MAIN(CouponCardProceduresTest)
#include "tst_CouponCardProcedures.moc"
