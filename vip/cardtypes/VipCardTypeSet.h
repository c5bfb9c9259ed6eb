#pragma once

#include "vip/base/VipExport.h"

// Exported with C linkage, so that sibling modules find it by its plain name.
extern "C" {
// Opens the card type dialog for a type (0 or less: a new type) and, when the user
// confirms, saves it. Always returns 0; the list window refreshes either way.
VIP_EXPORT int VipCardTypeSet(int typeId);
}
