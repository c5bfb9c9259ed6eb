#pragma once

// Codes the member database, the host's services and the module's windows share.
// Each is stored or sent as the number given here; spell them by name.

// Kinds of the rule rows of a card type (vipAutoDiscount.DisType).
namespace RuleKind {
constexpr int DiscountBands = 1;     // discount by purchase amount band
constexpr int PointsBands = 2;       // points by purchase amount band
constexpr int StoredValueGifts = 3;  // gift amount by stored amount band
constexpr int PointsPerAmount = 4;   // every amount spent in one purchase earns points
constexpr int PointsPerPurchase = 5; // a purchase of at least an amount earns points
constexpr int ProductPoints = 6;     // points per product (prec = product record)
constexpr int AttributePoints = 7;   // points per product attribute (prec = attribute record)
} // namespace RuleKind

// Stored-value change types. The first four go to the procedures as text ("5").
namespace StoredValueChange {
constexpr int Recharge = 5;
constexpr int Refund = 6;
constexpr int ServiceSale = 25;
constexpr int ServiceConsumption = 26;
constexpr int UsesAdded = 28;
constexpr int UsesRemoved = 29;
// The ledger's own rows: a card's opening balance (and later corrections of it),
// and what a card held beyond it before the ledger began.
constexpr int Opening = 30;
constexpr int CarriedOver = 31;
// A sale at the till paid with stored value.
constexpr int Purchase = 32;
// Stored value a points exchange credited, kept as the shop's gift.
constexpr int PointsExchange = 33;
} // namespace StoredValueChange

// Points change types of the adjustment and exchange dialogs. The ledger stores
// an exchange as its type plus one (cash 7, stored value 8, goods 9, cards 13).
namespace PointsChange {
constexpr int Added = 0;
constexpr int Deducted = 1;
constexpr int Adjustment = 2; // the dialog's mode; saved as Added or Deducted by the sign
constexpr int Cash = 6;
constexpr int StoredValue = 7;
constexpr int Goods = 8;
constexpr int ShoppingCards = 12;
// The card procedure's creation row and the introducer's reward row (Memo "新建会员卡…"
// and "介绍新会员…"); the ledger keeps ChangeTotal signed, so these share the code of
// a deduction without being one.
constexpr int CardCreated = 1;
// Points taken off by a points clear of the member list.
constexpr int Cleared = 10;
} // namespace PointsChange

// Kinds of the host's operation log lines the module writes.
namespace LogKind {
constexpr int Logins = 1; // the host's own: failed logins, locks and unlocks
constexpr int MemberCards = 9;
constexpr int CouponCards = 13;
} // namespace LogKind

// Kinds of the member notices sent through the host's notice hook.
namespace NoticeKind {
constexpr int StoredValueChanged = 1;
constexpr int PointsChanged = 2;
constexpr int PasswordChanged = 3;
constexpr int CardOpened = 6;
constexpr int IntroducerRewarded = 7;
} // namespace NoticeKind

// Coupon kinds (shown to users as shopping cards).
namespace CouponKind {
constexpr int CashCoupon = 1;
constexpr int DiscountCard = 2;
constexpr int PreferentialCoupon = 3;
} // namespace CouponKind

// Why the card procedure's delete ("D") leaves a card in place.
namespace CardDeleteRefusal {
constexpr int Gone = -1;             // no live card with the number
constexpr int HoldsStoredValue = -2; // an opening stored value or a balance
constexpr int CouponCardsBound = -3;
constexpr int ServiceBalance = -4;
constexpr int ServiceUses = -5;
constexpr int WeChatBound = -6;
} // namespace CardDeleteRefusal

// Why a card is not activated (P_ActiveCard).
namespace CardActivation {
constexpr int Gone = -1;
constexpr int AlreadyActive = -2;
constexpr int LostOrStopped = -3;
} // namespace CardActivation

// What kd_CheckClearVipDate says of a card about to have its points cleared.
namespace PointsClearCheck {
constexpr int Gone = -1;
constexpr int AlreadyCleared = -2; // cleared up to the date or a later one
constexpr int NotActivated = -3;
} // namespace PointsClearCheck

// Bits of a coupon type's Flags (and the copy each card keeps), counted from 1 at
// the least significant bit.
namespace CouponFlag {
constexpr int SomeGoods = 1;
constexpr int MemberTypes = 2; // only the member card types of VIPType may use it
constexpr int ExpiryControlled = 7;
constexpr int PreferentialAmount = 13; // a preferential coupon's value is an amount, not a ratio
constexpr bool has(int flags, int bit) {
    return ((flags >> (bit - 1)) & 1) != 0;
}
} // namespace CouponFlag

// What KD_ETCListSet does to a coupon card (@Mode).
namespace CouponCardMode {
constexpr int Delete = 0;
constexpr int Activate = 1;
constexpr int Void = 2;
constexpr int Stop = 3;
constexpr int Resume = 4;
constexpr int Bind = 5;
} // namespace CouponCardMode
