#include "host/sdk/Transaction.h"

#include "host/data/Database.h"
#include "host/sdk/DataModule.h"

Transaction::Transaction(DataModule& data) : Transaction(data.database()) {}

Transaction::Transaction(Database& database) : m_database(database) { m_database.begin(); }

Transaction::~Transaction() {
    if (!m_open)
        return;
    try {
        m_database.rollback();
    } catch (...) {
        // Unwinding already: the connection reports its own state on next use.
    }
}

void Transaction::Commit() {
    if (!m_open)
        return;
    m_open = false;
    m_database.commit();
}

void Transaction::Rollback() {
    if (!m_open)
        return;
    m_open = false;
    m_database.rollback();
}
