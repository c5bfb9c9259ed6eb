#pragma once

#include "host/sdk/ClientDataSet.h"
#include "host/sdk/TParamObject.h"

#include <QHash>
#include <QString>

// The host's list queries, one per window number: the rows a list window shows.
// Several window classes may share one number and so one query. The text names
// its inputs as "@Name" parameters, filled from the window's parameter object.
class ListQueryRegistry {
public:
    static ListQueryRegistry& global();

    // A number registered again takes the new text.
    void add(int windowNo, const QString& sql);
    // A list too long to load at once names a unique whole-number key column of its
    // rows; its windows then read it a page at a time (PagedListQuery).
    void setPageKey(int windowNo, const QString& keyField) { m_pageKeys.insert(windowNo, keyField); }
    QString pageKey(int windowNo) const { return m_pageKeys.value(windowNo); }
    bool has(int windowNo) const { return m_queries.contains(windowNo); }
    QString sql(int windowNo) const { return m_queries.value(windowNo); }

    // Runs the window's query with its "@" parameters bound from 'params'. With
    // 'maxRows' above 0 at most that many rows plus one are fetched, so the caller
    // can tell that more exist. Throws DbError for an unknown number, a missing
    // parameter or a failing statement.
    void open(int windowNo, const TParamObject& params, ClientDataSet& rows, int maxRows = 0) const;

private:
    QHash<int, QString> m_queries;
    QHash<int, QString> m_pageKeys;
};

// Registers a list query when the library loads: one line beside each query text.
struct ListQueryRegistration {
    ListQueryRegistration(int windowNo, const QString& sql, const QString& pageKey = {}) {
        ListQueryRegistry::global().add(windowNo, sql);
        if (!pageKey.isEmpty())
            ListQueryRegistry::global().setPageKey(windowNo, pageKey);
    }
};
