#include "host/sdk/ModuleRegistry.h"
#include "vip/cardtypes/TVipCardType.h"
#include "vip/cardtypes/TVipCardTypeSel.h"
#include "vip/cardtypes/TVipCardTypeSet.h"
#include "vip/frame/PackageUnits.h"
#include "vip/frame/TMachineSel.h"
#include "vip/frame/TPosMultSel.h"
#include "vip/frame/TPosMultSelFun.h"
#include "vip/frame/TPosWithCenterMultSel.h"

// The member, card-type, stored-value, points and report lists. Several classes
// share a window number (the card-type windows 7, the store pickers 265); the host
// finds each by its class name.
void UnitUvipinfo::startUp() {
    QueryClassFactory& classes = gQueryClassFactory();
    ComClassRegistry& functions = ComClassReg();
    classes.Register({QStringLiteral("TVipQuery"), 6, editionFlags({1, 2, 3, 5, 8}), 160, {}});
    classes.Register({QStringLiteral("TVipServiceQuery"), 889, editionFlags({1, 2, 3, 5}), 902, {}});
    functions.Register({QStringLiteral("ShowCzServiceForReg"), {}, editionFlags({1, 2, 3, 5}), 906});
    functions.Register({QStringLiteral("ShowCzServiceConsumeForReg"), {}, editionFlags({1, 2, 3, 5}), 907});
    classes.Register({QStringLiteral("TvipCardServiceQuery"), 892, editionFlags({1, 3, 5}), 908, {}});
    classes.Register(
        {QStringLiteral("TvipCardSrvConsumeQuery"), 893, editionFlags({1, 2, 3, 5, 9}), 908, {}});
    classes.Register({QStringLiteral("TvipCardSrvConsumeDQuery"), 894, editionFlags({1, 3, 5}), 908, {}});
    classes.Register({QStringLiteral("TSelCZUserList"), 508, editionFlags({1, 2, 3, 5, 8, 9}), 592, {}});
    classes.Register({QStringLiteral("TSelCZUserListMX"), 510, editionFlags({1, 3, 5, 9}), 0, {}});
    classes.Register({QStringLiteral("Txfjlcx"), 260, editionFlags({}), 0, {}});
    classes.Register({QStringLiteral("TVIPCardIntegralMx"), 261, editionFlags({}), 0, {}});
    classes.Register({QStringLiteral("TEtypeIntegralMx"), 262, editionFlags({}), 0, {}});
    classes.Register({QStringLiteral("TVipCardType"), 7, editionFlags({1, 3, 5, 8, 9}), 677,
                      [](QWidget* parent) { return new TVipCardType(parent); }});
    classes.Register({QStringLiteral("TVipCardTypeSel"), 7, editionFlags({}), 0,
                      [](QWidget* parent) { return new TVipCardTypeSel(parent); }});
    classes.Register({QStringLiteral("TVipCardTypeSet"), 7, editionFlags({1, 3, 5, 8}), 677,
                      [](QWidget* parent) { return new TVipCardTypeSet(parent); }});
    classes.Register({QStringLiteral("TPosMultSel"), 265, editionFlags({}), 0,
                      [](QWidget* parent) { return new TPosMultSel(parent); }});
    classes.Register({QStringLiteral("TCzManage"), 273, editionFlags({1, 2, 5, 6, 8}), 510, {}});
    classes.Register({QStringLiteral("TCzSaleList"), 276, editionFlags({}), 0, {}});
    classes.Register({QStringLiteral("TCzGetBackList"), 277, editionFlags({}), 0, {}});
    classes.Register({QStringLiteral("TCzSalePList"), 278, editionFlags({}), 0, {}});
    classes.Register({QStringLiteral("TCz00"), 401, editionFlags({1, 3, 5, 8}), 155, {}});
    classes.Register({QStringLiteral("TPosMultSelFun"), 265, editionFlags({}), 0,
                      [](QWidget* parent) { return new TPosMultSelFun(parent); }});
    classes.Register({QStringLiteral("TMachineSel"), 916, editionFlags({}), 0,
                      [](QWidget* parent) { return new TMachineSel(parent); }});
    classes.Register({QStringLiteral("TPosWithCenterMultSel"), 265, editionFlags({}), 0,
                      [](QWidget* parent) { return new TPosWithCenterMultSel(parent); }});
    classes.Register({QStringLiteral("TVipExchangeQuery"), 464, editionFlags({1, 5, 6, 8}), 931, {}});
    classes.Register({QStringLiteral("TVipIntroducerIntegralQuery"), 911, editionFlags({1, 3, 5}), 945, {}});
    classes.Register({QStringLiteral("TVipConsumeAnalysis"), 468, editionFlags({1, 2, 5, 6, 8, 9}), 544, {}});
    classes.Register({QStringLiteral("TVipDaySale"), 470, editionFlags({}), 0, {}});
    classes.Register({QStringLiteral("TVipDaySaleList"), 471, editionFlags({}), 0, {}});
    classes.Register({QStringLiteral("TVipDaySaleMX"), 472, editionFlags({}), 0, {}});
    classes.Register(
        {QStringLiteral("TVipIntegralUpdateQuery"), 475, editionFlags({1, 2, 5, 6, 8, 9}), 702, {}});
    classes.Register({QStringLiteral("TVIPPOSJFQuery"), 724, editionFlags({}), 0, {}});
    classes.Register({QStringLiteral("TVIPPOSJFQueryDetail"), 725, editionFlags({}), 0, {}});
    classes.Register({QStringLiteral("TJSVipCardList"), 834, editionFlags({}), 0, {}});
    classes.Register({QStringLiteral("TSetVipUpgrade"), 910, editionFlags({1, 2, 3, 5}), 949, {}});
    classes.Register({QStringLiteral("TVipUpgardeQuery"), 913, editionFlags({1, 2, 3, 5, 9}), 950, {}});
}
