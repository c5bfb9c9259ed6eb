#include "vip/members/VipCenterLink.h"

#include "host/sdk/MessageBox.h"
#include "host/sdk/RetailConnect.h"
#include "host/sdk/VipCardConnect.h"

namespace {

QString dateText(const QDate& date) {
    return date.toString(QStringLiteral("yyyy-MM-dd"));
}

// Tells the user why the head office's card update did not take the card.
void tellRefusal(int result) {
    switch (result) {
    case 0:
        return;
    case -2:
        ShowError(QStringLiteral("更新服务端数据：办卡人电话或身份证号已超出重复办卡次数限制!"));
        return;
    case -3:
        ShowError(QStringLiteral("更新服务端数据：发现相同的编号,不能保存!"));
        return;
    case -4:
        ShowError(QStringLiteral("更新服务端数据：发现相同的会员卡条码,不能保存!"));
        return;
    default:
        ShowError(ErrorWriteDb, QStringLiteral("连接服务端错误"));
    }
}

} // namespace

TParamObject VipCenterLink::CardParams(const VipCardStore::CardFields& card) {
    TParamObject p;
    p.Add(QStringLiteral("@EditType"), card.editType);
    p.Add(QStringLiteral("@CardNo"), card.cardNo);
    p.Add(QStringLiteral("@Name"), card.name);
    p.Add(QStringLiteral("@Tel"), card.tel);
    p.Add(QStringLiteral("@Address"), card.address);
    p.Add(QStringLiteral("@Comment"), card.comment);
    p.Add(QStringLiteral("@CardType"), QString::number(card.cardType));
    p.Add(QStringLiteral("@Discount"), card.discount);
    p.Add(QStringLiteral("@BulidDate"), dateText(card.bulidDate));
    p.Add(QStringLiteral("@ValidityDate"), dateText(card.validityDate));
    p.Add(QStringLiteral("@Lose"), card.lose);
    p.Add(QStringLiteral("@StopUse"), card.stopUse);
    p.Add(QStringLiteral("@AutoDiscount"), card.autoDiscount ? QStringLiteral("1") : QStringLiteral("0"));
    p.Add(QStringLiteral("@AutoMemberTotal"), int(card.autoMemberTotal));
    p.Add(QStringLiteral("@AutoOneOff"), int(card.autoOneOff));
    p.Add(QStringLiteral("@AutoIntegral"), int(card.autoIntegral));
    p.Add(QStringLiteral("@Sex"), card.female);
    p.Add(QStringLiteral("@Birthday"), card.lunarBirthday ? QString() : card.birthday);
    p.Add(QStringLiteral("@Identitycard"), card.identityCard);
    p.Add(QStringLiteral("@Email"), card.email);
    for (const char* empty :
         {"@MediFeedBack", "@case", "@buliddate1", "@validitydate1", "@searchdate", "@searchdate1"})
        p.Add(QLatin1String(empty), QString());
    p.Add(QStringLiteral("@cardid"), card.cardGuid);
    p.Add(QStringLiteral("@BRec"), card.btypeId);
    p.Add(QStringLiteral("@IsLife"), int(card.isLife));
    p.Add(QStringLiteral("@VIPBarCode"), card.barCode);
    p.Add(QStringLiteral("@JSVIPCardID"), card.introducerId);
    p.Add(QStringLiteral("@PosID"), card.posId);
    p.Add(QStringLiteral("@ERec"), card.userRec);
    p.Add(QStringLiteral("@ActivePosId"), card.activePosId);
    return p;
}

bool VipCenterLink::CheckIntroducer(const QString& introducerCardNo, const VipCardStore::CardFields& card,
                                    int& jsReward) {
    TVipCardConnect connection;
    if (!connection.Connect()) {
        connection.ShowErrorMessage(introducerCardNo);
        return false;
    }
    if (!connection.GetCenterVipJSInfo(introducerCardNo)) {
        ShowError(QStringLiteral("没有在总部获取到%1卡信息，请联系该卡的发卡门店上传数据后重试！")
                      .arg(introducerCardNo),
                  QStringLiteral("获取服务端错误"));
        return false;
    }
    // The head office activates the card together with its introducer, so it
    // receives it as an activated change.
    TParamObject params = CardParams(card);
    params.Add(QStringLiteral("@EditType"), QStringLiteral("U"));
    params.Add(QStringLiteral("@Sex"), 1);
    params.Add(QStringLiteral("@IsLife"), 1);
    const int result = connection.UpdateVipInfo(params);
    if (result != 0) {
        tellRefusal(result);
        return false;
    }
    jsReward = connection.GetIsJSReward(card.cardNo);
    return true;
}

void VipCenterLink::Forward(const VipCardStore::CardFields& card) {
    if (!TLmConnect::IsConnectUse(TRetailConnect::ClassType))
        return;
    TVipCardConnect connection;
    if (!connection.Connect()) {
        connection.ShowErrorMessage(card.cardNo);
        return;
    }
    tellRefusal(connection.UpdateVipInfo(CardParams(card)));
}
