#pragma once

#include "vip/base/VipExport.h"

#include <QString>

// Exported with C linkage, so that the host and sibling modules find them by their
// plain names.
extern "C" {
// Lets the card-device library choose its reader again.
VIP_EXPORT void ICCardSet();
// Reads an IC card number into 'cardNo', waiting for a card when none is on the
// reader; left as it was when the device cannot be initialised (after its box).
VIP_EXPORT void ShowReadICCard(QString& cardNo);
// The identity-card reader choice and the birthday reminder; true when saved.
VIP_EXPORT bool ShowCardInfoSet();
VIP_EXPORT bool ShowVipSoundSet();
}
