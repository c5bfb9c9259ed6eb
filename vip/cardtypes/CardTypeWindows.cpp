#include "vip/base/ModuleGlobals.h"
#include "vip/base/RegistrationRows.h"
#include "vip/base/UnitContribution.h"
#include "vip/cardtypes/TVipCardType.h"
#include "vip/cardtypes/TVipCardTypeSel.h"
#include "vip/cardtypes/TVipCardTypeSet.h"
#include "vip/cardtypes/TVipTtypeCash.h"

// The card-type area's part of the package's units: its windows, and the rule
// cache bills read card types through for as long as the module is loaded.
namespace {

using enum Subsystem;

const UnitContribution ruleCache(
    "Uvipcash", 10, [] { VipTtypeCash = new TVipTtypeCash; },
    [] {
        delete VipTtypeCash;
        VipTtypeCash = nullptr;
    });

// The three lists share window number 7; the host tells them apart by class name.
const RegistrationRows typeLists(
    "Uvipinfo", 40,
    {
        QueryClassEntry{"TVipCardType", 7, editionFlags({1, 3, 5, 8, 9}), 677, CardTypes, "会员卡类型查询",
                        opens<TVipCardType>},
        QueryClassEntry{"TVipCardTypeSel", 7, editionFlags({}), 0, CardTypes, {}, opens<TVipCardTypeSel>},
        QueryClassEntry{"TVipCardTypeSet", 7, editionFlags({1, 3, 5, 8}), 677, CardTypes, "会员卡类型设置",
                        opens<TVipCardTypeSet>},
    });

const RegistrationRows upgradeRules("Uvipinfo", 130,
                                    {
                                        QueryClassEntry{"TSetVipUpgrade", 910, editionFlags({1, 2, 3, 5}),
                                                        949, CardTypes, "会员卡升降级设置"},
                                        QueryClassEntry{"TVipUpgardeQuery", 913,
                                                        editionFlags({1, 2, 3, 5, 9}), 950, CardTypes,
                                                        "会员卡升降级查询"},
                                    });

const RegistrationRows priceLimits("Uvippricelimit", 10,
                                   {QueryClassEntry{"TVipPriceLimit", 462,
                                                    editionFlags({1, 2, 3, 4, 5, 6, 7, 8}), 0, CardTypes,
                                                    "会员价限量"}});

const RegistrationRows productDiscounts("Uvipptypedis", 10,
                                        {QueryClassEntry{"TVipPtypeDis", 474,
                                                         editionFlags({1, 2, 3, 4, 5, 6, 7, 8}), 0, CardTypes,
                                                         "商品折扣设置"}});

const RegistrationRows productPoints("Uptypeintegralset", 10,
                                     {QueryClassEntry{"TVipXIntegralSet", 473, editionFlags({2, 3, 6}), 547,
                                                      CardTypes, "商品积分设置"}});

} // namespace
