#include "host/data/Database.h"
#include "host/data/StoredProcedure.h"
#include "host/db/procedures/ETCCardLog.h"
#include "host/db/procedures/ETCHeldCard.h"
#include "host/sdk/ClientDataSet.h"
#include "host/sdk/DbError.h"
#include "host/sdk/VipCodes.h"

#include <QDate>

// KD_ETCListSet: changes the state of the live coupon card @ID by @Mode (delete,
// activate, void, stop, resume, bind to the member card numbered @Value) for the
// user @LoginRec, under the card's row lock. Returns 0, or -1 with the reason in
// @RetValue; every change writes one operation-log line of kind 13.
namespace {

constexpr int Refused = -1;

struct Change {
    QString refusal;
    QString logText; // what the log line says was done
};

Change refuse(const QString& why) {
    return {why, {}};
}

Change remove(Database& db, const ETCHeldCard& card) {
    if (card.activated())
        return refuse(QStringLiteral("已经激活的购物卡不能删除"));
    if (card.vipId != 0)
        return refuse(QStringLiteral("已经绑定会员卡的购物卡不能删除"));
    if (card.everUsed())
        return refuse(QStringLiteral("已经使用的购物卡不能删除"));
    db.execute(QStringLiteral("UPDATE ETCList SET deleted = 1 WHERE ID = ?"), {card.id});
    return {{}, QStringLiteral("删除")};
}

// An activated card is usable from its start date (today when it has none); a type
// that counts its days from activation ends it that many days later.
Change activate(Database& db, const ETCHeldCard& card) {
    if (card.voided())
        return refuse(QStringLiteral("已经作废的购物卡不能激活"));
    if (card.activated())
        return refuse(QStringLiteral("该购物卡已经激活"));
    if (card.stopped)
        return refuse(QStringLiteral("已经停用的购物卡不能激活"));
    ClientDataSet type;
    db.select(QStringLiteral("SELECT Flags, VallidityType, VallidityDay, Enabled FROM ETCType WHERE ID = ?"),
              {card.etcId}, type);
    if (type.IsEmpty() || type.FieldByName(QStringLiteral("Enabled")).AsInteger() != 1)
        return refuse(QStringLiteral("购物卡的类型已经删除或作废，不能激活"));
    const QDate start = card.startDate.isValid() ? card.startDate : QDate::currentDate();
    QDate end = card.endDate;
    if (CouponFlag::has(type.FieldByName(QStringLiteral("Flags")).AsInteger(),
                        CouponFlag::ExpiryControlled) &&
        type.FieldByName(QStringLiteral("VallidityType")).AsInteger() == 0)
        end = start.addDays(type.FieldByName(QStringLiteral("VallidityDay")).AsInteger());
    db.execute(QStringLiteral("UPDATE ETCList SET Flag = 1, StartDate = ?, EndDate = ? WHERE ID = ?"),
               {start, end.isValid() ? QVariant(end) : QVariant(QDate(2050, 1, 1)), card.id});
    return {{}, QStringLiteral("激活")};
}

Change voidCard(Database& db, const ETCHeldCard& card) {
    if (card.voided())
        return refuse(QStringLiteral("该购物卡已经作废"));
    db.execute(QStringLiteral("UPDATE ETCList SET Flag = 3 WHERE ID = ?"), {card.id});
    return {{}, QStringLiteral("作废")};
}

Change stop(Database& db, const ETCHeldCard& card) {
    if (card.voided())
        return refuse(QStringLiteral("已经作废的购物卡不能停用"));
    if (card.stopped)
        return refuse(QStringLiteral("该购物卡已经停用"));
    db.execute(QStringLiteral("UPDATE ETCList SET IsStop = 1 WHERE ID = ?"), {card.id});
    return {{}, QStringLiteral("停用")};
}

Change resume(Database& db, const ETCHeldCard& card) {
    if (card.voided())
        return refuse(QStringLiteral("已经作废的购物卡不能启用"));
    if (card.used)
        return refuse(QStringLiteral("已经使用完的购物卡不能启用"));
    if (!card.stopped)
        return refuse(QStringLiteral("该购物卡没有停用"));
    db.execute(QStringLiteral("UPDATE ETCList SET IsStop = 0 WHERE ID = ?"), {card.id});
    return {{}, QStringLiteral("启用")};
}

Change bind(Database& db, const ETCHeldCard& card, const QString& memberCardNo) {
    if (card.voided())
        return refuse(QStringLiteral("已经作废的购物卡不能绑定会员卡"));
    if (card.vipId != 0)
        return refuse(QStringLiteral("该购物卡已经绑定会员卡[%1]").arg(card.vipCode));
    if (card.used)
        return refuse(QStringLiteral("已经使用完的购物卡不能绑定会员卡"));
    if (card.stopped)
        return refuse(QStringLiteral("已经停用的购物卡不能绑定会员卡"));
    ClientDataSet member;
    db.select(QStringLiteral("SELECT id, CardType FROM vipcard WHERE CardNo = ? AND deleted = 0"),
              {memberCardNo}, member);
    if (memberCardNo.isEmpty() || member.IsEmpty())
        return refuse(QStringLiteral("会员卡[%1]不存在").arg(memberCardNo));
    if (const QString why = ETCHeldCard::memberTypeRefusal(
            card.flags, card.vipType, member.FieldByName(QStringLiteral("CardType")).AsInteger(), card.cardNo,
            memberCardNo);
        !why.isEmpty())
        return refuse(why);
    db.execute(QStringLiteral("UPDATE ETCList SET VIPID = ?, VIPCode = ? WHERE ID = ?"),
               {member.FieldByName(QStringLiteral("id")).AsInteger(), memberCardNo, card.id});
    return {{}, QStringLiteral("绑定会员卡:%1").arg(memberCardNo)};
}

int kdEtcListSet(ProcedureContext& call) {
    Database& db = call.db();
    const int id = call.integer(QStringLiteral("@ID"));
    const int mode = call.integer(QStringLiteral("@Mode"));
    const int userRec = call.integer(QStringLiteral("@LoginRec"));
    const int posId = call.has(QStringLiteral("@PosID")) ? call.integer(QStringLiteral("@PosID")) : 0;
    const QString value =
        call.has(QStringLiteral("@Value")) ? call.text(QStringLiteral("@Value"), 100).trimmed() : QString();
    if (mode < CouponCardMode::Delete || mode > CouponCardMode::Bind)
        throw DbError(QStringLiteral("购物卡操作方式 %1 无效。").arg(mode));
    const std::optional<ETCHeldCard> card = ETCHeldCard::hold(db, id);
    if (!card) {
        call.setOutput(QStringLiteral("@RetValue"), QStringLiteral("购物卡不存在"));
        return Refused;
    }
    Change change;
    switch (mode) {
    case CouponCardMode::Delete:
        change = remove(db, *card);
        break;
    case CouponCardMode::Activate:
        change = activate(db, *card);
        break;
    case CouponCardMode::Void:
        change = voidCard(db, *card);
        break;
    case CouponCardMode::Stop:
        change = stop(db, *card);
        break;
    case CouponCardMode::Resume:
        change = resume(db, *card);
        break;
    default:
        change = bind(db, *card, value);
        break;
    }
    if (!change.refusal.isEmpty()) {
        call.setOutput(QStringLiteral("@RetValue"), change.refusal);
        return Refused;
    }
    ETCCardLog::write(db, userRec, posId, QStringLiteral("卡号：%1;%2;").arg(card->cardNo, change.logText));
    call.setOutput(QStringLiteral("@RetValue"), QString());
    return 0;
}

const ProcedureRegistration registration(QStringLiteral("KD_ETCListSet"), kdEtcListSet);

} // namespace
