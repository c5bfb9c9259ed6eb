#pragma once

#include "host/sdk/TStringList.h"
#include "vip/base/VipExport.h"

#include <QString>

// Where a card type applies, for the dialogs of this and sibling modules.
// Store lists are lines of store id, "=", store name. Exported with C linkage, so
// that sibling modules find them by their plain names.
extern "C" {
// The display text of the type's stores ("全部门店", or names joined by ";"), and
// the type's stores in 'list' (untouched for all stores or a type id of 0).
VIP_EXPORT QString GetPosList(TStringList* list, bool allStores, int typeId);
// The independent stores of the type (type 0: all independent stores, narrowed to
// the ids of 'filter' when it holds lines).
VIP_EXPORT void GetChangeIntegralPosList(TStringList* list, int typeId, const TStringList* filter);
// The stores where a card (or, with a type id, a card type) may be used; false when
// the card or its type is unknown. A type valid everywhere leaves 'list' as it was.
VIP_EXPORT bool VipCanUsePosList(const QString& cardNo, TStringList* list, int cardTypeId);
}
