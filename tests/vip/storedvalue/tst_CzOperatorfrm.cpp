#include "host/sdk/DataModule.h"
#include "host/sdk/Notices.h"
#include "host/sdk/Ucomvar.h"
#include "host/sdk/VipCodes.h"
#include "tests/support/DbProbe.h"
#include "tests/support/FlowFixture.h"
#include "tests/support/RecordingLink.h"
#include "tests/support/RecordingPrint.h"
#include "tests/support/TestRows.h"
#include "tests/support/UserInput.h"
#include "vip/storedvalue/StoredValueExports.h"
#include "vip/storedvalue/TFrmChangeCzPass.h"
#include "vip/storedvalue/VipCzStore.h"

#include <QApplication>
#include <QDate>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QUuid>
#include <optional>

using UserInput::click;
using UserInput::get;
using UserInput::type;

namespace {

QString text(QWidget& dialog, const char* name) {
    if (auto* label = dialog.findChild<QLabel*>(QLatin1String(name)))
        return label->text();
    return get<QLineEdit>(dialog, name)->text();
}

qint64 cz(const QString& cardNo) {
    return dmClient()
        .OpenSQLAsStr(QStringLiteral("SELECT Cz FROM vipcard WHERE CardNo = ?"), {cardNo})
        .toLongLong();
}

} // namespace

class CzOperatorfrmTest : public QObject {
    Q_OBJECT

    std::optional<FlowFixture> flow;
    int cardType = 0;
    int accountRec = 0;

    // Every box shown so far as "caption|text", and forgotten.
    QStringList said() {
        QStringList list;
        for (const ScriptedMessages::Box& box : flow->boxes().shown())
            list << box.caption + QLatin1Char('|') + box.text;
        flow->boxes().clear();
        return list;
    }
    void answerOk(int boxes) {
        for (int i = 0; i < boxes; ++i)
            flow->boxes().setNextAnswer(IDOK);
    }
    // An activated stored-value card of the test's type.
    int addCard(const QString& cardNo, int storeId = 0) {
        const int id = TestRows::addCard(
            flow->data(), {.cardNo = cardNo, .cardType = cardType, .storeId = storeId, .storedValue = true});
        flow->data().ExecuteSQL(QStringLiteral("UPDATE vipcard SET IsLife = 1 WHERE id = ?"), {id});
        return id;
    }
    VipCzStore::Outcome operate(DataModule& data, const QString& cardNo, int changeType, Money amount,
                                const QString& operationId = QUuid::createUuid().toString()) {
        return VipCzStore(data).Operate({.cardNo = cardNo,
                                         .changeType = changeType,
                                         .amount = amount,
                                         .gift = VipCzStore(data).GiftFor(amount, cardType),
                                         .accountRec = accountRec,
                                         .date = QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")),
                                         .operationId = operationId});
    }

private slots:
    void init() {
        flow.emplace();
        cardType = TestRows::addCardType(flow->data(), QStringLiteral("储值卡"), 100,
                                         {{QStringLiteral("IsCZPreferential"), 1}});
        // Every full 100 of a recharge up to 1000 earns 10.
        flow->data().ExecuteSQL(
            QStringLiteral("INSERT INTO vipAutoDiscount (VipTypeId, DisType, BuyToTalBegin, "
                           "BuyTotalEnd, IntegralQuotiety, Integral) VALUES (?, ?, 0, ?, ?, ?)"),
            {cardType, RuleKind::StoredValueGifts, QVariant::fromValue(Money::fromUnits(1000)),
             QVariant::fromValue(Money::fromUnits(100)), QVariant::fromValue(Money::fromUnits(10))});
        TestRows::addAccount(flow->data(), QStringLiteral("00001"), QStringLiteral("00000"),
                             QStringLiteral("现金"));
        accountRec = TestRows::addAccount(flow->data(), QStringLiteral("0000100003"), QStringLiteral("00001"),
                                          QStringLiteral("储值收款"));
        Ucomvar().szLoginUserName = QStringLiteral("收银员甲");
    }
    void cleanup() {
        const int leftOver = flow->unsettled();
        flow.reset();
        QCOMPARE(leftOver, 0);
    }

