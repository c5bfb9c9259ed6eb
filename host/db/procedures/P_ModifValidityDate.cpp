#include "host/data/Database.h"
#include "host/data/StoredProcedure.h"
#include "host/db/procedures/CardIdList.h"
#include "host/sdk/DbError.h"

#include <QDate>

// P_ModifValidityDate: sets the validity date of the live cards @VipCard ("12,15,40")
// to @ModifDate ("YYYY-MM-DD"). A date before a card's issue date would leave it
// expired before it began; such cards and cards gone are skipped. Returns the
// number of cards changed; @Skipped receives the number skipped.
namespace {

int pModifValidityDate(ProcedureContext& call) {
    Database& db = call.db();
    const QList<int> ids = CardIdList::parse(call.text(QStringLiteral("@VipCard")));
    const QString text = call.text(QStringLiteral("@ModifDate")).trimmed();
    const QDate date = QDate::fromString(text, QStringLiteral("yyyy-MM-dd"));
    if (!date.isValid())
        throw DbError(QStringLiteral("有效期“%1”无效。").arg(text.left(20)));
    int changed = 0;
    for (int id : ids)
        changed +=
            db.execute(QStringLiteral("UPDATE vipcard SET ValidityDate = ?, IsUse = IsUse + 1 WHERE id = ? "
                                      "AND deleted = 0 AND BulidDate <= ?"),
                       {date, id, date});
    call.setOutput(QStringLiteral("@Skipped"), int(ids.size()) - changed);
    return changed;
}

const ProcedureRegistration registration(QStringLiteral("P_ModifValidityDate"), pModifValidityDate);

} // namespace
