#pragma once

#include "host/sdk/TParamObject.h"

#include <QString>
#include <QVariantList>

// A statement written with named "@" parameters, as the list queries are, turned
// into '?' placeholders and the values to bind in the same order. Values are never
// spliced into the text, so whatever a user typed reaches the server as data.
class BoundQuery {
public:
    // Throws DbError when the statement names a parameter that 'params' lacks.
    BoundQuery(const QString& sqlWithNames, const TParamObject& params);

    const QString& sql() const { return m_sql; }
    const QVariantList& values() const { return m_values; }

private:
    QString m_sql;
    QVariantList m_values;
};
