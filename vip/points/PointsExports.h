#pragma once

#include "vip/base/VipExport.h"

#include <QString>

// The points dialogs the host and the member list open by plain name.
extern "C" {
// Opens the points dialog in a change mode (0 add, 1 deduct, 2 adjust by the sign;
// the exchanges 6, 7, 8, 12) for a card, looked up at once when given; false when
// that card is refused (nothing opens) or the dialog was left without a save.
VIP_EXPORT bool IntegralExchageAdjust(int changeType, const QString& cardNo);
// The adjustment without a card.
VIP_EXPORT bool IntegralVipTotal_Adjust();
// The points exchange in a change mode (6 cash, 7 stored value, 8 goods, 12 shopping
// cards; 0, 1, 2 by hand) for a card, looked up with its exchange list when given;
// false when that card is refused or the dialog was left without a save.
VIP_EXPORT bool IntegralExchage(int changeType, const QString& cardNo);
// The exchange without a card, one per mode.
VIP_EXPORT bool IntegralExchage_Cash();
VIP_EXPORT bool IntegralExchage_Cz();
VIP_EXPORT bool IntegralExchage_Sp();
VIP_EXPORT bool IntegralExchage_Gwk();
VIP_EXPORT bool IntegralExchage_Add();
VIP_EXPORT bool IntegralExchage_Del();
VIP_EXPORT bool IntegralExchage_Adjust();
}
