#pragma once

#include "vip/base/VipExport.h"
#include "vip/cardtypes/BandCheck.h"

#include <QString>

// Exported with C linkage, so that sibling modules find them by their plain names.
extern "C" {
// The small rule editors the host and the card type dialog open. Each returns
// true when the user confirmed; the references then hold the entered values.
VIP_EXPORT bool GetAutoDiscountSet(double& from, double& to, double& discount, QString& comment,
                                   const BandCheck& check, bool flag);
VIP_EXPORT bool GetVipIntegralSet(double& from, double& to, double& base, double& points, QString& comment,
                                  const BandCheck& check, bool flag);
// The chosen member days as comma text, or 'current' unchanged when the user leaves.
VIP_EXPORT QString ShowVipdaySel(const QString& current, int mode);
}
