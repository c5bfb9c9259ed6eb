#include "host/sdk/ModuleRegistry.h"
#include "vip/base/ModuleGlobals.h"
#include "vip/frame/PackageUnits.h"

void UnitUetccardmanage::startUp() {
    QueryClassFactory& classes = gQueryClassFactory();
    classes.Register({QStringLiteral("TETCCardCash"), 830, editionFlags({1, 2, 5}), 840, {}});
    classes.Register({QStringLiteral("TETCCardDiscount"), 831, editionFlags({}), 0, {}});
    classes.Register({QStringLiteral("TETCCardPreferential"), 832, editionFlags({}), 0, {}});
    classes.Register({QStringLiteral("TETCCardOPen"), 836, editionFlags({1, 2, 5}), 843, {}});
    classes.Register({QStringLiteral("TETCCardSelect"), 836, editionFlags({}), 0, {}});
    classes.Register({QStringLiteral("TETCCardMultSelect"), 836, editionFlags({}), 0, {}});
    classes.Register({QStringLiteral("TETCCount"), 837, editionFlags({1, 2, 5, 9}), 845, {}});
    classes.Register({QStringLiteral("TETCUseDetail"), 838, editionFlags({}), 0, {}});
    classes.Register({QStringLiteral("TETCUseCardDetail"), 845, editionFlags({}), 0, {}});
    classes.Register({QStringLiteral("TETCCardListByVIP"), 870, editionFlags({}), 0, {}});

    ComClassReg().Register(
        {QStringLiteral("TETCCardManage.ShowETCCardOpenOne_P"), {}, editionFlags({1, 2, 5}), 843});

    FValueCaption = {QStringLiteral("卡号"), QStringLiteral("类型"), QStringLiteral("绑定会员"),
                     QStringLiteral("门店"), QStringLiteral("金额"), QStringLiteral("生效日期")};
}

void UnitUetccardmanage::shutDown() {
    FValueCaption.clear();
}
