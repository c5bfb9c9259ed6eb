#pragma once

#include "vip/base/VipExport.h"

class TBaseQuery;

extern "C" {
// The batch issue from the member list; 'list' is reloaded after each run. True
// when at least one run was started.
VIP_EXPORT bool VipAddListShow(TBaseQuery* list);
}
