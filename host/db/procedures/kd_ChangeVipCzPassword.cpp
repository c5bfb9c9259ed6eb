#include "host/data/Database.h"
#include "host/data/StoredProcedure.h"
#include "host/db/procedures/VipCzPassword.h"
#include "host/sdk/DbError.h"
#include "host/services/PasswordHash.h"

// kd_ChangeVipCzPassword @Vipcardid, @OldPassword, @NewPassword: replaces the live
// card's stored-value password once the old one is right; only the salted hash of
// the new one is kept. Returns 0 changed, 1 the old password is wrong (counted),
// 2 the card's stored value is locked, -1 no such card. Outputs @Fails.
namespace {

int kdChangeVipCzPassword(ProcedureContext& call) {
    Database& db = call.db();
    const int cardId = call.integer(QStringLiteral("@Vipcardid"));
    const QString oldPassword = call.text(QStringLiteral("@OldPassword"), 6);
    const QString newPassword = call.text(QStringLiteral("@NewPassword"), 6);
    bool digits = newPassword.size() == 6;
    for (const QChar c : newPassword)
        digits = digits && c >= QLatin1Char('0') && c <= QLatin1Char('9');
    if (!digits)
        throw DbError(QStringLiteral("储值密码必须是 6 位数字。"));
    const VipCzPassword::Result result = VipCzPassword::verify(db, cardId, oldPassword);
    if (result == VipCzPassword::CardGone)
        return result;
    call.setOutput(QStringLiteral("@Fails"), VipCzPassword::failures(db, cardId));
    if (result != VipCzPassword::Right)
        return result;
    db.execute(
        QStringLiteral("UPDATE vipcard SET UsePass = 1, Password = '', PasswordHash = ?, CzPassFails = 0 "
                       "WHERE id = ?"),
        {PasswordHash::hash(newPassword), cardId});
    return 0;
}

const ProcedureRegistration registration(QStringLiteral("kd_ChangeVipCzPassword"), kdChangeVipCzPassword);

} // namespace
