#include "host/data/Database.h"
#include "host/data/StoredProcedure.h"
#include "host/sdk/DbError.h"
#include "host/sdk/VipCodes.h"

#include <QDate>

// P_InsertIntegralexchangeSet: one rule of what a card type's points buy, saved as
// row @groupOrdId of the group @groupId. Returns the rule's ExChangeID, or:
//   -1 the card type is not live or earns no points
//   -2 the exchange way is none of cash 7, stored value 8, goods 9, coupon cards 13
//   -3 the points are outside 1..10000000
//   -4 one unit gives nothing (@exchangeNum not above 0)
//   -5 a negative price difference
//   -6 goods: the product is not a live, saleable product
//   -7 coupon cards: the coupon type does not exist or is deleted or voided
//   -8 the end date is before the start date
// The card type's and the coupon type's rows are held until the caller's
// transaction ends, so neither is deleted or voided under a group being saved.
namespace {

using namespace ExchangeWay;
constexpr int MostPoints = 10000000;
constexpr int CouponTypeInUse = 1;

QDate date(const ProcedureContext& call, const QString& name) {
    const QVariant value = call.in().Value(name);
    const QDate parsed = value.typeId() == QMetaType::QDate
                             ? value.toDate()
                             : QDate::fromString(call.text(name, 10), QStringLiteral("yyyy-MM-dd"));
    if (!parsed.isValid())
        throw DbError(QStringLiteral("参数 %1 不是日期。").arg(name));
    return parsed;
}

int pInsertIntegralexchangeSet(ProcedureContext& call) {
    Database& db = call.db();
    const int typeId = call.integer(QStringLiteral("@CTypeId"));
    const int way = call.integer(QStringLiteral("@ChangeType"));
    const int points = call.integer(QStringLiteral("@UseIntegral"));
    const Money perUnit = call.money(QStringLiteral("@exchangeNum"));
    const Money difference = call.money(QStringLiteral("@diffprice"));
    const QDate start = date(call, QStringLiteral("@SDate"));
    const QDate end = date(call, QStringLiteral("@EDate"));
    const QString memo = call.text(QStringLiteral("@Memo"), 255);
    const QString group = call.text(QStringLiteral("@groupId"), 40).trimmed();
    const int position = call.integer(QStringLiteral("@groupOrdId"));
    const int userRec = call.integer(QStringLiteral("@ERec"));
    // Only the way that uses a column keeps it; the others store their zero.
    const int prec = way == Goods ? call.integer(QStringLiteral("@PRec")) : 0;
    const int couponType = way == CouponCards ? call.integer(QStringLiteral("@ETCID")) : 0;
    const bool automatic = way == StoredValue && call.integer(QStringLiteral("@IsCzAuto")) == 1;
    const Money perItem = way == Goods || way == CouponCards ? difference : Money();

    if (group.isEmpty() || position < 0)
        throw DbError(QStringLiteral("兑换规则的分组无效。"));
    if (!db.scalar(QStringLiteral("SELECT CTypeId FROM viptype WHERE CTypeId = ? AND deleted = 0 "
                                  "AND AutoIntegral = 1") +
                       db.dialect().forUpdate(),
                   {typeId})
             .isValid())
        return -1;
    if (way != Cash && way != StoredValue && way != Goods && way != CouponCards)
        return -2;
    if (points < 1 || points > MostPoints)
        return -3;
    if (perUnit <= Money())
        return -4;
    if (difference < Money())
        return -5;
    if (way == Goods &&
        db.scalar(QStringLiteral("SELECT COUNT(*) FROM ptype WHERE rec = ? AND deleted = 0 AND sonnum = 0"),
                  {prec})
                .toInt() == 0)
        return -6;
    if (way == CouponCards &&
        !db.scalar(QStringLiteral("SELECT ID FROM ETCType WHERE ID = ? AND Enabled = ?") +
                       db.dialect().forUpdate(),
                   {couponType, CouponTypeInUse})
             .isValid())
        return -7;
    if (end < start)
        return -8;

    return db
        .scalar(QStringLiteral("INSERT INTO IntegralexchangeSet (groupId, groupOrdId, CTypeId, ChangeType, "
                               "PRec, UseIntegral, exchangeNum, diffprice, ETCID, SDate, EDate, Memo, "
                               "IsCzAuto, ERec, deleted) "
                               "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 0) RETURNING ExChangeID"),
                {group, position, typeId, way, prec, points, QVariant::fromValue(perUnit),
                 QVariant::fromValue(perItem), couponType, start, end, memo, automatic ? 1 : 0, userRec})
        .toInt();
}

const ProcedureRegistration registration(QStringLiteral("P_InsertIntegralexchangeSet"),
                                         pInsertIntegralexchangeSet);

} // namespace
