#include "host/sdk/ModuleRegistry.h"
#include "vip/devices/TFunCard.h"
#include "vip/base/ModuleGlobals.h"
#include "vip/frame/PackageUnits.h"

void UnitFundev::startUp() {
    FunCard = new TFunCard;
    // The card-device set-up, offered in the host's menus as "TFunCard".
    ComClassReg().Register({QStringLiteral("TFunCard"), {}, editionFlags({1, 2, 5, 8}), 935});
}

void UnitFundev::shutDown() {
    delete FunCard;
    FunCard = nullptr;
}
