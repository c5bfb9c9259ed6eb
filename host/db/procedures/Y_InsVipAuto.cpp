#include "host/data/Database.h"
#include "host/data/StoredProcedure.h"
#include "host/db/procedures/VipTypeStamp.h"

// Y_InsVipAuto, for card types (@cardbz '1'):
// - @edittype 'S' returns the live card types (CTypeID, TypeName) and 0;
// - @edittype 'D' with @Autoid deletes a card type: 0 when deleted, -1 when there
//   is no such live type, -2 when live cards still carry the type.
// Any other request returns -1.
namespace {

int yInsVipAuto(ProcedureContext& call) {
    Database& db = call.db();
    const QString editType = call.text(QStringLiteral("@edittype"), 1).toUpper();
    const QString cardMark = call.text(QStringLiteral("@cardbz"), 1);
    if (cardMark != QLatin1String("1"))
        return -1;
    if (editType == QLatin1String("S")) {
        call.returnRows(QStringLiteral(
            "SELECT CTypeId AS CTypeID, TypeName FROM viptype WHERE deleted = 0 ORDER BY CTypeId"));
        return 0;
    }
    if (editType != QLatin1String("D"))
        return -1;
    const int typeId = call.integer(QStringLiteral("@Autoid"));
    if (!db.scalar(QStringLiteral("SELECT CTypeId FROM viptype WHERE CTypeId = ? AND deleted = 0") +
                       db.dialect().forUpdate(),
                   {typeId})
             .isValid())
        return -1;
    if (db.scalar(QStringLiteral("SELECT COUNT(*) FROM vipcard WHERE CardType = ? AND deleted = 0"), {typeId})
            .toInt() > 0)
        return -2;
    db.execute(QStringLiteral("UPDATE viptype SET deleted = 1 WHERE CTypeId = ?"), {typeId});
    VipTypeStamp::touch(db, typeId);
    return 0;
}

const ProcedureRegistration registration(QStringLiteral("Y_InsVipAuto"), yInsVipAuto);

} // namespace
