#include "host/db/procedures/ETCUseLedger.h"

#include "host/data/Database.h"
#include "host/db/procedures/ETCHeldCard.h"
#include "host/sdk/VipCodes.h"

namespace {

QString refusal(const ETCHeldCard& card, const ETCUseLedger::Use& use) {
    if (card.voided())
        return QStringLiteral("已经作废的购物卡不能使用");
    if (!card.activated())
        return QStringLiteral("未激活的购物卡不能使用");
    if (card.stopped)
        return QStringLiteral("已经停用的购物卡不能使用");
    if (card.used)
        return QStringLiteral("该购物卡已经使用完");
    const QDate day = use.when.date();
    if ((card.startDate.isValid() && day < card.startDate) || (card.endDate.isValid() && day > card.endDate))
        return QStringLiteral("购物卡不在有效期内");
    if (card.kind == CouponKind::CashCoupon) {
        if (use.amount <= Money())
            return QStringLiteral("使用金额必须大于0");
        if (use.amount.raw() > card.total - card.usedTotal)
            return QStringLiteral("使用金额超过购物卡余额");
    } else if (!use.amount.isZero()) {
        return QStringLiteral("打折卡和优惠券只计使用次数，不扣金额");
    }
    return {};
}

} // namespace

ETCUseLedger::Result ETCUseLedger::post(Database& db, const Use& use) {
    const std::optional<ETCHeldCard> card = ETCHeldCard::hold(db, use.cardId);
    if (!card)
        return {0, QStringLiteral("购物卡不存在")};
    if (QString why = refusal(*card, use); !why.isEmpty())
        return {0, why};
    const qint64 before = card->kind == CouponKind::CashCoupon ? card->total - card->usedTotal : card->total;
    const qint64 taken = use.amount.raw();
    const int useId = db.scalar(QStringLiteral("INSERT INTO ETCUse (ETCListID, UseDate, PosID, BillCode, "
                                               "BeforeTotal, Total, AfterTotal, ERec) "
                                               "VALUES (?, ?, ?, ?, ?, ?, ?, ?) RETURNING id"),
                                {card->id, use.when, use.posId, use.billCode.left(60), before, taken,
                                 before - taken, use.userRec})
                          .toInt();
    // A cash coupon is used up with its value; the other kinds after the uses their
    // type allows (0: no limit).
    const int usesAllowed =
        db.scalar(QStringLiteral("SELECT UseCount FROM ETCType WHERE ID = ?"), {card->etcId}).toInt();
    const bool usedUp = card->kind == CouponKind::CashCoupon
                            ? card->usedTotal + taken >= card->total
                            : usesAllowed > 0 && card->usedCount + 1 >= usesAllowed;
    db.execute(
        QStringLiteral("UPDATE ETCList SET UsedTotal = UsedTotal + ?, UsedCount = UsedCount + 1, Used = ? "
                       "WHERE ID = ?"),
        {taken, usedUp ? 1 : 0, card->id});
    return {useId, {}};
}
