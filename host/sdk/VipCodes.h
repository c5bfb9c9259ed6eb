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
// Service uses a lot still held when its last day had passed, written off.
constexpr int UsesExpired = 27;
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

// Bits of a coupon type's Flags (ETCType.Flags), numbered as SetBitValue and
// GetBitValue count them (bit 1 the least significant). Bits 8 to 11 and 13 follow
// the type's values; the type procedure sets them, whatever the caller sent.
namespace CouponTypeFlag {
constexpr int PartialGoods = 1;        // only the allowed goods may be paid with it
constexpr int MemberTypes = 2;         // only the allowed member card types may use it
constexpr int SpecialPriceGoods = 3;   // special-price goods may be paid with it
constexpr int OtherTypes = 4;          // other coupon types may be used together
constexpr int EarnsPoints = 5;         // purchases paid with it earn points
constexpr int Unused = 6;              // always 0
constexpr int ExpiryControlled = 7;    // the expiry settings apply
constexpr int MinimumPurchase = 8;     // SaleStart > 0
constexpr int UseCountLimited = 9;     // UseCount > 0
constexpr int SeveralPerReceipt = 10;  // UseLimit > 1
constexpr int HasValue = 11;           // RangLimit > 0
constexpr int BoundToMember = 12;      // the card must be bound to a member card
constexpr int PreferentialAmount = 13; // a preferential value is an amount (RangType 1)
constexpr int UndiscountedGoods = 14;  // a discount card discounts goods without discount too
constexpr int AutoCreate = 15;         // retail creates cards when automatic gifts run short
} // namespace CouponTypeFlag

// States of a coupon type (ETCType.Enabled); a voided coupon card carries the same
// mark in ETCList.Flag.
namespace CouponTypeState {
constexpr int Deleted = 0;
constexpr int InUse = 1;
constexpr int Voided = 3;
} // namespace CouponTypeState

// How a coupon type's expiry is given (ETCType.VallidityType).
namespace CouponExpiry {
constexpr int DaysAfterActivation = 0;
constexpr int UntilDate = 1;
// The last day an expiry may reach.
constexpr int LastYear = 2050;
constexpr int LastMonth = 1;
constexpr int LastDay = 1;
} // namespace CouponExpiry

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

// How a service item's rules give gift uses (VipService.discountType).
namespace ServiceGiftMode {
constexpr int PerMultiple = 1; // "倍数": the rule's gift for every full multiple of its count
constexpr int Direct = 2;      // "直赠": the rule's gift once
} // namespace ServiceGiftMode

// Why the service item procedures refuse (Kd_InsertVipService, Kd_UpdateVipService,
// Kd_InsertVipServiceRule).
namespace ServiceItemRefusal {
constexpr int NoProduct = -1;       // no live product of that record number, or a product class
constexpr int AlreadyItem = -2;     // the product is a service item already
constexpr int NoItem = -3;          // the product is no service item
constexpr int BadStartTimes = -4;   // the least purchase is below 1 (and not the stored -1)
constexpr int NegativePrice = -5;   // the single-use price is below 0
constexpr int BadGiftMode = -6;     // neither PerMultiple nor Direct
constexpr int BadBuyTimes = -7;     // a rule's count is below 1
constexpr int BadRulePrice = -8;    // a rule's price is not above 0
constexpr int BelowStartTimes = -9; // a rule's count is below the item's least purchase
constexpr int SameBuyTimes = -10;   // the item has a rule from that count already
} // namespace ServiceItemRefusal
// What KD_ETCListSet does to a coupon card (@Mode).
namespace CouponCardMode {
constexpr int Delete = 0;
constexpr int Activate = 1;
constexpr int Void = 2;
constexpr int Stop = 3;
constexpr int Resume = 4;
constexpr int Bind = 5;
} // namespace CouponCardMode
// The ways a card type's points are exchanged (IntegralexchangeSet.ChangeType): the
// points dialog's change type plus one, as the points ledger stores an exchange.
namespace ExchangeWay {
constexpr int Cash = 7;
constexpr int StoredValue = 8;
constexpr int Goods = 9;
constexpr int CouponCards = 13;
} // namespace ExchangeWay
// Accounts of the books (atype.typeId) the service dialogs name. A service sale whose
// receiving account is the members' stored-value account is paid from the card's
// stored value; a consumption books against the fixed consumption account.
namespace ServiceAccount {
inline constexpr char MemberStoredValue[] = "00005";
inline constexpr char SaleDefault[] = "0000100003";
inline constexpr char Consumption[] = "0000200005";
} // namespace ServiceAccount
