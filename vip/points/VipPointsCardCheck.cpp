#include "vip/points/VipPointsCardCheck.h"

#include "host/sdk/Ucomvar.h"
#include "host/sdk/VipCodes.h"

namespace {

// The editions that link independent stores to a head office.
bool chainEdition(const TComVar& session) {
    return session.appClass.Flag(14) || session.appClass.Flag(19);
}

// Where points may be exchanged on an independent store's card.
QString storeRefusal(const ClientDataSet& card, int changeType, const TComVar& s) {
    const auto value = [&](const char* name) { return card.FieldByName(QLatin1String(name)).AsInteger(); };
    const int exchangePos = value("ChangeIntegralPos");
    const int cardPos = value("PosID");
    const bool storedValue = value("VipCz") == 1;
    const bool independent = s.lConnectType == 1;
    if (exchangePos == 0 && independent)
        return QStringLiteral("该会员卡不允许独立门店使用积分兑换功能！");
    if (changeType == PointsChange::StoredValue && storedValue) {
        if (cardPos == 0 && independent && s.lpostype == 2)
            return QStringLiteral("该会员卡不允许独立加盟门店使用储值兑换功能！");
        if (cardPos == 0 && independent && s.lpostype == 1 && !s.bvipConnect)
            return QStringLiteral("该会员卡不允许独立门店使用储值兑换功能！");
        if (cardPos > 0 && cardPos != s.lPublicPosid)
            return QStringLiteral("该会员卡只允许指定的独立门店使用储值兑换功能！");
    }
    if (exchangePos >= 1 && independent && exchangePos != s.lPublicPosid)
        return QStringLiteral("该会员卡只允许指定的独立门店使用积分兑换功能！");
    return {};
}

} // namespace

QString VipPointsCardCheck::Refusal(const ClientDataSet& card, int changeType, const TComVar& session,
                                    const QDate& today) {
    if (card.IsEmpty())
        return QStringLiteral("会员卡卡号不能为空或卡号不存在！！");
    const auto value = [&](const char* name) { return card.FieldByName(QLatin1String(name)).AsInteger(); };
    if (value("StopUse") == 1)
        return QStringLiteral("该会员卡已经停用，不能使用积分兑换功能！");
    if (value("Lose") == 1)
        return QStringLiteral("该会员卡已经挂失，不能使用积分兑换功能！");
    // A card stays usable through the whole of its last day.
    if (card.FieldByName(QStringLiteral("ValidityDate")).AsDate() < today)
        return QStringLiteral("该会员卡已经过期，不能使用积分兑换功能！");
    if (value("IsLife") == 0)
        return QStringLiteral("该会员卡还没有被激活，不能使用积分兑换功能！");
    if (changeType == PointsChange::StoredValue && value("VipCz") == 0)
        return QStringLiteral("该会员卡没有启用储值功能，不能使用储值兑换功能！");
    if (chainEdition(session))
        if (const QString refused = storeRefusal(card, changeType, session); !refused.isEmpty())
            return refused;
    if (value("AutoIntegral") == 0)
        return QStringLiteral("该会员卡没有启用积分功能！");
    return {};
}
