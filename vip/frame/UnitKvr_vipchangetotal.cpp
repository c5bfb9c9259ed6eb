#include "host/sdk/ModuleRegistry.h"
#include "vip/frame/PackageUnits.h"

// The points actions the host offers in its menus; their rights numbers are the
// ones the member list tests before it enables its own points buttons.
void UnitKvr_vipchangetotal::startUp() {
    ComClassRegistry& functions = ComClassReg();
    functions.Register({QStringLiteral("IntegralExchage_Cash"), {}, editionFlags({1, 2, 3, 5, 8}), 508});
    functions.Register({QStringLiteral("IntegralExchage_Cz"), {}, editionFlags({1, 2, 3, 5, 8}), 826});
    functions.Register({QStringLiteral("IntegralExchage_Sp"), {}, editionFlags({1, 2, 3, 5, 8}), 827});
    functions.Register({QStringLiteral("IntegralExchage_Gwk"), {}, editionFlags({1, 2, 3, 5}), 855});
    functions.Register({QStringLiteral("IntegralVipTotal_Adjust"), {}, editionFlags({1, 2, 3, 5, 8}), 828});
}
