#pragma once

#include "host/sdk/ClientDataSet.h"
#include "host/sdk/VRecord.h"
#include "vip/base/VipExport.h"

#include <QString>

// Choosing the member of a bill; sibling modules call these by their plain names.
extern "C" {
// Searches the members whose initials, name, telephone, bar code, number or
// identity number hold 'text' (the whole identity number with 'byIdentity') and
// fills 'record' with the one chosen: one match is taken at once, more are listed
// (at most 1000). 0 chosen, -1 the list was left, 1 nothing matched.
VIP_EXPORT int VIPSelect(VRecord& record, const QString& text, bool notActivated, bool byIdentity,
                         bool usableToday, bool serviceOnly);
// The same over the types that apply in the current store, by initials, name,
// telephone and number.
VIP_EXPORT int AdoVIPSelect(VRecord& record, const QString& text);
// Fills 'record' from the current row of a card query, and the type's rules from
// the rule cache by the type's change stamp.
VIP_EXPORT void AddRecord(VRecord& record, const ClientDataSet& rows);
VIP_EXPORT void ClearVipRecord(VRecord& record);
// "会员卡录入": the card number of a bill, read by a card reader (typed by hand only
// with right 567). True when a card was accepted; 'record' then receives it.
// Throws std::invalid_argument without a record.
VIP_EXPORT bool ShowBillVipCardSel(VRecord* record);
}
