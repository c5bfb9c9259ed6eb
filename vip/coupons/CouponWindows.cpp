#include "vip/base/ModuleGlobals.h"
#include "vip/base/RegistrationRows.h"
#include "vip/base/UnitContribution.h"
#include "vip/coupons/TETCCashQuery.h"
#include "vip/coupons/TETCDiscountQuery.h"
#include "vip/coupons/TETCPreferentialQuery.h"

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
const RegistrationRows memberPicker("Uetccardbatchadd", 10,
                                    {QueryClassEntry{"TSelectVIPInfo", 6, editionFlags({}), 0, Coupons}});

const RegistrationRows
    cards("Uetccardmanage", 10,
          {
              QueryClassEntry{"TETCCardCash", 830, editionFlags({1, 2, 5}), 840, Coupons, "购物卡管理"},
              QueryClassEntry{"TETCCardDiscount", 831, editionFlags({}), 0, Coupons},
              QueryClassEntry{"TETCCardPreferential", 832, editionFlags({}), 0, Coupons},
              QueryClassEntry{"TETCCardOPen", 836, editionFlags({1, 2, 5}), 843, Coupons, "购物卡发放"},
              QueryClassEntry{"TETCCardSelect", 836, editionFlags({}), 0, Coupons},
              QueryClassEntry{"TETCCardMultSelect", 836, editionFlags({}), 0, Coupons},
              QueryClassEntry{"TETCCount", 837, editionFlags({1, 2, 5, 9}), 845, Coupons, "购物卡统计"},
              QueryClassEntry{"TETCUseDetail", 838, editionFlags({}), 0, Coupons},
              QueryClassEntry{"TETCUseCardDetail", 845, editionFlags({}), 0, Coupons},
              QueryClassEntry{"TETCCardListByVIP", 870, editionFlags({}), 0, Coupons},
              ComClassEntry{"TETCCardManage.ShowETCCardOpenOne_P", editionFlags({1, 2, 5}), 843, Coupons,
                            "购物卡单张发放"},
          });

// The coupon editor's change log names each changed field by these labels.
const UnitContribution fieldCaptions(
    "Uetccardmanage", 20, [] { FValueCaption = {"卡号", "类型", "绑定会员", "门店", "金额", "生效日期"}; },
    [] { FValueCaption.clear(); });

} // namespace
