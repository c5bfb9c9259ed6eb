#include "host/db/procedures/VipTypeStamp.h"

#include "host/data/Database.h"

void VipTypeStamp::touch(Database& db, int typeId) {
    // Larger than every stamp handed out so far, so no cache can hold it already.
    db.execute(QStringLiteral("UPDATE viptype SET MD = (SELECT COALESCE(MAX(MD), 0) + 1 FROM viptype) WHERE CTypeId = ?"),
               {typeId});
}
