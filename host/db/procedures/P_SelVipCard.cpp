#include "host/data/Database.h"
#include "host/data/StoredProcedure.h"
#include "host/db/procedures/VipCardRows.h"
#include "host/sdk/DbError.h"

// P_SelVipCard: one live card with the member list's columns, found by @EditType:
// "S" exactly by number (@CardNo), "I" by record id (@id), "G" by GUID (@cardid).
// Returns the number of rows (0 or 1).
namespace {

int pSelVipCard(ProcedureContext& call) {
    const QString how = call.text(QStringLiteral("@EditType")).trimmed().toUpper();
    QString where;
    QVariant key;
    if (how == QLatin1String("S")) {
        where = QStringLiteral("a.CardNo = ?");
        key = call.text(QStringLiteral("@CardNo"), 30).trimmed();
    } else if (how == QLatin1String("I")) {
        where = QStringLiteral("a.id = ?");
        key = call.integer(QStringLiteral("@id"));
    } else if (how == QLatin1String("G")) {
        where = QStringLiteral("a.cardid = ?");
        key = call.text(QStringLiteral("@cardid"), 40).trimmed();
    } else {
        throw DbError(QStringLiteral("会员卡查找方式 %1 无效。").arg(how));
    }
    call.returnRows(VipCardRows::select() + QStringLiteral("WHERE a.deleted = 0 AND ") + where, {key});
    return call.db()
        .scalar(QStringLiteral("SELECT COUNT(*) FROM vipcard a WHERE a.deleted = 0 AND ") + where, {key})
        .toInt();
}

const ProcedureRegistration registration(QStringLiteral("P_SelVipCard"), pSelVipCard);

} // namespace
