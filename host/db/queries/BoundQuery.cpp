#include "host/db/queries/BoundQuery.h"

#include "host/sdk/DbError.h"

namespace {

bool isNameChar(QChar c) {
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

// Index just past a quoted run starting at 'from' (the opening quote); a doubled
// quote inside stands for one quote character.
qsizetype skipQuoted(const QString& sql, qsizetype from) {
    const QChar quote = sql.at(from);
    qsizetype i = from + 1;
    while (i < sql.size()) {
        if (sql.at(i) == quote) {
            if (i + 1 < sql.size() && sql.at(i + 1) == quote) {
                i += 2;
                continue;
            }
            return i + 1;
        }
        ++i;
    }
    return i;
}

} // namespace

BoundQuery::BoundQuery(const QString& sqlWithNames, const TParamObject& params) {
    const QString& sql = sqlWithNames;
    m_sql.reserve(sql.size());
    qsizetype i = 0;
    while (i < sql.size()) {
        const QChar c = sql.at(i);
        qsizetype end = i + 1;
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            // An "@" inside a literal or a quoted name is text, not a parameter.
            end = skipQuoted(sql, i);
        } else if (c == QLatin1Char('-') && sql.mid(i, 2) == QLatin1String("--")) {
            end = sql.indexOf(QLatin1Char('\n'), i);
            end = end < 0 ? sql.size() : end;
        } else if (c == QLatin1Char('/') && sql.mid(i, 2) == QLatin1String("/*")) {
            end = sql.indexOf(QLatin1String("*/"), i + 2);
            end = end < 0 ? sql.size() : end + 2;
        } else if (c == QLatin1Char('@') && i + 1 < sql.size() && isNameChar(sql.at(i + 1))) {
            end = i + 1;
            while (end < sql.size() && isNameChar(sql.at(end)))
                ++end;
            const QString name = sql.mid(i, end - i);
            if (!params.Has(name))
                throw DbError(QStringLiteral("查询参数 %1 没有赋值。").arg(name));
            m_values.append(params.Value(name));
            m_sql += QLatin1Char('?');
            i = end;
            continue;
        }
        m_sql += QStringView(sql).mid(i, end - i);
        i = end;
    }
}
