#include "host/db/queries/ListQueryRegistry.h"

#include "host/db/queries/BoundQuery.h"
#include "host/sdk/DataModule.h"
#include "host/sdk/DbError.h"

ListQueryRegistry& ListQueryRegistry::global() {
    static ListQueryRegistry registry;
    return registry;
}

void ListQueryRegistry::add(int windowNo, const QString& sql) {
    m_queries.insert(windowNo, sql);
}

void ListQueryRegistry::open(int windowNo, const TParamObject& params, ClientDataSet& rows,
                             int maxRows) const {
    const auto it = m_queries.constFind(windowNo);
    if (it == m_queries.constEnd())
        throw DbError(QStringLiteral("窗口 %1 没有对应的查询。").arg(windowNo));
    const BoundQuery query(it.value(), params);
    if (maxRows <= 0) {
        dmClient().OpenSQL(query.sql(), rows, query.values());
        return;
    }
    QString sql = query.sql().trimmed();
    while (sql.endsWith(QLatin1Char(';')))
        sql.chop(1);
    QVariantList values = query.values();
    values.append(maxRows + 1);
    dmClient().OpenSQL(sql + QStringLiteral(" LIMIT ?"), rows, values);
}
