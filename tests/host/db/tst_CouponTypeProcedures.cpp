#include "host/sdk/BitValue.h"
#include "host/sdk/DataModule.h"
#include "host/sdk/Money.h"
#include "host/sdk/VipCodes.h"
#include "tests/support/DbProbe.h"
#include "tests/support/TestDatabase.h"
#include "tests/support/TestRows.h"

#include <QDate>
#include <QTest>

namespace {

using namespace CouponTypeFlag;

int flagsOf(std::initializer_list<int> bits) {
    int flags = 0;
    for (int bit : bits)
        flags = SetBitValue(flags, bit, true);
    return flags;
}

// A cash coupon of 50 as the editor sends it, with no limits; 'change' alters it.
TParamObject cashType(const std::function<void(TParamObject&)>& change = {}) {
    TParamObject p;
    const QList<QPair<QString, QVariant>> values = {{"@ID", 0},
                                                    {"@TYPE", CouponKind::CashCoupon},
                                                    {"@NAME", QStringLiteral("五十元券")},
                                                    {"@Comment", QString()},
                                                    {"@Flags", flagsOf({EarnsPoints})},
                                                    {"@SaleStart", QVariant::fromValue(Money())},
                                                    {"@UseCount", 0},
                                                    {"@UseLimit", 1},
                                                    {"@RangLimit", QVariant::fromValue(Money::fromUnits(50))},
                                                    {"@VIPNO", QString()},
                                                    {"@VIPType", QString()},
                                                    {"@VallidityType", CouponExpiry::DaysAfterActivation},
                                                    {"@VallidityDate", QDate::currentDate()},
                                                    {"@VallidityDay", 0},
                                                    {"@UserID", 1},
                                                    {"@LPosID", QString()},
                                                    {"@LPosName", QStringLiteral("全部门店")},
                                                    {"@IntegerType", 0}};
    for (const auto& [name, value] : values)
        p.Add(name, value);
    if (change)
        change(p);
    return p;
}

// The procedure's answer: its code and its text.
QPair<int, QString> edit(TParamObject p) {
    const int result = dmClient().ExecuteProcByName(QStringLiteral("KD_ETCTypeEdit"), p);
    return {result,
            result == 0 ? p.AsString(QStringLiteral("@ID")) : p.AsString(QStringLiteral("@RetValue"))};
}

int saved(const TParamObject& p) {
    const auto [result, id] = edit(p);
    if (result != 0)
        qFatal("refused: %s", qPrintable(id));
    return id.toInt();
}

QPair<int, QString> enable(int id, int state) {
    TParamObject out;
    const int result = dmClient().ExecuteProcByName(QStringLiteral("KD_ETCTypeEnable"),
                                                    {"@ID", "@Enable", "@LoginUser"}, {id, state, 7}, &out);
    return {result, out.AsString(QStringLiteral("@RetValue"))};
}

void addCard(int typeId, const QString& number, int flag, bool deleted = false) {
    dmClient().ExecuteSQL(
        QStringLiteral("INSERT INTO ETCList (ETCID, ETCType, CardNo, CreateDate, Flag, Total, deleted) "
                       "VALUES (?, 1, ?, ?, ?, 500000, ?)"),
        {typeId, number, QDateTime(QDate(2025, 3, 1), QTime(9, 0)), flag, deleted ? 1 : 0});
}

int value(const QString& sql, const QVariantList& params) {
    return dmClient().OpenSQLAsInt(sql, params);
}

} // namespace

