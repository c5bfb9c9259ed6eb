#include "host/sdk/ModuleRegistry.h"
#include "vip/frame/PackageUnits.h"

// Coupon type lists, one per coupon kind.
void UnitUetctypemanage::startUp() {
    QueryClassFactory& classes = gQueryClassFactory();
    classes.Register({QStringLiteral("TETCCashQuery"), 827, editionFlags({1, 5}), 837, {}});
    classes.Register({QStringLiteral("TETCDiscountQuery"), 828, editionFlags({}), 0, {}});
    classes.Register({QStringLiteral("TETCPreferentialQuery"), 829, editionFlags({}), 0, {}});
}
