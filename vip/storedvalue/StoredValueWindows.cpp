#include "vip/base/RegistrationRows.h"
#include "vip/storedvalue/ServiceExports.h"
#include "vip/storedvalue/StoredValueExports.h"
#include "vip/storedvalue/TVipServiceQuery.h"
#include "vip/storedvalue/TvipCardServiceQuery.h"
#include "vip/storedvalue/TvipCardSrvConsumeDQuery.h"
#include "vip/storedvalue/TvipCardSrvConsumeQuery.h"

// The stored-value area's part of the package's units.
namespace {

using enum Subsystem;

// The two service functions sit between the service list and the service-count lists.
const RegistrationRows services(
    "Uvipinfo", 20,
    {
        QueryClassEntry{"TVipServiceQuery", 889, editionFlags({1, 2, 3, 5}), 902, StoredValue, "服务项目",
                        opens<TVipServiceQuery>},
        ComClassEntry{"ShowCzServiceForReg", editionFlags({1, 2, 3, 5}), 906, StoredValue, "服务项目充值",
                      ShowCzServiceForReg},
        ComClassEntry{"ShowCzServiceConsumeForReg", editionFlags({1, 2, 3, 5}), 907, StoredValue,
                      "服务项目消费", ShowCzServiceConsumeForReg},
        QueryClassEntry{"TvipCardServiceQuery", 892, editionFlags({1, 3, 5}), 908, StoredValue,
                        "会员服务次数", opens<TvipCardServiceQuery>},
        QueryClassEntry{"TvipCardSrvConsumeQuery", 893, editionFlags({1, 2, 3, 5, 9}), 908, StoredValue,
                        "服务次数使用", opens<TvipCardSrvConsumeQuery>},
        QueryClassEntry{"TvipCardSrvConsumeDQuery", 894, editionFlags({1, 3, 5}), 908, StoredValue,
                        "服务消费记录", opens<TvipCardSrvConsumeDQuery>},
        QueryClassEntry{"TSelCZUserList", 508, editionFlags({1, 2, 3, 5, 8, 9}), 592, StoredValue,
                        "充值退款汇总"},
        QueryClassEntry{"TSelCZUserListMX", 510, editionFlags({1, 3, 5, 9}), 0, StoredValue, "充值退款明细"},
    });

const RegistrationRows management(
    "Uvipinfo", 60,
    {
        QueryClassEntry{"TCzManage", 273, editionFlags({1, 2, 5, 6, 8}), 510, StoredValue, "储值管理"},
        QueryClassEntry{"TCzSaleList", 276, editionFlags({}), 0, StoredValue},
        QueryClassEntry{"TCzGetBackList", 277, editionFlags({}), 0, StoredValue},
        QueryClassEntry{"TCzSalePList", 278, editionFlags({}), 0, StoredValue},
        QueryClassEntry{"TCz00", 401, editionFlags({1, 3, 5, 8}), 155, StoredValue, "储值期初"},
        // The cashier's way in from the menu: the dialog opens empty for a typed card number.
        ComClassEntry{"DoGetPrice", editionFlags({1, 2, 5, 6, 8}), 510, StoredValue, "会员卡充值",
                      ShowCzRecharge},
        ComClassEntry{"DoBackPrice", editionFlags({1, 2, 5, 6, 8}), 510, StoredValue, "会员卡退款",
                      ShowCzRefund},
    });

} // namespace