    // Each refusal names the first thing wrong with the card; put right one after
    // the other, the card finally opens the dialog.
    void cardsAreRefusedInOrder() {
        const int store = TestRows::addStore(
            flow->data(), {.code = QStringLiteral("01"), .name = QStringLiteral("西湖店"), .connectType = 1});
        const int id = addCard(QStringLiteral("C1"), store);
        DataModule& data = flow->data();
        const auto set = [&](const QString& assignment) {
            data.ExecuteSQL(QStringLiteral("UPDATE vipcard SET %1 WHERE id = ?").arg(assignment), {id});
        };
        set(QStringLiteral("IsLife = 0, VipCz = 0, Lose = 1, StopUse = 1, CzPassLocked = 1"));
        data.ExecuteSQL(QStringLiteral("UPDATE viptype SET PosRange = 1, CanAllPos = 0 WHERE CTypeId = ?"),
                        {cardType});
        QStringList expected;
        const auto refused = [&](const QString& caption, const QString& why) {
            answerOk(1);
            QVERIFY(!DoGetPrice(QStringLiteral("C1"), true, false));
            expected << caption + QLatin1Char('|') + why;
        };
        const QString notice = QStringLiteral("提示");
        answerOk(1);
        QVERIFY(!DoBackPrice(QStringLiteral("C9")));
        expected << notice + QStringLiteral("|没有此会员卡号或该会员卡不能在当前门店储值操作！");
        refused(notice, QStringLiteral("此会员卡没有激活！"));
        set(QStringLiteral("IsLife = 1"));
        refused(notice, QStringLiteral("此会员卡没有启用储值功能！"));
        set(QStringLiteral("VipCz = 1"));
        refused(notice, QStringLiteral("配送中心不能对独立门店的储值卡进行充值和退款！"));
        Ucomvar().nMedVersion = 2;
        refused(notice, QStringLiteral("此会员卡储值功能只能在对应独立门店使用！"));
        Ucomvar().lConnectType = 1;
        Ucomvar().lPublicPosid = store;
        refused(QStringLiteral("输入错误！"), QStringLiteral("该卡不能在本门店使用，请确认该卡适用的门店！"));
        data.ExecuteSQL(QStringLiteral("UPDATE viptype SET CanAllPos = 1 WHERE CTypeId = ?"), {cardType});
        refused(notice, QStringLiteral("已经挂失的会员卡不能操作储值功能！"));
        set(QStringLiteral("Lose = 0"));
        refused(notice, QStringLiteral("已经停用的会员卡不能操作储值功能！"));
        set(QStringLiteral("StopUse = 0"));
        refused(notice, TFrmChangeCzPass::LockedText());
        set(QStringLiteral("CzPassLocked = 0"));
        flow->driver().setNextHandler([](QDialog& d) {
            QCOMPARE(d.windowTitle(), QStringLiteral("会员卡充值"));
            click(d, "btnExit");
        });
        QVERIFY(!DoGetPrice(QStringLiteral("C1"), true, false));
        QCOMPARE(said(), expected);
    }

    // The most one save may move is 100000, checked before the database; a refund
    // above what the card holds is refused before the database, and by the
    // procedure when another cashier's refund came in between, the dialog open.
    void amountLimitsAndRefundsAboveTheBalance() {
        addCard(QStringLiteral("C1"));
        flow->driver().setNextHandler([&](QDialog& d) {
            QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("ReCzPrice"));
            QCOMPARE(text(d, "EditZH"), QStringLiteral("储值收款"));
            type(d, "ReCzPrice", QStringLiteral("100000.01"), true);
            answerOk(1);
            click(d, "btnSave");
            QCOMPARE(said(), QStringList{QStringLiteral("提示|金额超出最大许可值100000，请重新录入。")});
            QCOMPARE(text(d, "lbUseTotal"), QStringLiteral("0.00"));
            type(d, "ReCzPrice", QStringLiteral("100000"), true);
            // Above the last band its rate still holds.
            QCOMPARE(text(d, "edtgiftTotal"), QStringLiteral("10000"));
            click(d, "btnSave");
        });
        QVERIFY(DoGetPrice(QStringLiteral("C1"), true, false));
        QCOMPARE(cz(QStringLiteral("C1")), Money::fromUnits(110000).raw());

