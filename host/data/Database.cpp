#include "host/data/Database.h"

#include "host/sdk/ClientDataSet.h"
#include "host/sdk/DbError.h"

#include <QAtomicInt>
#include <QFile>
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlRecord>

#include <libpq-fe.h>

namespace {

QAtomicInt connectionCounter;
constexpr int MaxCachedStatements = 128;
// Seconds a PostgreSQL connect may take before the user is told the server is unreachable.
constexpr int ConnectTimeoutSeconds = 10;
// How long a SQLite statement waits for another writer before the user hears that
// the database is busy: long enough for any single save, short enough not to look hung.
constexpr int BusyWaitMilliseconds = 5000;

// A new database file holds members' data: only its owner may read it. SQLite gives
// its journal files the same permissions.
void createPrivately(const QString& path) {
    if (QFileInfo::exists(path))
        return;
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

bool isBusy(const QString& why) {
    return why.contains(QLatin1String("database is locked")) ||
           why.contains(QLatin1String("database is busy"));
}

QString describe(const QSqlError& error) {
    QString text = error.databaseText().trimmed();
    if (text.isEmpty())
        text = error.driverText().trimmed();
    return text;
}

} // namespace

const QString Database::BusyText =
    QStringLiteral("数据库正忙：另一位用户正在保存，这次操作没有保存。请稍后再做一次。");

const QString Database::ConnectionLostText =
    QStringLiteral("与数据库的连接已断开，这次操作没有保存。请再做一次，程序会重新连接数据库。");

Database::Database(DbSetting setting, QString connectionName, std::unique_ptr<Dialect> dialect)
    : m_setting(std::move(setting))
    , m_connectionName(std::move(connectionName))
    , m_dialect(std::move(dialect)) {}

Database::~Database() {
    m_statements.clear();
    m_direct = QSqlQuery();
    {
        QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
        if (db.isOpen()) {
            if (m_depth > 0 && !m_lost)
                db.exec(QStringLiteral("ROLLBACK"));
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(m_connectionName);
}

std::unique_ptr<Database> Database::open(const DbSetting& setting) {
    const QString name = QStringLiteral("vipdb-%1").arg(connectionCounter.fetchAndAddRelaxed(1));
    const QString driver = setting.isPostgres() ? QStringLiteral("QPSQL") : QStringLiteral("QSQLITE");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(driver, name);
        if (setting.isPostgres()) {
            db.setHostName(setting.host());
            db.setPort(setting.port());
            db.setDatabaseName(setting.databaseName());
            db.setUserName(setting.user());
            db.setPassword(setting.password());
            db.setConnectOptions(QStringLiteral("connect_timeout=%1").arg(ConnectTimeoutSeconds));
        } else {
            createPrivately(setting.path());
            db.setDatabaseName(setting.path());
            db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(BusyWaitMilliseconds));
        }
    }
    std::unique_ptr<Database> database(new Database(setting, name, Dialect::forDriver(driver)));
    database->connect();
    return database;
}

void Database::connect() {
    QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
    if (!db.open())
        throw DbError(
            QStringLiteral("无法连接数据库 %1：%2").arg(m_setting.display(), describe(db.lastError())));
    applySessionSettings();
}

void Database::applySessionSettings() {
    if (isPostgres()) {
        raw(QStringLiteral("SET client_min_messages TO WARNING"));
        // The schema name was checked against a strict pattern when the setting was parsed.
        if (!m_setting.schema().isEmpty()) {
            raw(QStringLiteral("CREATE SCHEMA IF NOT EXISTS %1").arg(m_setting.schema()));
            raw(QStringLiteral("SET search_path TO %1").arg(m_setting.schema()));
        }
    } else {
        raw(QStringLiteral("PRAGMA journal_mode = WAL"));
        // A committed recharge must survive a power cut, not only a crash of the program.
        raw(QStringLiteral("PRAGMA synchronous = FULL"));
        raw(QStringLiteral("PRAGMA foreign_keys = ON"));
    }
}

void Database::setBusyWait(int milliseconds) {
    if (!isPostgres())
        raw(QStringLiteral("PRAGMA busy_timeout = %1").arg(milliseconds));
}

bool Database::connectionLost(const QSqlError& error) const {
    if (!isPostgres())
        return false;
    // The server says it is ending the session (shut down, backend terminated) or the
    // link broke; libpq may still call the connection fine until it reads the end.
    const QString state = error.nativeErrorCode();
    if (state.startsWith(QLatin1String("08")) || state.startsWith(QLatin1String("57P")))
        return true;
    // The driver hands its libpq connection out as a pointer-typed variant; its type
    // name differs between Qt builds, so only its being a pointer is relied on.
    const QVariant handle = QSqlDatabase::database(m_connectionName, false).driver()->handle();
    if (!handle.isValid() || !(handle.metaType().flags() & QMetaType::IsPointer))
        return true;
    PGconn* connection = *static_cast<PGconn* const*>(handle.constData());
    return connection == nullptr || PQstatus(connection) == CONNECTION_BAD;
}

void Database::reconnectIfLost() {
    if (!m_lost || m_depth > 0)
        return;
    m_statements.clear();
    m_direct = QSqlQuery();
    QSqlDatabase::database(m_connectionName, false).close();
    connect();
    m_lost = false;
}

void Database::fail(const QSqlError& error, const QString& sql) {
    if (connectionLost(error)) {
        m_lost = true;
        m_statements.clear();
        throw DbError(ConnectionLostText);
    }
    const QString why = describe(error);
    if (!isPostgres() && isBusy(why))
        throw DbError(BusyText);
    throw DbError(QStringLiteral("数据库操作失败：%1\n%2").arg(why, sql));
}

void Database::raw(const QString& sql) {
    QSqlQuery query(QSqlDatabase::database(m_connectionName, false));
    if (!query.exec(sql))
        fail(query.lastError(), sql);
}

QSqlQuery& Database::prepared(const QString& sql) {
    auto it = m_statements.find(sql);
    if (it != m_statements.end())
        return it.value();
    if (m_statements.size() >= MaxCachedStatements)
        m_statements.clear();
    QSqlQuery query(QSqlDatabase::database(m_connectionName, false));
    query.setForwardOnly(true);
    if (!query.prepare(sql))
        fail(query.lastError(), sql);
    return m_statements.insert(sql, std::move(query)).value();
}

QSqlQuery& Database::run(const QString& sql, const QVariantList& params) {
    reconnectIfLost();
    if (params.isEmpty()) {
        // Nothing to bind: run it directly (PostgreSQL cannot prepare DDL).
        m_direct = QSqlQuery(QSqlDatabase::database(m_connectionName, false));
        m_direct.setForwardOnly(true);
        if (!m_direct.exec(sql))
            fail(m_direct.lastError(), sql);
        return m_direct;
    }
    QSqlQuery& query = prepared(sql);
    for (int i = 0; i < params.size(); ++i)
        query.bindValue(i, m_dialect->bindable(params[i]));
    if (!query.exec()) {
        const QSqlError error = query.lastError();
        query.finish();
        // A failed prepared statement may be unusable afterwards (PostgreSQL drops it
        // with the aborted transaction); prepare it afresh next time.
        m_statements.remove(sql);
        fail(error, sql);
    }
    return query;
}

int Database::execute(const QString& sql, const QVariantList& params) {
    QSqlQuery& query = run(sql, params);
    const int affected = query.numRowsAffected();
    query.finish();
    return affected;
}

void Database::select(const QString& sql, const QVariantList& params, ClientDataSet& rows) {
    QSqlQuery& query = run(sql, params);
    const QSqlRecord record = query.record();
    QStringList names;
    names.reserve(record.count());
    for (int i = 0; i < record.count(); ++i)
        names.append(record.fieldName(i));
    rows.SetFields(names);
    while (query.next()) {
        QList<QVariant> values;
        values.reserve(names.size());
        for (int i = 0; i < names.size(); ++i)
            values.append(query.value(i));
        rows.AppendRow(std::move(values));
    }
    query.finish();
    rows.First();
}

QVariant Database::scalar(const QString& sql, const QVariantList& params) {
    QSqlQuery& query = run(sql, params);
    QVariant value;
    if (query.next())
        value = query.value(0);
    query.finish();
    return value;
}

bool Database::tableExists(const QString& table) {
    return scalar(m_dialect->tableExistsQuery(), {table}).toInt() > 0;
}

void Database::begin() {
    if (m_depth > 0) {
        raw(QStringLiteral("SAVEPOINT sp%1").arg(m_depth));
        ++m_depth;
        return;
    }
    reconnectIfLost();
    try {
        raw(m_dialect->beginTransaction());
    } catch (const DbError&) {
        // A connection the server closed while it sat idle: nothing of this action
        // has been sent yet, so it can start again on a fresh one.
        if (!m_lost)
            throw;
        reconnectIfLost();
        raw(m_dialect->beginTransaction());
    }
    m_depth = 1;
}

void Database::commit() {
    if (m_depth == 0)
        throw DbError(QStringLiteral("没有可提交的事务。"));
    if (m_depth > 1) {
        const QString savepoint = QStringLiteral("sp%1").arg(m_depth - 1);
        try {
            raw(QStringLiteral("RELEASE SAVEPOINT ") + savepoint);
        } catch (const DbError&) {
            rollback();
            throw;
        }
        --m_depth;
        return;
    }
    try {
        raw(QStringLiteral("COMMIT"));
    } catch (const DbError& e) {
        // SQLite keeps the transaction open after a refused COMMIT (a deferred
        // constraint); left so, every later write would only join it and vanish
        // with the connection. PostgreSQL has already rolled back.
        m_depth = 0;
        if (!m_lost) {
            try {
                raw(QStringLiteral("ROLLBACK"));
            } catch (const DbError&) {
                // The connection's state is checked again on its next use.
            }
        }
        m_statements.clear();
        if (m_lost)
            throw;
        throw DbError(QStringLiteral("保存没有完成，这次的修改已全部撤销。\n%1").arg(e.message()));
    }
    m_depth = 0;
}

void Database::rollback() {
    if (m_depth == 0)
        return;
    if (m_lost) {
        // The server ended the transaction with the connection.
        m_depth = 0;
        return;
    }
    --m_depth;
    if (m_depth == 0) {
        raw(QStringLiteral("ROLLBACK"));
    } else {
        raw(QStringLiteral("ROLLBACK TO SAVEPOINT sp%1").arg(m_depth));
        raw(QStringLiteral("RELEASE SAVEPOINT sp%1").arg(m_depth));
    }
}