class CouponTypeProceduresTest : public QObject {
    Q_OBJECT

private slots:
    // Every refusal comes with its text and writes nothing; what passes is stored
    // with the bits that follow the values set from the values, whatever was sent.
    void editChecksWhatItIsSentAndDerivesTheValueBits() {
        TestDatabase db;
        const int gold = TestRows::addCardType(dmClient(), QStringLiteral("金卡"));
        const int gone = TestRows::addCardType(dmClient(), QStringLiteral("旧卡"), 100, {{"deleted", 1}});
        const int store = TestRows::addStore(
            dmClient(), {.code = QStringLiteral("01"), .name = QStringLiteral("中山路店")});
        const int daysLeft = int(QDate::currentDate().daysTo(QDate(2050, 1, 1)));
        const struct {
            const char* why;
            std::function<void(TParamObject&)> change;
            QString text;
        } refusals[] = {
            {"blank name", [](TParamObject& p) { p.Add("@NAME", QStringLiteral("  ")); }, "名称不能为空"},
            {"kind", [](TParamObject& p) { p.Add("@TYPE", 4); }, "购物卡类型无效"},
            {"no value", [](TParamObject& p) { p.Add("@RangLimit", 0); }, "必须录入金额"},
            {"ratio above 100",
             [](TParamObject& p) {
                 p.Add("@TYPE", CouponKind::PreferentialCoupon);
                 p.Add("@RangLimit", QVariant::fromValue(Money::fromDouble(100.01)));
             },
             "优惠比例不能大于100"},
            {"no uses per receipt", [](TParamObject& p) { p.Add("@UseLimit", 0); }, "使用张数限制不能小于1"},
            {"member types ticked, none given",
             [](TParamObject& p) { p.Add("@Flags", flagsOf({MemberTypes})); }, "许可会员类型不能为空"},
            {"deleted member type",
             [&](TParamObject& p) {
                 p.Add("@Flags", flagsOf({MemberTypes}));
                 p.Add("@VIPType", QStringLiteral("%1,%2").arg(gold).arg(gone));
             },
             "许可会员类型中有已经删除的会员卡类型"},
            {"days to 2050 plus one",
             [&](TParamObject& p) {
                 p.Add("@Flags", flagsOf({ExpiryControlled}));
                 p.Add("@VallidityDay", daysLeft + 1);
             },
             "生效后天数设置过大，不能保存"},
            {"no days", [](TParamObject& p) { p.Add("@Flags", flagsOf({ExpiryControlled})); },
             "生效后天数设置不能为0"},
            {"date after 2050",
             [](TParamObject& p) {
                 p.Add("@Flags", flagsOf({ExpiryControlled}));
                 p.Add("@VallidityType", CouponExpiry::UntilDate);
                 p.Add("@VallidityDate", QDate(2050, 1, 2));
             },
             "有效期至必须是 2050-01-01 以前的日期"},
            {"unknown store", [&](TParamObject& p) { p.Add("@LPosID", QString::number(store + 1)); },
             "适用门店中有不存在的门店"},
            {"unknown type", [](TParamObject& p) { p.Add("@ID", 99); }, "该购物卡类型不存在或已经删除"},
        };
        for (const auto& r : refusals) {
            const auto [result, text] = edit(cashType(r.change));
            QVERIFY2(result < 0, r.why);
            QCOMPARE(text, r.text);
        }
        QCOMPARE(DbProbe::count(dmClient(), QStringLiteral("ETCType")), 0);

        // Bits 6, 8-11 and 13 sent on with nothing behind them are cleared; the store's
        // name is the store table's, not the caller's; exactly the days to 2050 pass.
        const int id = saved(cashType([&](TParamObject& p) {
            p.Add("@Flags", flagsOf({EarnsPoints, Unused, MinimumPurchase, UseCountLimited, SeveralPerReceipt,
                                     PreferentialAmount, ExpiryControlled}));
            p.Add("@UseCount", 0);
            p.Add("@LPosID", QString::number(store));
            p.Add("@LPosName", QStringLiteral("别处"));
            p.Add("@VallidityDay", daysLeft);
        }));
        QCOMPARE(value(QStringLiteral("SELECT Flags FROM ETCType WHERE ID = ?"), {id}),
                 flagsOf({EarnsPoints, ExpiryControlled, HasValue}));
        QCOMPARE(dmClient().OpenSQLAsStr(QStringLiteral("SELECT TPosName FROM ETCType WHERE ID = ?"), {id}),
                 QStringLiteral("中山路店"));
        QCOMPARE(
            dmClient().OpenSQLAsStr(QStringLiteral("SELECT VallidityDate FROM ETCType WHERE ID = ?"), {id}),
            QStringLiteral("2050-01-01"));

        // A preferential amount may pass 100; the kind of a type cannot change.
        const int amount = saved(cashType([](TParamObject& p) {
            p.Add("@TYPE", CouponKind::PreferentialCoupon);
            p.Add("@Flags", flagsOf({PreferentialAmount}));
            p.Add("@RangLimit", QVariant::fromValue(Money::fromUnits(150)));
            p.Add("@SaleStart", QVariant::fromValue(Money::fromUnits(200)));
            p.Add("@UseLimit", 2);
        }));
        QCOMPARE(value(QStringLiteral("SELECT Flags FROM ETCType WHERE ID = ?"), {amount}),
                 flagsOf({PreferentialAmount, MinimumPurchase, SeveralPerReceipt, HasValue}));
        QCOMPARE(value(QStringLiteral("SELECT RangType FROM ETCType WHERE ID = ?"), {amount}), 1);
        QCOMPARE(edit(cashType([&](TParamObject& p) { p.Add("@ID", amount); })).second,
                 QStringLiteral("不能修改购物卡类型的种类"));

        // The member card types the editor lists.
        ClientDataSet types;
        dmClient().OpenProcByName(QStringLiteral("Y_InsVipAuto"), {"@edittype", "@cardbz"}, {"S", "1"},
                                  types);
        QCOMPARE(types.RecordCount(), 1);
        QCOMPARE(types.FieldByName(QStringLiteral("CTypeID")).AsInteger(), gold);
        QCOMPARE(types.FieldByName(QStringLiteral("TypeName")).AsString(), QStringLiteral("金卡"));
    }

