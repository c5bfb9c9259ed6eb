#pragma once

#include "host/data/DbSetting.h"
#include "host/data/Dialect.h"

#include <QHash>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariantList>
#include <memory>

class ClientDataSet;
class QSqlError;

// One open connection to the member database, on either backend.
class Database {
public:
    static std::unique_ptr<Database> open(const DbSetting& setting);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    const Dialect& dialect() const { return *m_dialect; }
    bool isPostgres() const { return m_setting.isPostgres(); }
    const DbSetting& setting() const { return m_setting; }

    // Each throws DbError on failure, naming the statement.
    int execute(const QString& sql, const QVariantList& params = {});
    void select(const QString& sql, const QVariantList& params, ClientDataSet& rows);
    QVariant scalar(const QString& sql, const QVariantList& params = {});
    bool tableExists(const QString& table);

    // Transactions nest: the outermost is a real transaction, inner ones are
    // savepoints, so an inner failure undoes only its own writes. A commit that
    // fails undoes its level before it throws, so the depth never outlives a
    // transaction the server has already ended.
    void begin();
    void commit();
    void rollback();
    int transactionDepth() const { return m_depth; }

    // How long a SQLite statement waits for another writer before it gives up with
    // BusyText; nothing on PostgreSQL, whose writers queue on row locks.
    void setBusyWait(int milliseconds);

    static const QString ConnectionLostText;
    static const QString BusyText;

private:
    Database(DbSetting setting, QString connectionName, std::unique_ptr<Dialect> dialect);
    void connect();
    void applySessionSettings();
    // A PostgreSQL connection the server closed (restart, terminated backend,
    // network): the next action outside a transaction opens it again.
    bool connectionLost(const QSqlError& error) const;
    void reconnectIfLost();
    [[noreturn]] void fail(const QSqlError& error, const QString& sql);
    QSqlQuery& prepared(const QString& sql);
    QSqlQuery& run(const QString& sql, const QVariantList& params);
    void raw(const QString& sql);

    DbSetting m_setting;
    QString m_connectionName;
    std::unique_ptr<Dialect> m_dialect;
    QHash<QString, QSqlQuery> m_statements;
    QSqlQuery m_direct;
    int m_depth = 0;
    bool m_lost = false;
};
