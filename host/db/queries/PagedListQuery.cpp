#include "host/db/queries/PagedListQuery.h"

#include "host/data/Database.h"
#include "host/db/queries/BoundQuery.h"
#include "host/db/queries/ListQueryRegistry.h"
#include "host/sdk/DbError.h"

#include <limits>

namespace {

// The statement without a trailing ORDER BY of its own (and without a final ";"): an
// ordered derived table would keep the server from reading the list's own index in
// the order asked for.
QString withoutOwnOrder(const QString& sql) {
    QString text = sql.trimmed();
    while (text.endsWith(QLatin1Char(';')))
        text = text.chopped(1).trimmed();
    int depth = 0;
    qsizetype lastOrder = -1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            const qsizetype close = text.indexOf(c, i + 1);
            i = close < 0 ? text.size() : close;
        } else if (c == QLatin1Char('(')) {
            ++depth;
        } else if (c == QLatin1Char(')')) {
            --depth;
        } else if (depth == 0 && (i == 0 || text.at(i - 1).isSpace()) &&
                   QStringView(text).mid(i, 5).compare(QLatin1String("ORDER"), Qt::CaseInsensitive) == 0 &&
                   i + 5 < text.size() && text.at(i + 5).isSpace()) {
            lastOrder = i;
        }
    }
    return lastOrder < 0 ? text : text.left(lastOrder).trimmed();
}

// A search text as LIKE reads it literally, inside wildcards.
QString containing(const QString& text) {
    QString escaped = text;
    escaped.replace(QLatin1Char('\\'), QStringLiteral("\\\\"))
        .replace(QLatin1Char('%'), QStringLiteral("\\%"))
        .replace(QLatin1Char('_'), QStringLiteral("\\_"));
    return QLatin1Char('%') + escaped + QLatin1Char('%');
}

} // namespace

PagedListQuery::PagedListQuery(int windowNo, const TParamObject& params) {
    const ListQueryRegistry& registry = ListQueryRegistry::global();
    m_key = registry.pageKey(windowNo);
    if (m_key.isEmpty())
        throw DbError(QStringLiteral("窗口 %1 的查询不能分页读取。").arg(windowNo));
    const BoundQuery query(withoutOwnOrder(registry.sql(windowNo)), params);
    m_base = query.sql();
    m_baseValues = query.values();
}

void PagedListQuery::SetOrder(const QString& field, bool descending) {
    m_orderField = field;
    m_descending = descending;
}

void PagedListQuery::SetFilter(const QString& text, const QStringList& fields,
                               const QStringList& castFields) {
    m_filterText = text.trimmed();
    m_filterFields = fields;
    m_castFields = castFields;
}

QString PagedListQuery::column(const QString& field) const {
    // Only a name the query itself returned reaches the statement, quoted as the
    // driver spelled it, so a name with a dash or in mixed case finds its column.
    for (const QString& name : m_fields) {
        if (name.compare(field, Qt::CaseInsensitive) == 0)
            return QStringLiteral("q.\"%1\"")
                .arg(QString(name).replace(QLatin1Char('"'), QLatin1String("\"\"")));
    }
    // Before the first page the key is the only column known; the driver reports
    // an unquoted name in lower case on PostgreSQL.
    if (field.compare(m_key, Qt::CaseInsensitive) == 0)
        return QStringLiteral("q.") + m_key;
    throw DbError(QStringLiteral("数据集中没有字段“%1”。").arg(field));
}

QString PagedListQuery::where(Database& db, QVariantList& values) const {
    values = m_baseValues;
    if (m_filterText.isEmpty() || m_filterFields.isEmpty())
        return QString();
    QStringList tests;
    const QString like = db.dialect().likeIgnoringCase();
    for (const QString& field : m_filterFields) {
        const bool cast = m_castFields.contains(field, Qt::CaseInsensitive);
        tests.append(
            QStringLiteral("%1 %2 ? ESCAPE '\\'")
                .arg(cast ? QStringLiteral("CAST(%1 AS VARCHAR(60))").arg(column(field)) : column(field),
                     like));
        values.append(containing(m_filterText));
    }
    return QStringLiteral(" WHERE (") + tests.join(QLatin1String(" OR ")) + QLatin1Char(')');
}

void PagedListQuery::Page(Database& db, int offset, int count, ClientDataSet& rows) const {
    QVariantList values;
    QString sql = QStringLiteral("SELECT * FROM (") + m_base + QStringLiteral(") q") + where(db, values);
    const QString direction = m_descending ? QStringLiteral(" DESC") : QString();
    sql += QStringLiteral(" ORDER BY ");
    if (!m_orderField.isEmpty() && m_orderField.compare(m_key, Qt::CaseInsensitive) != 0)
        sql += column(m_orderField) + direction + QStringLiteral(", ");
    sql += column(m_key) + direction + QStringLiteral(" LIMIT ? OFFSET ?");
    values << count << offset;
    db.select(sql, values, rows);
}

qint64 PagedListQuery::Count(Database& db) const {
    QVariantList values;
    const QString sql =
        QStringLiteral("SELECT COUNT(*) FROM (") + m_base + QStringLiteral(") q") + where(db, values);
    return db.scalar(sql, values).toLongLong();
}

void PagedListQuery::ForEachKeyChunk(Database& db, int chunk,
                                     const std::function<void(const QList<qint64>&)>& take) const {
    QVariantList filterValues;
    const QString filter = where(db, filterValues);
    const QString key = column(m_key);
    const QString sql =
        QStringLiteral("SELECT %1 FROM (%2) q%3%4 %1 > ? ORDER BY %1 LIMIT ?")
            .arg(key, m_base, filter, filter.isEmpty() ? QStringLiteral(" WHERE") : QStringLiteral(" AND"));
    // Keys are whole numbers of the integer column type on both backends.
    qint64 after = std::numeric_limits<int>::min();
    for (;;) {
        QVariantList values = filterValues;
        values << after << chunk;
        ClientDataSet rows;
        db.select(sql, values, rows);
        if (rows.IsEmpty())
            return;
        QList<qint64> keys;
        keys.reserve(rows.RecordCount());
        for (int row = 0; row < rows.RecordCount(); ++row)
            keys.append(rows.Value(row, 0).toLongLong());
        take(keys);
        if (rows.RecordCount() < chunk)
            return;
        after = keys.last();
    }
}
