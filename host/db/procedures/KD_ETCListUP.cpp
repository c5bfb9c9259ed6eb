#include "host/data/Database.h"
#include "host/data/StoredProcedure.h"
#include "host/db/procedures/ETCHeldCard.h"
#include "host/sdk/DbError.h"
#include "host/sdk/VipCodes.h"

#include <QDateTime>

// KD_ETCListUP: queues a coupon card change already made here (@UPType: the
// KD_ETCListSet mode; @VALUE its value; @Date the start date of an issue) for the
// head office: one row of ETCListUP, which the head-office link's sender forwards
// and stamps. The card must show the change: an activation on an activated card, a
// void on a voided one, a binding on a card bound to @VALUE, a stop or resume on a
// card stopped or running, a delete on a card no longer live. Returns the row's
// id, or -1 with the reason in @RetValue.
namespace {

constexpr int Refused = -1;

bool shows(Database& db, int id, int mode, const QString& value) {
    if (mode == CouponCardMode::Delete)
        return db.scalar(QStringLiteral("SELECT COUNT(*) FROM ETCList WHERE ID = ? AND deleted = 1"), {id})
                   .toInt() > 0;
    const std::optional<ETCHeldCard> card = ETCHeldCard::hold(db, id);
    if (!card)
        return false;
    switch (mode) {
    case CouponCardMode::Activate:
        return card->activated();
    case CouponCardMode::Void:
        return card->voided();
    case CouponCardMode::Stop:
        return card->stopped;
    case CouponCardMode::Resume:
        return !card->stopped;
    default:
        return card->vipId != 0 && card->vipCode == value;
    }
}

QDate optionalDate(const ProcedureContext& call) {
    if (!call.has(QStringLiteral("@Date")))
        return {};
    const QVariant value = call.in().Value(QStringLiteral("@Date"));
    const QDate date =
        value.typeId() == QMetaType::QDate || value.typeId() == QMetaType::QDateTime
            ? value.toDate()
            : QDate::fromString(value.toString().trimmed().left(10), QStringLiteral("yyyy-MM-dd"));
    if (!date.isValid())
        throw DbError(QStringLiteral("参数 @Date 不是有效的日期。"));
    return date;
}

int kdEtcListUp(ProcedureContext& call) {
    Database& db = call.db();
    const int id = call.integer(QStringLiteral("@ID"));
    const int mode = call.integer(QStringLiteral("@UPType"));
    const int userRec = call.integer(QStringLiteral("@ERec"));
    const QString value = call.text(QStringLiteral("@VALUE"), 100).trimmed();
    const int posId = call.integer(QStringLiteral("@PosID"));
    const QDate start = optionalDate(call);
    if (mode < CouponCardMode::Delete || mode > CouponCardMode::Bind)
        throw DbError(QStringLiteral("购物卡操作方式 %1 无效。").arg(mode));
    if (!shows(db, id, mode, value)) {
        call.setOutput(QStringLiteral("@RetValue"), QStringLiteral("购物卡的当前状态与要上传的操作不符"));
        return Refused;
    }
    const int row =
        db.scalar(QStringLiteral("INSERT INTO ETCListUP (ETCListID, UPType, Value, StartDate, ERec, "
                                 "PosID, CreatedAt) VALUES (?, ?, ?, ?, ?, ?, ?) RETURNING id"),
                  {id, mode, value, start.isValid() ? QVariant(start) : QVariant(), userRec, posId,
                   QDateTime::currentDateTime()})
            .toInt();
    call.setOutput(QStringLiteral("@RetValue"), QString());
    return row;
}

const ProcedureRegistration registration(QStringLiteral("KD_ETCListUP"), kdEtcListUp);

} // namespace
