#include "vip/members/VipRowChecks.h"

#include "host/sdk/MessageBox.h"
#include "host/sdk/Ucomvar.h"
#include "host/sdk/VipCodes.h"
#include "vip/members/VipCardStore.h"
#include "vip/members/VipListRow.h"

#include <QDate>

namespace {

bool refuse(const QString& text, const QString& caption = QStringLiteral("提示")) {
    ShowMsg(text, caption);
    return false;
}

// A store that keeps its own data while the head office manages the cards.
bool independentUnderHeadOffice() {
    return (AppClass().Flag(14) || AppClass().Flag(19)) && Ucomvar().lConnectType == 1;
}

} // namespace

namespace VipRowChecks {

bool CanExchangePoints(const VipListRow& card, int kind, VipCardStore& store) {
    const TComVar& session = Ucomvar();
    // The head office's stored-value controls tie a card's exchanges to its stores.
    if (AppClass().Flag(10) || AppClass().Flag(16)) {
        if (session.lPublicPosid == 0)
            return refuse(QStringLiteral("配送中心必须设置对应的门店，才能使用积分兑换功能！"));
        if (!store.UsableInStore(card.id, session.lPublicPosid))
            return refuse(QStringLiteral("该会员卡只能在指定的门店使用该积分兑换功能！"));
    }
    if (independentUnderHeadOffice()) {
        if (card.changeIntegralPos == 0)
            return refuse(QStringLiteral("该会员卡不允许独立门店使用积分兑换功能！"), QStringLiteral("错误"));
        if (card.changeIntegralPos > 0 && card.changeIntegralPos != session.lPublicPosid)
            return refuse(QStringLiteral("该会员卡只允许指定的独立门店使用积分兑换功能！"));
    }
    if (!card.autoIntegral)
        return refuse(QStringLiteral("该会员卡没有启用积分功能！"));
    if (card.lose)
        return refuse(QStringLiteral("该会员卡已经挂失，不能使用积分兑换功能！"));
    if (card.stopUse)
        return refuse(QStringLiteral("该会员卡已经停用，不能使用积分兑换功能"));
    if (card.isLife == 0)
        return refuse(QStringLiteral("该会员卡还没有激活，不能使用积分兑换功能！"));
    if (card.validityDate.isValid() && card.validityDate < QDate::currentDate())
        return refuse(QStringLiteral("该会员卡已经过期，不能使用积分兑换功能！"));
    if (kind == PointsChange::StoredValue) {
        if (!card.vipCz)
            return refuse(QStringLiteral("该会员卡没有启用储值，不能使用储值兑换功能"));
        if (card.czPosId != 0 && card.czPosId != session.lPublicPosid)
            return refuse(QStringLiteral("该会员卡设置了储值适用门店，不能在当前门店进行兑换"));
    }
    return true;
}

bool CanChangePassword(const VipListRow& card) {
    if (card.lose)
        return refuse(QStringLiteral("该会员卡已经挂失，不能使用此功能！"));
    if (card.stopUse)
        return refuse(QStringLiteral("该会员卡已经停用，不能使用此功能"));
    // Stored value kept by an independent store is that store's to protect.
    if (card.czPosId != 0) {
        const int here = Ucomvar().lPublicPosid;
        if (here == 0)
            return refuse(QStringLiteral("独立门店使用储值功能的会员卡只允许本门店修改"));
        if (here != card.czPosId)
            return refuse(QStringLiteral("独立门店使用储值功能的会员卡只允许所属门店修改储值密码"));
    }
    if (!card.vipCz || !card.usePass)
        return refuse(QStringLiteral("没有启用会员储值功能或没有启用储值密码，不能修改密码"));
    return true;
}

} // namespace VipRowChecks
