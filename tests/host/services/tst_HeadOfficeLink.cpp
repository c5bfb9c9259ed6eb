#include "host/sdk/RetailConnect.h"
#include "host/sdk/SendToHeadOffice.h"
#include "host/sdk/ShopCardConnect.h"
#include "host/sdk/VipCardConnect.h"
#include "tests/support/RecordingLink.h"
#include "tests/support/ScriptedMessages.h"

#include <QTest>

namespace {

const QString LinkCaption = QStringLiteral("连接服务端错误");

QVariant money(const char* text) {
    return QVariant::fromValue(Money::fromText(QLatin1String(text)));
}

int saveRecharge(const QString& cardNo, int changeId) {
    return SendToHeadOffice<TRetailConnect>(
        cardNo, [&](TRetailConnect& link) { return link.SaveVipInfo(changeId, 0); });
}

} // namespace

class HeadOfficeLinkTest : public QObject {
    Q_OBJECT

private slots:
    void withoutALinkNothingIsInUse() {
        ScriptedMessages boxes;
        QVERIFY(!TRetailConnect::IsConnectUse(TRetailConnect::ClassType));
        QVERIFY(!TVipCardConnect::IsConnectUse(TVipCardConnect::ClassType));
        QVERIFY(!TShopCardConnect::IsConnectUse(TShopCardConnect::ClassType));
        TRetailConnect retail;
        QVERIFY(!retail.Connect());
        QVERIFY(!retail.GetConnected());
        QVERIFY(boxes.shown().isEmpty());

        // A caller that skipped the gate gets a failure it can see, never a silent success.
        QCOMPARE(saveRecharge(QStringLiteral("A'01"), 12), -1);
        QCOMPARE(boxes.shown().size(), 1);
        QVERIFY(boxes.last().text.contains(QStringLiteral("A'01")));
        QCOMPARE(boxes.last().caption, LinkCaption);
        TVipCardConnect card;
        QCOMPARE(card.UpdateVipInfo(TParamObject()), -1);
        QVERIFY(!card.GetCenterVipJSInfo(QStringLiteral("J01")));
    }

    void everyOperationReachesTheLinkWithItsArgumentsInOrder() {
        RecordingLink link;
        // Each write answers its own code and each question no, so an answer the
        // connection class did not pass on shows.
        const QStringList writes = {"SaveVipInfo",   "SaveVipPassowrd", "SvrDetailTmpInsert",
                                    "SvrMainInsert", "SvrTimesAdjust",  "UpdateVipInfo",
                                    "GetIsJSReward"};
        for (int i = 0; i < writes.size(); ++i)
            link.setResult(writes[i], -1 - i);
        for (const char* question : {"GetCenterVipInteGral", "SvrGetCenterVipCard", "GetCenterVipJSInfo"})
            link.setResult(QLatin1String(question), false);
        TRetailConnect retail;
        QVERIFY(TRetailConnect::IsConnectUse(TRetailConnect::ClassType));
        QVERIFY(retail.GetConnected());
        QCOMPARE(retail.SaveVipInfo(101, 7), -1);
        QCOMPARE(retail.SaveVipPassowrd(QStringLiteral("A001"), QStringLiteral("12'34")), -2);
        QVERIFY(!retail.GetCenterVipInteGral(QStringLiteral("A001"), false));
        QVERIFY(!retail.SvrGetCenterVipCard(55));
        QCOMPARE(retail.SvrDetailTmpInsert(QStringLiteral("{batch}"), 1, 2, 3, 4.5, -1, QDate(2027, 3, 1)),
                 -3);
        QCOMPARE(retail.SvrMainInsert(QStringLiteral("{batch}"), QStringLiteral("A001"), 25,
                                      Money::fromText("123.45"), 3, 4, 5, QStringLiteral("备'注"),
                                      QStringLiteral("2026-05-01"), QString(), 6, Money::fromText("0.01"),
                                      QStringLiteral("{bill}")),
                 -4);
        QCOMPARE(retail.SvrTimesAdjust(0, QStringLiteral("A001"), 28, 1, 9, 10, Money::fromText("2.5"), 11,
                                       QVariant(), QStringLiteral("补次"), 12, 13, QStringLiteral("{u}")),
                 -5);
        TVipCardConnect card;
        card.SaveVipCardGS(QStringLiteral("A002"), true);
        card.SaveVipCardGS(QStringLiteral("A002"), false);
        QVERIFY(!card.GetCenterVipJSInfo(QStringLiteral("J01")));
        TParamObject fields;
        fields.Add(QStringLiteral("@EditType"), QStringLiteral("U"));
        fields.Add(QStringLiteral("@CardNo"), QStringLiteral("A002"));
        fields.Add(QStringLiteral("@Sex"), 1);
        QCOMPARE(card.UpdateVipInfo(fields), -6);
        QCOMPARE(card.GetIsJSReward(QStringLiteral("A002")), -7);
        TShopCardConnect shop;
        shop.SetETCList(77, 5, QStringLiteral("A002"), 3);
        shop.SetETCList(77, 1, QString(), 3, QDate(2026, 6, 1));

        const QList<QPair<QString, QVariantList>> expected = {
            {"IsConnectUse", {"TRetailConnect"}},
            {"GetConnected", {"TRetailConnect"}},
            {"SaveVipInfo", {101, 7}},
            {"SaveVipPassowrd", {"A001", "12'34"}},
            {"GetCenterVipInteGral", {"A001", false}},
            {"SvrGetCenterVipCard", {55}},
            {"SvrDetailTmpInsert", {"{batch}", 1, 2, 3, 4.5, -1, QDate(2027, 3, 1)}},
            {"SvrMainInsert",
             {"{batch}", "A001", 25, money("123.45"), 3, 4, 5, "备'注", "2026-05-01", "", 6, money("0.01"),
              "{bill}"}},
            {"SvrTimesAdjust",
             {0, "A001", 28, 1, 9, 10, money("2.5"), 11, QVariant(), "补次", 12, 13, "{u}"}},
            {"SaveVipCardGS", {"A002", true}},
            {"SaveVipCardGS", {"A002", false}},
            {"GetCenterVipJSInfo", {"J01"}},
            {"UpdateVipInfo", {}},
            {"GetIsJSReward", {"A002"}},
            {"SetETCList", {77, 5, "A002", 3}},
            {"SetETCList", {77, 1, "", 3, QDate(2026, 6, 1)}},
        };
        const QList<RecordingLink::Call>& calls = link.calls();
        QCOMPARE(calls.size(), expected.size());
        for (int i = 0; i < calls.size(); ++i) {
            QCOMPARE(calls[i].operation, expected[i].first);
            QCOMPARE(calls[i].arguments, expected[i].second);
        }
        // The card goes over as the parameter list itself, names and order kept.
        QCOMPARE(calls[12].card.Count(), 3);
        QCOMPARE(calls[12].card.At(1).name, QStringLiteral("@CardNo"));
        QCOMPARE(calls[12].card.AsString(QStringLiteral("@cardno")), QStringLiteral("A002"));
    }

