#include "host/sdk/ModuleRegistry.h"
#include "vip/frame/PackageUnits.h"

void UnitUptypeintegralset::startUp() {
    gQueryClassFactory().Register(
        {QStringLiteral("TVipXIntegralSet"), 473, editionFlags({2, 3, 6}), 547, {}});
}
