#include "host/data/Database.h"
#include "host/data/StoredProcedure.h"

// Pro_checkhassamevipname @vipTypename, @viptypeId: 1 when another live card type
// already carries the name (compared as the type would be stored, trimmed), else 0.
namespace {

int proCheckHasSameVipName(ProcedureContext& call) {
    const QString name = call.text(QStringLiteral("@vipTypename")).trimmed();
    const int typeId = call.integer(QStringLiteral("@viptypeId"));
    const int same =
        call.db()
            .scalar(QStringLiteral("SELECT COUNT(*) FROM viptype WHERE TypeName = ? AND CTypeId <> ? "
                                   "AND deleted = 0"),
                    {name, typeId})
            .toInt();
    return same > 0 ? 1 : 0;
}

const ProcedureRegistration registration(QStringLiteral("Pro_checkhassamevipname"), proCheckHasSameVipName);

} // namespace