    void aRefusedWriteShowsTheLinksReasonOnce() {
        ScriptedMessages boxes;
        RecordingLink link;
        QCOMPARE(saveRecharge(QStringLiteral("A001"), 31), 0);
        QVERIFY(boxes.shown().isEmpty());
        QCOMPARE(link.operations(), QStringList({"Connect", "SaveVipInfo"}));

        link.clear();
        link.setResult(QStringLiteral("SaveVipInfo"), -2);
        link.setErrorMessage(QStringLiteral("总部：会员卡 A001 的储值余额与门店不一致。"));
        QCOMPARE(saveRecharge(QStringLiteral("A001"), 32), -2);
        QCOMPARE(boxes.shown().size(), 1);
        QCOMPARE(boxes.last().text, QStringLiteral("总部：会员卡 A001 的储值余额与门店不一致。"));
        QCOMPARE(boxes.last().caption, LinkCaption);
        QCOMPARE(link.operations(), QStringList({"Connect", "SaveVipInfo", "ShowErrorMessage"}));
        QCOMPARE(link.calls().last().arguments,
                 QVariantList({QStringLiteral("TRetailConnect"), QStringLiteral("A001")}));

        // A link that cannot be opened is never written to, and still says why.
        boxes.clear();
        link.clear();
        link.setConnected(false);
        QCOMPARE(saveRecharge(QStringLiteral("B002"), 33), -1);
        QCOMPARE(boxes.shown().size(), 1);
        QCOMPARE(link.operations(), QStringList({"Connect", "ShowErrorMessage"}));

        // A question the link answers yes comes back yes.
        link.setConnected(true);
        QVERIFY(TRetailConnect().GetCenterVipInteGral(QStringLiteral("A001"), true));
        QVERIFY(TRetailConnect().SvrGetCenterVipCard(9));
        QVERIFY(TVipCardConnect().GetCenterVipJSInfo(QStringLiteral("J01")));

        // Out of use, the gate answers false for every class.
        link.setInUse(false);
        QVERIFY(!TVipCardConnect::IsConnectUse(TVipCardConnect::ClassType));
        QVERIFY(!TShopCardConnect().GetConnected());
    }
};

QTEST_GUILESS_MAIN(HeadOfficeLinkTest)
#include "tst_HeadOfficeLink.moc"
