#include "host/data/Database.h"
#include "host/data/StoredProcedure.h"
#include "host/sdk/DbError.h"
#include "host/sdk/VipCodes.h"

// KD_ETCAutoCode: the next automatic number of the coupon kind "@ETCType" in the
// output "@CardNo": the kind's letters and eight digits ("XJ00000001"). The kind's
// counter row is moved in the same statement that reads it, so two clerks never
// get the same number; a number a live card already has (typed by hand) is passed
// over. The counter moves with the caller's transaction, so a save that fails
// gives the number back.
namespace {

QString prefix(int kind) {
    switch (kind) {
    case CouponKind::CashCoupon:
        return QStringLiteral("XJ");
    case CouponKind::DiscountCard:
        return QStringLiteral("DZ");
    case CouponKind::PreferentialCoupon:
        return QStringLiteral("YH");
    default:
        throw DbError(QStringLiteral("购物卡种类 %1 无效。").arg(kind));
    }
}

int kdEtcAutoCode(ProcedureContext& call) {
    Database& db = call.db();
    const int kind = call.integer(QStringLiteral("@ETCType"));
    const QString letters = prefix(kind);
    for (;;) {
        const QVariant next = db.scalar(
            QStringLiteral("UPDATE ETCAutoCode SET LastNo = LastNo + 1 WHERE ETCType = ? RETURNING LastNo"),
            {kind});
        if (!next.isValid())
            throw DbError(QStringLiteral("购物卡种类 %1 没有自动编号。").arg(kind));
        const QString cardNo = letters + QStringLiteral("%1").arg(next.toLongLong(), 8, 10, QLatin1Char('0'));
        if (db.scalar(QStringLiteral("SELECT COUNT(*) FROM ETCList WHERE CardNo = ? AND deleted = 0"),
                      {cardNo})
                .toInt() == 0) {
            call.setOutput(QStringLiteral("@CardNo"), cardNo);
            return 0;
        }
    }
}

const ProcedureRegistration registration(QStringLiteral("KD_ETCAutoCode"), kdEtcAutoCode);

} // namespace
