#include "host/sdk/ModuleRegistry.h"
#include "vip/frame/PackageUnits.h"

void UnitUvipptypedis::startUp() {
    gQueryClassFactory().Register(
        {QStringLiteral("TVipPtypeDis"), 474, editionFlags({1, 2, 3, 4, 5, 6, 7, 8}), 0, {}});
}
