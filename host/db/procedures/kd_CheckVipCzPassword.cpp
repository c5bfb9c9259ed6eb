#include "host/data/Database.h"
#include "host/data/StoredProcedure.h"
#include "host/db/procedures/VipCzPassword.h"

// kd_CheckVipCzPassword @CardNo, @Password: compares the stored-value password of
// the live card and counts a wrong one. Returns 0 right (or the card has none),
// 1 wrong, 2 the card's stored value is locked (by this entry or before), -1 no
// such card. A wrong entry is a result, not a failure, so its count is kept.
// Outputs @Fails, the wrong entries in a row.
namespace {

int kdCheckVipCzPassword(ProcedureContext& call) {
    Database& db = call.db();
    const QString cardNo = call.text(QStringLiteral("@CardNo"), 30).trimmed();
    const QString password = call.text(QStringLiteral("@Password"), 6);
    const QVariant id =
        db.scalar(QStringLiteral("SELECT id FROM vipcard WHERE CardNo = ? AND deleted = 0"), {cardNo});
    if (!id.isValid())
        return VipCzPassword::CardGone;
    const VipCzPassword::Result result = VipCzPassword::verify(db, id.toInt(), password);
    call.setOutput(QStringLiteral("@Fails"), VipCzPassword::failures(db, id.toInt()));
    return result;
}

const ProcedureRegistration registration(QStringLiteral("kd_CheckVipCzPassword"), kdCheckVipCzPassword);

} // namespace