    // Voiding takes the type's live cards with it, in one go, and says so in the log;
    // deleting waits until no card of the type is left.
    void voidTakesTheCardsAndDeleteWaitsForNone() {
        TestDatabase db;
        const int voided = saved(cashType());
        const int other = saved(cashType([](TParamObject& p) { p.Add("@NAME", QStringLiteral("百元券")); }));
        addCard(voided, QStringLiteral("Q001"), 0);
        addCard(voided, QStringLiteral("Q002"), 1);
        addCard(voided, QStringLiteral("Q003"), 1, true);
        addCard(other, QStringLiteral("Q004"), 1);
        QCOMPARE(dmClient().ExecuteProcByName(QStringLiteral("KD_ETCTypeCheckRet"), {"@ID"}, {voided}), 2);

        QCOMPARE(enable(voided, CouponTypeState::Deleted),
                 qMakePair(-2, QStringLiteral("该类型已经使用，不能删除")));
        QCOMPARE(enable(voided, CouponTypeState::Voided), qMakePair(0, QString()));
        QCOMPARE(value(QStringLiteral("SELECT Enabled FROM ETCType WHERE ID = ?"), {voided}),
                 CouponTypeState::Voided);
        const auto flags = [](const QString& number) {
            return value(QStringLiteral("SELECT Flag FROM ETCList WHERE CardNo = ?"), {number});
        };
        QCOMPARE((QList<int>{flags("Q001"), flags("Q002"), flags("Q003"), flags("Q004")}),
                 (QList<int>{3, 3, 1, 1}));
        QCOMPARE(DbProbe::count(dmClient(), QStringLiteral("syslog"),
                                QStringLiteral("Kind = ? AND UserRec = 7"), {LogKind::CouponCards}),
                 1);
        QCOMPARE(dmClient().OpenSQLAsStr(QStringLiteral("SELECT LogText FROM syslog")),
                 QStringLiteral("购物卡类型：五十元券;作废，同时作废该类型下购物卡2张;"));

        QCOMPARE(enable(voided, CouponTypeState::Voided),
                 qMakePair(-3, QStringLiteral("该购物卡类型已经作废")));
        QCOMPARE(edit(cashType([&](TParamObject& p) { p.Add("@ID", voided); })).second,
                 QStringLiteral("该购物卡类型已经作废，不能修改"));
        TParamObject goodsOut;
        TestRows::addProduct(dmClient(), QStringLiteral("00001"), QStringLiteral("6901"),
                             QStringLiteral("可乐"));
        QCOMPARE(dmClient().ExecuteProcByName(QStringLiteral("KD_ETCTypeGoods"), {"@ID", "@Type", "@PTypeID"},
                                              {voided, 1, "00001"}, &goodsOut),
                 -1);

        // Once its card is deleted the other type goes; then it is gone for every procedure.
        dmClient().ExecuteSQL(QStringLiteral("UPDATE ETCList SET deleted = 1 WHERE CardNo = 'Q004'"));
        QCOMPARE(enable(other, CouponTypeState::Deleted), qMakePair(0, QString()));
        QCOMPARE(enable(other, CouponTypeState::Voided),
                 qMakePair(-1, QStringLiteral("该购物卡类型不存在或已经删除")));
        ClientDataSet rows;
        dmClient().OpenProcByName(QStringLiteral("KD_ETCTypeQuery"), {"@Type", "@ID"}, {1, 0}, rows);
        QCOMPARE(rows.RecordCount(), 1);
        QCOMPARE(rows.FieldByName(QStringLiteral("ID")).AsInteger(), voided);
    }
};

QTEST_MAIN(CouponTypeProceduresTest)
#include "tst_CouponTypeProcedures.moc"
