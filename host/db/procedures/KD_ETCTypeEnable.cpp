#include "host/data/Database.h"
#include "host/data/StoredProcedure.h"
#include "host/sdk/ClientDataSet.h"
#include "host/sdk/VipCodes.h"

#include <QDateTime>

// KD_ETCTypeEnable @ID, @Enable, @LoginUser (void only): @Enable 0 deletes a coupon
// type no card was issued of; 3 voids the type and every card of it, and writes the
// coupon-card log line naming the type and the number of cards voided. Returns 0;
// a refusal returns a negative code with its text in @RetValue: -1 the type is gone,
// -2 cards of it exist (delete), -3 it is voided already, -4 another @Enable.
namespace {

int refuse(ProcedureContext& call, int code, const QString& text) {
    call.setOutput(QStringLiteral("@RetValue"), text);
    return code;
}

int kdETCTypeEnable(ProcedureContext& call) {
    Database& db = call.db();
    const int id = call.integer(QStringLiteral("@ID"));
    const int enable = call.integer(QStringLiteral("@Enable"));
    if (enable != CouponTypeState::Deleted && enable != CouponTypeState::Voided)
        return refuse(call, -4, QStringLiteral("不支持的操作"));
    ClientDataSet type;
    db.select(QStringLiteral("SELECT NAME, Enabled FROM ETCType WHERE ID = ?") + db.dialect().forUpdate(),
              {id}, type);
    const int state =
        type.IsEmpty() ? CouponTypeState::Deleted : type.FieldByName(QStringLiteral("Enabled")).AsInteger();
    if (state == CouponTypeState::Deleted)
        return refuse(call, -1, QStringLiteral("该购物卡类型不存在或已经删除"));

    if (enable == CouponTypeState::Deleted) {
        if (db.scalar(QStringLiteral("SELECT COUNT(*) FROM ETCList WHERE ETCID = ? AND deleted = 0"), {id})
                .toInt() > 0)
            return refuse(call, -2, QStringLiteral("该类型已经使用，不能删除"));
        db.execute(QStringLiteral("UPDATE ETCType SET Enabled = ? WHERE ID = ?"),
                   {CouponTypeState::Deleted, id});
        return 0;
    }

    if (state == CouponTypeState::Voided)
        return refuse(call, -3, QStringLiteral("该购物卡类型已经作废"));
    const int user = call.integer(QStringLiteral("@LoginUser"));
    db.execute(QStringLiteral("UPDATE ETCType SET Enabled = ? WHERE ID = ?"), {CouponTypeState::Voided, id});
    const int cards = db.execute(
        QStringLiteral("UPDATE ETCList SET Flag = ? WHERE ETCID = ? AND deleted = 0 AND Flag <> ?"),
        {CouponTypeState::Voided, id, CouponTypeState::Voided});
    db.execute(QStringLiteral("INSERT INTO syslog (LogTime, UserRec, Kind, LogText) VALUES (?, ?, ?, ?)"),
               {QDateTime::currentDateTime(), user, LogKind::CouponCards,
                QStringLiteral("购物卡类型：%1;作废，同时作废该类型下购物卡%2张;")
                    .arg(type.FieldByName(QStringLiteral("NAME")).AsString())
                    .arg(cards)});
    return 0;
}

const ProcedureRegistration registration(QStringLiteral("KD_ETCTypeEnable"), kdETCTypeEnable);

} // namespace
