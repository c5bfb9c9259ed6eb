#include "host/db/procedures/VipTypeStamp.h"

#include "host/data/Database.h"

void VipTypeStamp::touch(Database& db, int typeId) {
    // The counter row stays locked until this writer commits, so stamps never
    // repeat. It also starts above any stamp written without it (imported or demo
    // types), so a type never gets back a stamp a cache may already hold for it.
    const qint64 stamp =
        db.scalar(
              QStringLiteral("UPDATE VipTypeStamp SET MD = CASE WHEN MD >= (SELECT COALESCE(MAX(MD), 0) "
                             "FROM viptype) THEN MD ELSE (SELECT COALESCE(MAX(MD), 0) FROM viptype) END + 1 "
                             "WHERE id = 1 RETURNING MD"))
            .toLongLong();
    db.execute(QStringLiteral("UPDATE viptype SET MD = ? WHERE CTypeId = ?"), {stamp, typeId});
}
