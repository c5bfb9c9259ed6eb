#include "vip/base/ModuleGlobals.h"
#include "vip/base/RegistrationRows.h"
#include "vip/base/UnitContribution.h"
#include "vip/coupons/ETCCardExports.h"
#include "vip/coupons/TETCCardCash.h"
#include "vip/coupons/TETCCardDiscount.h"
#include "vip/coupons/TETCCardListByVIP.h"
#include "vip/coupons/TETCCardMultSelect.h"
#include "vip/coupons/TETCCardOPen.h"
#include "vip/coupons/TETCCardPreferential.h"
#include "vip/coupons/TETCCardSelect.h"
#include "vip/coupons/TETCCashQuery.h"
#include "vip/coupons/TETCCount.h"
#include "vip/coupons/TETCDiscountQuery.h"
#include "vip/coupons/TETCPreferentialQuery.h"
#include "vip/coupons/TETCUseCardDetail.h"
#include "vip/coupons/TETCUseDetail.h"
#include "vip/coupons/TSelectVIPInfo.h"

// The coupon area's part of the package's units.
namespace {

using enum Subsystem;

// One coupon type list per coupon kind.
const RegistrationRows typeLists(
    "Uetctypemanage", 10,
    {
        QueryClassEntry{"TETCCashQuery", 827, editionFlags({1, 5}), 837, Coupons, "购物卡类型",
                        opens<TETCCashQuery>},
        QueryClassEntry{"TETCDiscountQuery", 828, editionFlags({}), 0, Coupons, {}, opens<TETCDiscountQuery>},
        QueryClassEntry{
            "TETCPreferentialQuery", 829, editionFlags({}), 0, Coupons, {}, opens<TETCPreferentialQuery>},
    });

// The member picker of the batch add and the coupon-card binding.
const RegistrationRows memberPicker(
    "Uetccardbatchadd", 10,
    {QueryClassEntry{"TSelectVIPInfo", 6, editionFlags({}), 0, Coupons, {}, opens<TSelectVIPInfo>}});

const RegistrationRows cards(
    "Uetccardmanage", 10,
    {
        QueryClassEntry{"TETCCardCash", 830, editionFlags({1, 2, 5}), 840, Coupons, "购物卡管理",
                        opens<TETCCardCash>},
        QueryClassEntry{"TETCCardDiscount", 831, editionFlags({}), 0, Coupons, {}, opens<TETCCardDiscount>},
        QueryClassEntry{
            "TETCCardPreferential", 832, editionFlags({}), 0, Coupons, {}, opens<TETCCardPreferential>},
        QueryClassEntry{"TETCCardOPen", 836, editionFlags({1, 2, 5}), 843, Coupons, "购物卡发放",
                        opens<TETCCardOPen>},
        QueryClassEntry{"TETCCardSelect", 836, editionFlags({}), 0, Coupons, {}, opens<TETCCardSelect>},
        QueryClassEntry{
            "TETCCardMultSelect", 836, editionFlags({}), 0, Coupons, {}, opens<TETCCardMultSelect>},
        QueryClassEntry{"TETCCount", 837, editionFlags({1, 2, 5, 9}), 845, Coupons, "购物卡统计",
                        opens<TETCCount>},
        QueryClassEntry{"TETCUseDetail", 838, editionFlags({}), 0, Coupons, {}, opens<TETCUseDetail>},
        QueryClassEntry{"TETCUseCardDetail", 845, editionFlags({}), 0, Coupons, {}, opens<TETCUseCardDetail>},
        QueryClassEntry{"TETCCardListByVIP", 870, editionFlags({}), 0, Coupons, {}, opens<TETCCardListByVIP>},
        ComClassEntry{"TETCCardManage.ShowETCCardOpenOne_P", editionFlags({1, 2, 5}), 843, Coupons,
                      "购物卡单张发放", [] { ShowETCCardOpenOne_P(); }},
    });

// The coupon editor's change log names each changed field by these labels.
const UnitContribution fieldCaptions(
    "Uetccardmanage", 20, [] { FValueCaption = {"卡号", "类型", "绑定会员", "门店", "金额", "生效日期"}; },
    [] { FValueCaption.clear(); });

} // namespace
