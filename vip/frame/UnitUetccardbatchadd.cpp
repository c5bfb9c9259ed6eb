#include "host/sdk/ModuleRegistry.h"
#include "vip/frame/PackageUnits.h"

// The member picker the coupon batch add and the coupon-card binding open by name.
void UnitUetccardbatchadd::startUp() {
    gQueryClassFactory().Register({QStringLiteral("TSelectVIPInfo"), 6, editionFlags({}), 0, {}});
}
