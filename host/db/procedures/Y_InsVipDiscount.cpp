#include "host/data/Database.h"
#include "host/data/StoredProcedure.h"
#include "host/db/procedures/VipTypeStamp.h"
#include "host/sdk/DbError.h"

// Y_InsVipDiscount: adds one rule row to a live card type. Product (6) and
// attribute (7) rows name their product or attribute in @prec, 0 for the row that
// covers everything else. Returns the new row's id.
namespace {

int yInsVipDiscount(ProcedureContext& call) {
    Database& db = call.db();
    const Money begin = call.money(QStringLiteral("@BuyTotalBegin"));
    const Money end = call.money(QStringLiteral("@BuyTotalEnd"));
    const double discount = call.number(QStringLiteral("@Discount"));
    const QString comment = call.text(QStringLiteral("@Comment"), 100);
    const int kind = call.integer(QStringLiteral("@DisType"));
    const Money base = call.money(QStringLiteral("@IntegralQuotiety"));
    const Money grant = call.money(QStringLiteral("@Integral"));
    const int typeId = call.integer(QStringLiteral("@VipTypeId"));
    const int prec = (kind == 6 || kind == 7) ? call.integer(QStringLiteral("@prec")) : 0;

    if (kind < 1 || kind > 7)
        throw DbError(QStringLiteral("规则类别 %1 无效。").arg(kind));
    if (begin < Money() || end < Money() || base < Money() || grant < Money() || discount < 0 ||
        discount > 100)
        throw DbError(QStringLiteral("规则的金额、折扣或积分不能为负数，折扣不能超过100。"));
    if (end < begin)
        throw DbError(QStringLiteral("规则的金额下限大于上限。"));
    if (db.scalar(QStringLiteral("SELECT COUNT(*) FROM viptype WHERE CTypeId = ? AND deleted = 0"), {typeId})
            .toInt() == 0)
        throw DbError(QStringLiteral("会员卡类型不存在。"));
    if (kind == 6 && prec != 0 &&
        db.scalar(QStringLiteral("SELECT COUNT(*) FROM ptype WHERE rec = ? AND deleted = 0"), {prec})
                .toInt() == 0)
        throw DbError(QStringLiteral("积分规则中的商品不存在。"));
    if (kind == 7 && prec != 0 &&
        db.scalar(QStringLiteral(
                      "SELECT COUNT(*) FROM BaseInfoProperty WHERE rec = ? AND IDFlag = 1 AND deleted = 0"),
                  {prec})
                .toInt() == 0)
        throw DbError(QStringLiteral("积分规则中的商品属性不存在。"));

    const int id =
        db.scalar(
              QStringLiteral("INSERT INTO vipAutoDiscount (VipTypeId, DisType, BuyToTalBegin, BuyTotalEnd, "
                             "Discount, IntegralQuotiety, Integral, Comment, prec) "
                             "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?) RETURNING id"),
              {typeId, kind, QVariant::fromValue(begin), QVariant::fromValue(end), discount,
               QVariant::fromValue(base), QVariant::fromValue(grant), comment, prec})
            .toInt();
    VipTypeStamp::touch(db, typeId);
    return id;
}

const ProcedureRegistration registration(QStringLiteral("Y_InsVipDiscount"), yInsVipDiscount);

} // namespace
