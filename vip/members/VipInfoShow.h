#pragma once

#include "vip/base/VipExport.h"

#include <QString>

class TBaseQuery;

// The member editor as the member list and sibling modules open it. Both forms have
// the same name, so they are exported with C++ linkage.

// A new card ('modify' false) or the card of the list's display row 'row'. Returns 1
// when a card was saved while the editor was open, else -1. After each new card the
// list is reloaded with that card selected.
VIP_EXPORT int VipInfoShow(bool modify, int row, TBaseQuery* list);

// Issues a card by its number ("会员发卡"); 'cardNo', when given, is looked up at once
// and receives the saved card's number. 'purpose' is the caller's reason, kept with
// the editor. True when saved.
VIP_EXPORT bool VipInfoShow(QString& cardNo, int purpose, bool closeAfterSave);

extern "C" {
// The card-issue action of the desktop's menu.
VIP_EXPORT void ShowVipInfoAction();
}
