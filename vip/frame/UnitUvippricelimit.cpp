#include "host/sdk/ModuleRegistry.h"
#include "vip/frame/PackageUnits.h"

void UnitUvippricelimit::startUp() {
    gQueryClassFactory().Register(
        {QStringLiteral("TVipPriceLimit"), 462, editionFlags({1, 2, 3, 4, 5, 6, 7, 8}), 0, {}});
}
