#pragma once

#include "vip/base/VipExport.h"
#include "vip/storedvalue/TfrmVipServiceEdit.h"

class TVipServiceQuery;

// Exported with C linkage, so that sibling modules find it by its plain name.
extern "C" {
// The service item rules dialog as the service list and sibling modules open it:
// the item 'prec' (ignored when adding) in mode 'op'; true when it closed after a
// save, the saved item's id then also in newRuleId. Items saved by "保存新增" are
// selected in 'list' as they are saved.
VIP_EXPORT bool ShowVipServiceRuleEdit(TVipServiceQuery* list, int prec, VSRuleOp op);
}
