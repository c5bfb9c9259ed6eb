#include "host/sdk/VipCardConnect.h"

void TVipCardConnect::SaveVipCardGS(const QString& cardNo, bool lost) {
    link().SaveVipCardGS(cardNo, lost);
}

bool TVipCardConnect::GetCenterVipJSInfo(const QString& introducerCardNo) {
    return link().GetCenterVipJSInfo(introducerCardNo);
}

int TVipCardConnect::UpdateVipInfo(const TParamObject& card) {
    return link().UpdateVipInfo(card);
}

int TVipCardConnect::GetIsJSReward(const QString& cardNo) {
    return link().GetIsJSReward(cardNo);
}
