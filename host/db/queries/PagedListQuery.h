#pragma once

#include "host/sdk/ClientDataSet.h"
#include "host/sdk/TParamObject.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <functional>

class Database;

// A list query too long to load at once, read a page at a time: the window's query
// (its own ORDER BY dropped) wrapped as a derived table, ordered by the column the
// user sorted on and then by the list's key, so that LIMIT and OFFSET cut the same
// rows however often a page is asked for, and narrowed by the search box as a WHERE
// over the searched columns. Values travel as bound parameters; column names only
// ever come from the rows the query returned. A copy can run on another thread's
// connection.
class PagedListQuery {
public:
    // Throws DbError when the window's query has no paging key or lacks a parameter.
    PagedListQuery(int windowNo, const TParamObject& params);

    const QString& KeyField() const { return m_key; }
    // The result's own field names (the case the driver reports), learnt from the first
    // page; sorting and searching only ever name these.
    void SetFieldNames(const QStringList& names) { m_fields = names; }
    const QStringList& FieldNames() const { return m_fields; }

    // An empty field orders by the key alone.
    void SetOrder(const QString& field, bool descending);
    const QString& OrderField() const { return m_orderField; }
    bool Descending() const { return m_descending; }
    // Rows where one of 'fields' contains 'text', ignoring case, its "%" and "_" taken
    // literally. 'castFields' are those not stored as text, compared as their text.
    void SetFilter(const QString& text, const QStringList& fields, const QStringList& castFields);
    const QString& FilterText() const { return m_filterText; }

    void Page(Database& db, int offset, int count, ClientDataSet& rows) const;
    qint64 Count(Database& db) const;
    // The keys of the rows the filter lets through, ascending, 'chunk' at a time.
    void ForEachKeyChunk(Database& db, int chunk,
                         const std::function<void(const QList<qint64>&)>& take) const;

private:
    QString column(const QString& field) const;
    QString where(Database& db, QVariantList& values) const;

    QString m_base;
    QVariantList m_baseValues;
    QString m_key;
    QStringList m_fields;
    QString m_orderField;
    bool m_descending = false;
    QString m_filterText;
    QStringList m_filterFields;
    QStringList m_castFields;
};
