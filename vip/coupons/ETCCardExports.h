#pragma once

#include "vip/base/VipExport.h"

// The coupon card dialogs; sibling modules call these by their plain names.
extern "C" {
// The card editor of a kind (CouponKind) for the card 'id' (0: a new card), only
// shown when 'readOnly'. True when a save went through.
VIP_EXPORT bool ShowETCCardManage(int kind, int id, bool readOnly);
// "购物卡发放": one card still to be issued, found by its number. True when issued.
VIP_EXPORT bool ShowETCCardOpenOne();
// The same, as the host's menu entry "TETCCardManage.ShowETCCardOpenOne_P" calls it.
VIP_EXPORT bool ShowETCCardOpenOne_P();
}
