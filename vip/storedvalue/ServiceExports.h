#pragma once

#include "vip/base/VipExport.h"

#include <QString>

// The service dialogs' entry points, exported with C linkage so the host and
// sibling modules find them by their plain names. 'saved' is set to whether the
// dialog closed after a save; flags the callers pass that change nothing are
// accepted and not used.
extern "C" {
// Sells service uses (right 906); without an editable number the password is not shown.
VIP_EXPORT void ShowCzService(const QString& cardNo, bool cardNoEditable, bool flag, bool& saved);
VIP_EXPORT void ShowCzServiceForReg();
// Records service uses spent (right 907); the card given needs no password typed.
VIP_EXPORT void ShowCzServiceConsume(const QString& cardNo, bool cardNoEditable, bool flag, bool unused,
                                     bool& saved);
// The same, asking for the card's password when 'passwordTyped'; 'usedCardNo'
// receives the card of the saved consumption.
VIP_EXPORT void ShowCzServiceConsume2(const QString& cardNo, bool cardNoEditable, bool flag,
                                      bool passwordTyped, bool& saved, QString& usedCardNo);
VIP_EXPORT void ShowCzServiceConsumeForReg();
}