        addCard(QStringLiteral("C2"));
        QCOMPARE(
            operate(flow->data(), QStringLiteral("C2"), StoredValueChange::Recharge, Money::fromUnits(50))
                .result,
            int(VipCzStore::Saved));
        const int rows = DbProbe::count(flow->data(), QStringLiteral("VipCzChange"));
        flow->driver().setNextHandler([&](QDialog& d) {
            QCOMPARE(d.windowTitle(), QStringLiteral("会员卡退款"));
            type(d, "ReCzPrice", QStringLiteral("60"), true);
            answerOk(1);
            click(d, "btnSave");
            QCOMPARE(said(), QStringList{QStringLiteral("提示|退款金额不能超过此前可用余额。")});
            QCOMPARE(DbProbe::count(flow->data(), QStringLiteral("VipCzChange")), rows);
            type(d, "ReCzPrice", QStringLiteral("40"), true);
            QCOMPARE(text(d, "lbUseTotal"), QStringLiteral("10.00"));
            const std::unique_ptr<DataModule> other = flow->db().openAnother();
            QCOMPARE(
                operate(*other, QStringLiteral("C2"), StoredValueChange::Refund, Money::fromUnits(20)).result,
                int(VipCzStore::Saved));
            answerOk(1);
            click(d, "btnSave");
            QCOMPARE(said(), QStringList{QStringLiteral(
                                 "提示|保存失败，退款金额大于当前可用余额，请重新保存或放弃本次操作。")});
            QVERIFY(d.isVisible());
            QCOMPARE(text(d, "ReCzPrice"), QStringLiteral("40"));
            click(d, "btnExit");
        });
        QVERIFY(!DoBackPrice(QStringLiteral("C2")));
        QCOMPARE(cz(QStringLiteral("C2")), Money::fromUnits(30).raw());
    }

    // The rules are asked when the amount field is left, not when Enter moves on;
    // the save tells the member, the head office and prints the receipt.
    void giftOnLeavingTheAmountAndTheReceipt() {
        const int id = addCard(QStringLiteral("C1"));
        operate(flow->data(), QStringLiteral("C1"), StoredValueChange::Recharge, Money::fromUnits(5));
        RecordingPrint printer;
        RecordingLink link;
        QStringList notices;
        SendSMSMessageByBillFunc = [&](int kind, int record, bool, int, int, int card, int type, int) {
            notices << QStringLiteral("%1/%2/%3/%4").arg(kind).arg(record > 0).arg(card).arg(type);
        };
        QString messaged;
        SetWXVipSender([&](const QString& cardNo, const QString& text, const QString& title) {
            messaged =
                cardNo + QLatin1Char('|') + title + QLatin1Char('|') + text.section(QLatin1Char('\n'), 1);
        });
        flow->driver().setNextHandler([&](QDialog& d) {
            QCOMPARE(text(d, "RzOldUseTotal"), QStringLiteral("5.00"));
            type(d, "ReCzPrice", QStringLiteral("250.004"), true);
            QCOMPARE(text(d, "ReCzPrice"), QStringLiteral("250"));
            QCOMPARE(text(d, "edtgiftTotal"), QStringLiteral("20"));
            QCOMPARE(text(d, "lbUseTotal"), QStringLiteral("275.00"));
            type(d, "ReCzPrice", QStringLiteral("350"));
            QTest::keyClick(get<QLineEdit>(d, "ReCzPrice"), Qt::Key_Return);
            QCOMPARE(text(d, "ReCzPrice"), QStringLiteral("350.00"));
            QCOMPARE(text(d, "edtgiftTotal"), QStringLiteral("20"));
            QCOMPARE(text(d, "lbUseTotal"), QStringLiteral("375.00"));
            get<QLineEdit>(d, "ReCzPrice")->setFocus();
            QTest::keyClick(get<QLineEdit>(d, "ReCzPrice"), Qt::Key_Tab);
            QCOMPARE(text(d, "edtgiftTotal"), QStringLiteral("30"));
            type(d, "CommentEdit", QStringLiteral("生日充值"));
            click(d, "btnSavePrint");
        });
        QVERIFY(DoGetPrice(QStringLiteral("C1"), false, false));
        SendSMSMessageByBillFunc = nullptr;
        SetWXVipSender({});
        QCOMPARE(cz(QStringLiteral("C1")), Money::fromUnits(385).raw());
        QCOMPARE(notices, QStringList{QStringLiteral("1/1/%1/5").arg(id)});
        QCOMPARE(messaged, QStringLiteral("C1|会员卡充值|您进行的会员卡充值操作已完成\n充值金额：350\n"
                                          "赠送金额：30\n当前可用余额：385"));
        QCOMPARE(link.operations().filter(QStringLiteral("SaveVipInfo")).size(), 1);
        QCOMPARE(printer.name, QStringLiteral("会员卡充值.Rwx"));
        const QStringList items = printer.itemTexts();
        const QString today = QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"));
        QCOMPARE(items.mid(0, 11),
                 (QStringList{"会员卡号=C1", "持卡人=", "身份证号=", "此前可用余额=5.00", "充值金额=350",
                              "收款帐户=储值收款", "当前可用余额=385.00", "赠送金额=30", "经手人=收银员甲",
                              "收款日期=" + today, "备注=生日充值"}));
        QVERIFY(items.at(11).startsWith(QStringLiteral("关联会计凭证=CZ")));
    }

    // Five wrong passwords in a row lock the card's stored value until a new password
    // is set in the member editor; the dialogs never see the stored password.
    void passwordLockoutAndUnlock() {
        const int id = addCard(QStringLiteral("C1"));
        const auto setPassword = [&](const QString& password) {
            TParamObject p;
            for (const auto& [name, value] : QList<QPair<QString, QVariant>>{{"@Vipcardid", id},
                                                                             {"@VipCz", 1},
                                                                             {"@VipCzService", 0},
                                                                             {"@SetOpening", 0},
                                                                             {"@Cz00", 0},
                                                                             {"@UsePass", 1},
                                                                             {"@Password", password},
                                                                             {"@CzPosId", 0},
                                                                             {"@IsJSReward", -1},
                                                                             {"@PosID", 0},
                                                                             {"@ERec", 0},
                                                                             {"@OpId", QString()}})
                p.Add(name, value);
            QCOMPARE(flow->data().ExecuteProcByName(QStringLiteral("Y_InsVipCardCz"), p), 0);
        };
        setPassword(QStringLiteral("123456"));
        const auto enter = [](QDialog& d, const QString& password) {
            type(d, "OldEdit", password);
            QTest::keyClick(get<QLineEdit>(d, "OldEdit"), Qt::Key_Return);
        };
        flow->driver().setNextHandler([&](QDialog& d) {
            QVERIFY(!get<QLineEdit>(d, "NewEdit")->isVisible());
            for (int i = 0; i < 5; ++i) {
                answerOk(1);
                enter(d, QStringLiteral("65432%1").arg(i));
            }
        });
        QVERIFY(!CheckPassword(QStringLiteral("C1"), QString()));
        QStringList boxes = said();
        QCOMPARE(boxes.size(), 5);
        QCOMPARE(boxes.first(), QStringLiteral("提示|所录入的密码错误，请重新录入"));
        QVERIFY(boxes.last().contains(QStringLiteral("请系统管理员在会员卡资料中重新设置储值密码后解锁")));
        // Locked: even the right password is refused, and so is a save.
        flow->driver().setNextHandler([&](QDialog& d) {
            answerOk(1);
            enter(d, QStringLiteral("123456"));
        });
        QVERIFY(!CheckPassword(QStringLiteral("C1"), QString()));
        said();
        QCOMPARE(operate(flow->data(), QStringLiteral("C1"), StoredValueChange::Recharge, Money::fromUnits(1))
                     .result,
                 int(VipCzStore::Locked));

        setPassword(QStringLiteral("111111"));
        flow->driver().setNextHandler([&](QDialog& d) {
            QCOMPARE(d.windowTitle(), QStringLiteral("修改储值密码"));
            QCOMPARE(text(d, "lbCodeNo"), QStringLiteral("卡号：C1"));
            type(d, "OldEdit", QStringLiteral("111111"));
            type(d, "NewEdit", QStringLiteral("22222"));
            answerOk(1);
            click(d, "btnOK");
            type(d, "NewEdit", QStringLiteral("222222"));
            type(d, "NewTwoEdit", QStringLiteral("222223"));
            answerOk(1);
            click(d, "btnOK");
            type(d, "NewEdit", QStringLiteral("222222"));
            type(d, "NewTwoEdit", QStringLiteral("222222"));
            click(d, "btnOK");
        });
        QVERIFY(ChangeCzPassword(id, QStringLiteral("C1"), QString(), 0, QString()));
        QCOMPARE(said(), (QStringList{QStringLiteral("提示|新密码位数不够6位，请重新录入"),
                                      QStringLiteral("提示|新密码不一致，请重新录入。")}));
        QCOMPARE(flow->data().OpenSQLAsStr(QStringLiteral("SELECT Password FROM vipcard WHERE id = ?"), {id}),
                 QString());
        flow->driver().setNextHandler([&](QDialog& d) { enter(d, QStringLiteral("222222")); });
        QVERIFY(CheckPassword(QStringLiteral("C1"), QString()));
    }

    void rechargeRuleDialog() {
        flow->driver().setNextHandler([&](QDialog& d) {
            QCOMPARE(text(d, "reStart"), QString());
            type(d, "reStart", QStringLiteral("100"));
            type(d, "reEnd", QStringLiteral("150"));
            type(d, "reIntegralQuotiety", QStringLiteral("100"));
            type(d, "reIntegral", QStringLiteral("8"));
            answerOk(1);
            click(d, "btnOK");
            type(d, "reEnd", QStringLiteral("200"));
            click(d, "btnOK");
        });
        double start = 0, end = 0, base = 0, gift = 0;
        QString comment = QStringLiteral("满百送八");
        QVERIFY(GetVipCZPreferentialSet(start, end, base, gift, comment, {}, false));
        QCOMPARE(said(), QStringList{QStringLiteral("输入错误|设置的储值基数应<或=（金额至-金额开始），")});
        QCOMPARE((QList<double>{start, end, base, gift}), (QList<double>{100, 200, 100, 8}));
        QCOMPARE(comment, QStringLiteral("满百送八"));
    }
};

QTEST_MAIN(CzOperatorfrmTest)
#include "tst_CzOperatorfrm.moc"
