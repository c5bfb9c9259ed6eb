#include "tests/support/DbProbe.h"

#include "host/sdk/DataModule.h"

namespace DbProbe {

int count(DataModule& data, const QString& table, const QString& where, const QVariantList& params) {
    QString sql = QStringLiteral("SELECT COUNT(*) FROM ") + table;
    if (!where.isEmpty())
        sql += QStringLiteral(" WHERE ") + where;
    return data.OpenSQLAsInt(sql, params);
}

} // namespace DbProbe
