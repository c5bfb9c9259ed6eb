#include "host/sdk/Transaction.h"

#include "host/data/Database.h"
#include "host/sdk/DataModule.h"
#include "host/sdk/DbError.h"

Transaction::Transaction(DataModule& data)
    : Transaction(data.database()) {}

Transaction::Transaction(Database& database)
    : m_database(database) {
    m_database.begin();
    m_level = m_database.transactionDepth();
}

Transaction::~Transaction() {
    if (!m_open || !levelOpen())
        return;
    try {
        m_database.rollback();
    } catch (...) {
        // Unwinding already: the connection reports its own state on next use.
    }
}

bool Transaction::levelOpen() const {
    return m_database.transactionDepth() >= m_level;
}

void Transaction::Commit() {
    if (!m_open)
        return;
    if (!levelOpen()) {
        // Something below ended this transaction (a lost connection); what it
        // wrote is gone, and the caller must not believe otherwise.
        m_open = false;
        throw DbError(Database::ConnectionLostText);
    }
    m_database.commit();
    m_open = false;
}

void Transaction::Rollback() {
    if (!m_open)
        return;
    m_open = false;
    if (levelOpen())
        m_database.rollback();
}
