#include "host/data/Database.h"
#include "host/data/StoredProcedure.h"
#include "host/sdk/DbError.h"

// Kd_SetSubValue @szName, @szValue: stores one named system setting, creating it
// when it is new. Returns 0.
namespace {

int kdSetSubValue(ProcedureContext& call) {
    const QString name = call.text(QStringLiteral("@szName"), 60).trimmed();
    const QString value = call.text(QStringLiteral("@szValue"), 2000);
    if (name.isEmpty())
        throw DbError(QStringLiteral("设置项名称不能为空。"));
    call.db().execute(QStringLiteral("INSERT INTO sysdata (SubName, SubValue) VALUES (?, ?) "
                                     "ON CONFLICT (SubName) DO UPDATE SET SubValue = excluded.SubValue"),
                      {name, value});
    return 0;
}

const ProcedureRegistration registration(QStringLiteral("Kd_SetSubValue"), kdSetSubValue);

} // namespace
