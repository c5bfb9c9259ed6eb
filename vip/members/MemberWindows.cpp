#include "vip/base/ModuleGlobals.h"
#include "vip/base/RegistrationRows.h"
#include "vip/base/UnitContribution.h"
#include "vip/members/TVipQuery.h"
#include "vip/members/VipInfoShow.h"

// The member area's part of the package's units. Windows not built yet are offered
// greyed by the host until their rows name a creator or a function.
namespace {

using enum Subsystem;

const RegistrationRows cardIssue("Y_vipinfo", 10,
                                 {ComClassEntry{"ShowVipInfoAction", editionFlags({1, 2, 3, 5, 8}), 521,
                                                Members, "会员发卡", ShowVipInfoAction}});

// The member editor's change log names each changed field by these labels.
const UnitContribution fieldCaptions(
    "Y_vipinfo", 20,
    [] {
        ValueCaption = {"会员卡号",   "发卡日期", "有效期",       "持卡类型", "持卡人",          "电话",
                        "出生年月日", "身份证号", "是否启用储值", "储值密码", "是否启用服务项目"};
    },
    [] { ValueCaption.clear(); });

const RegistrationRows memberList("Uvipinfo", 10,
                                  {QueryClassEntry{"TVipQuery", 6, editionFlags({1, 2, 3, 5, 8}), 160,
                                                   Members, "会员卡管理", opens<TVipQuery>}});

const RegistrationRows
    introducedCards("Uvipinfo", 120, {QueryClassEntry{"TJSVipCardList", 834, editionFlags({}), 0, Members}});

} // namespace
