#include "vip/cardtypes/TVipTtypeCash.h"
#include "vip/base/ModuleGlobals.h"
#include "vip/frame/PackageUnits.h"

void UnitUvipcash::startUp() {
    VipTtypeCash = new TVipTtypeCash;
}

void UnitUvipcash::shutDown() {
    delete VipTtypeCash;
    VipTtypeCash = nullptr;
}
