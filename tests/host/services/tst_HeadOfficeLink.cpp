#include "host/sdk/RetailConnect.h"
#include "host/sdk/SendToHeadOffice.h"
#include "host/sdk/ShopCardConnect.h"
#include "host/sdk/VipCardConnect.h"
#include "tests/support/RecordingLink.h"
#include "tests/support/ScriptedMessages.h"

#include <QTest>

namespace {

const QString LinkCaption = QStringLiteral("连接服务端错误");

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
        TRetailConnect retail;
        QVERIFY(TRetailConnect::IsConnectUse(TRetailConnect::ClassType));
        QVERIFY(retail.GetConnected());
        QCOMPARE(retail.SaveVipInfo(101, 7), 0);
        QCOMPARE(retail.SaveVipPassowrd(QStringLiteral("A001"), QStringLiteral("12'34")), 0);
        QVERIFY(retail.GetCenterVipInteGral(QStringLiteral("A001"), false));
        QVERIFY(retail.SvrGetCenterVipCard(55));
        QCOMPARE(retail.SvrDetailTmpInsert(QStringLiteral("{batch}"), 1, 2, 3, 4.5, -1, QDate(2027, 3, 1)),
                 0);
        QCOMPARE(retail.SvrMainInsert(QStringLiteral("{batch}"), QStringLiteral("A001"), 25,
                                      Money::fromText("123.45"), 3, 4, 5, QStringLiteral("备'注"),
                                      QStringLiteral("2026-05-01"), QString(), 6, Money::fromText("0.01"),
                                      QStringLiteral("{bill}")),
                 0);
        QCOMPARE(retail.SvrTimesAdjust(0, QStringLiteral("A001"), 28, 1, 9, 10, Money::fromText("2.5"), 11,
                                       QVariant(), QStringLiteral("补次"), 12, 13, QStringLiteral("{u}")),
                 0);
        TVipCardConnect card;
        card.SaveVipCardGS(QStringLiteral("A002"), true);
        card.SaveVipCardGS(QStringLiteral("A002"), false);
        QVERIFY(card.GetCenterVipJSInfo(QStringLiteral("J01")));
        TParamObject fields;
        fields.Add(QStringLiteral("@EditType"), QStringLiteral("U"));
        fields.Add(QStringLiteral("@CardNo"), QStringLiteral("A002"));
        fields.Add(QStringLiteral("@Sex"), 1);
        QCOMPARE(card.UpdateVipInfo(fields), 0);
        QCOMPARE(card.GetIsJSReward(QStringLiteral("A002")), 0);
        TShopCardConnect shop;
        shop.SetETCList(77, 5, QStringLiteral("A002"), 3);
        shop.SetETCList(77, 1, QString(), 3, QDate(2026, 6, 1));

        QCOMPARE(
            link.operations(),
            QStringList({"IsConnectUse", "GetConnected", "SaveVipInfo", "SaveVipPassowrd",
                         "GetCenterVipInteGral", "SvrGetCenterVipCard", "SvrDetailTmpInsert", "SvrMainInsert",
                         "SvrTimesAdjust", "SaveVipCardGS", "SaveVipCardGS", "GetCenterVipJSInfo",
                         "UpdateVipInfo", "GetIsJSReward", "SetETCList", "SetETCList"}));
        const QList<RecordingLink::Call>& calls = link.calls();
        QCOMPARE(calls[0].arguments, QVariantList({QStringLiteral("TRetailConnect")}));
        QCOMPARE(calls[2].arguments, QVariantList({101, 7}));
        QCOMPARE(calls[3].arguments, QVariantList({QStringLiteral("A001"), QStringLiteral("12'34")}));
        QCOMPARE(calls[4].arguments, QVariantList({QStringLiteral("A001"), false}));
        QCOMPARE(calls[5].arguments, QVariantList({55}));
        QCOMPARE(calls[6].arguments,
                 QVariantList({QStringLiteral("{batch}"), 1, 2, 3, 4.5, -1, QDate(2027, 3, 1)}));
        const QVariantList mainInsert = calls[7].arguments;
        QCOMPARE(mainInsert.size(), 13);
        QCOMPARE(mainInsert.mid(0, 3), QVariantList({QStringLiteral("{batch}"), QStringLiteral("A001"), 25}));
        QCOMPARE(mainInsert[3].value<Money>(), Money::fromText("123.45"));
        QCOMPARE(mainInsert.mid(4, 7), QVariantList({3, 4, 5, QStringLiteral("备'注"),
                                                     QStringLiteral("2026-05-01"), QString(), 6}));
        QCOMPARE(mainInsert[11].value<Money>(), Money::fromText("0.01"));
        QCOMPARE(mainInsert[12].toString(), QStringLiteral("{bill}"));
        const QVariantList adjust = calls[8].arguments;
        QCOMPARE(adjust.size(), 13);
        QCOMPARE(adjust.mid(0, 6), QVariantList({0, QStringLiteral("A001"), 28, 1, 9, 10}));
        QCOMPARE(adjust[6].value<Money>(), Money::fromText("2.5"));
        QCOMPARE(adjust[7].toInt(), 11);
        QVERIFY(!adjust[8].isValid());
        QCOMPARE(adjust.mid(9), QVariantList({QStringLiteral("补次"), 12, 13, QStringLiteral("{u}")}));
        QCOMPARE(calls[9].arguments, QVariantList({QStringLiteral("A002"), true}));
        QCOMPARE(calls[10].arguments, QVariantList({QStringLiteral("A002"), false}));
        QCOMPARE(calls[12].card.Count(), 3);
        QCOMPARE(calls[12].card.At(1).name, QStringLiteral("@CardNo"));
        QCOMPARE(calls[12].card.AsString(QStringLiteral("@cardno")), QStringLiteral("A002"));
        QCOMPARE(calls[14].arguments, QVariantList({77, 5, QStringLiteral("A002"), 3}));
        QCOMPARE(calls[15].arguments, QVariantList({77, 1, QString(), 3, QDate(2026, 6, 1)}));
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
        QVERIFY(link.calls(QStringLiteral("SaveVipInfo")).isEmpty());

        // Out of use, the gate answers false for every class.
        link.setInUse(false);
        QVERIFY(!TVipCardConnect::IsConnectUse(TVipCardConnect::ClassType));
        QVERIFY(!TShopCardConnect().GetConnected());
    }

    void configuredAnswersReachTheCaller() {
        RecordingLink link;
        link.setResult(QStringLiteral("UpdateVipInfo"), -3);
        link.setResult(QStringLiteral("GetCenterVipJSInfo"), false);
        link.setResult(QStringLiteral("GetIsJSReward"), 2);
        link.setResult(QStringLiteral("SvrGetCenterVipCard"), false);
        TVipCardConnect card;
        QCOMPARE(card.UpdateVipInfo(TParamObject()), -3);
        QVERIFY(!card.GetCenterVipJSInfo(QStringLiteral("J01")));
        QCOMPARE(card.GetIsJSReward(QStringLiteral("A001")), 2);
        QVERIFY(!TRetailConnect().SvrGetCenterVipCard(9));
        QCOMPARE(TRetailConnect().SaveVipInfo(1, 0), 0);
    }
};

QTEST_GUILESS_MAIN(HeadOfficeLinkTest)
#include "tst_HeadOfficeLink.moc"
