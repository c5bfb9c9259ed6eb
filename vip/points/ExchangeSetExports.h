#pragma once

#include "vip/base/VipExport.h"

#include <QString>

extern "C" {
// Opens "积分兑换设置" for a card type, an exchange way (7 cash, 8 stored value,
// 9 goods, 13 coupon cards) and a group of rules (empty: a new group); true when
// the group was saved. With 'flag', a rule id and the stored-value way, the dialog
// only switches that rule's automatic exchange.
VIP_EXPORT bool ExchangeShow(int ctypeId, const QString& typeName, int exchangeId, int changeType,
                             const QString& groupId, bool flag);
}
