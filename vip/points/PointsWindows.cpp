#include "vip/base/RegistrationRows.h"
#include "vip/points/PointsExports.h"
#include "vip/points/TVipExchangeQuery.h"

// The points area's part of the package's units; functions not built yet are offered
// greyed by the host until their rows name a function. The rights of the five functions are the ones the
// member list tests before it enables its own points buttons.
namespace {

using enum Subsystem;

const RegistrationRows exchanges("Kvr_vipchangetotal", 10,
                                 {
                                     ComClassEntry{"IntegralExchage_Cash", editionFlags({1, 2, 3, 5, 8}), 508,
                                                   Points, "积分兑换现金", [] { IntegralExchage_Cash(); }},
                                     ComClassEntry{"IntegralExchage_Cz", editionFlags({1, 2, 3, 5, 8}), 826,
                                                   Points, "积分兑换储值", [] { IntegralExchage_Cz(); }},
                                     ComClassEntry{"IntegralExchage_Sp", editionFlags({1, 2, 3, 5, 8}), 827,
                                                   Points, "积分兑换商品", [] { IntegralExchage_Sp(); }},
                                     ComClassEntry{"IntegralExchage_Gwk", editionFlags({1, 2, 3, 5}), 855,
                                                   Points, "积分兑换购物卡", [] { IntegralExchage_Gwk(); }},
                                     ComClassEntry{"IntegralVipTotal_Adjust", editionFlags({1, 2, 3, 5, 8}),
                                                   828, Points, "积分调整",
                                                   [] { IntegralVipTotal_Adjust(); }},
                                 });

const RegistrationRows rules("Uvipinfo", 80,
                             {
                                 QueryClassEntry{"TVipExchangeQuery", 464, editionFlags({1, 5, 6, 8}), 931,
                                                 Points, "积分兑换设置", opens<TVipExchangeQuery>},
                                 QueryClassEntry{"TVipIntroducerIntegralQuery", 911, editionFlags({1, 3, 5}),
                                                 945, Points, "介绍人奖励设置"},
                             });

const RegistrationRows changes("Uvipinfo", 100,
                               {QueryClassEntry{"TVipIntegralUpdateQuery", 475,
                                                editionFlags({1, 2, 5, 6, 8, 9}), 702, Points,
                                                "积分变动记录"}});

} // namespace
