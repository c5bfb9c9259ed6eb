#pragma once

#include "vip/base/VipExport.h"

// Exported with C linkage, so that the host and sibling modules find it by its
// plain name.
extern "C" {
// Opens the coupon type editor of the kind (2 discount card, 3 preferential coupon,
// anything else cash coupon) on the type (0: a new one); true when it closed after
// a save.
VIP_EXPORT bool ShowETCTypeManage(int kind, int id, bool readOnly);
}
