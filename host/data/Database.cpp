#include "host/data/Database.h"

#include "host/sdk/ClientDataSet.h"
#include "host/sdk/DbError.h"

#include <QAtomicInt>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlRecord>
#include <QUrl>
#include <QUrlQuery>

namespace {

QAtomicInt connectionCounter;
constexpr int MaxCachedStatements = 128;

QString describe(const QSqlError& error) {
    QString text = error.databaseText().trimmed();
    if (text.isEmpty())
        text = error.driverText().trimmed();
    return text;
}

bool isPostgresSetting(const QString& setting) {
    return setting.startsWith(QLatin1String("postgresql://")) || setting.startsWith(QLatin1String("postgres://"));
}

} // namespace

Database::Database(QString setting, QString connectionName, std::unique_ptr<Dialect> dialect)
    : m_setting(std::move(setting))
    , m_connectionName(std::move(connectionName))
    , m_dialect(std::move(dialect)) {}

Database::~Database() {
    m_statements.clear();
    m_direct = QSqlQuery();
    {
        QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
        if (db.isOpen()) {
            if (m_depth > 0)
                db.exec(QStringLiteral("ROLLBACK"));
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(m_connectionName);
}

std::unique_ptr<Database> Database::open(const QString& setting) {
    // SQLite would take an empty name as a private in-memory database that nobody else sees.
    if (setting.trimmed().isEmpty())
        throw DbError(QStringLiteral("没有指定数据库。"));
    const QString name = QStringLiteral("vipdb-%1").arg(connectionCounter.fetchAndAddRelaxed(1));
    const bool postgres = isPostgresSetting(setting);
    QString schema;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(postgres ? QStringLiteral("QPSQL") : QStringLiteral("QSQLITE"), name);
        if (postgres) {
            const QUrl url(setting);
            db.setHostName(url.host().isEmpty() ? QStringLiteral("localhost") : url.host());
            db.setPort(url.port(5432));
            db.setDatabaseName(url.path().mid(1));
            db.setUserName(url.userName());
            db.setPassword(url.password());
            schema = QUrlQuery(url).queryItemValue(QStringLiteral("schema"));
            if (!schema.isEmpty() && !QRegularExpression(QStringLiteral("^[a-z_][a-z0-9_]{0,62}$")).match(schema).hasMatch()) {
                QSqlDatabase::removeDatabase(name);
                throw DbError(QStringLiteral("数据库连接设置中的模式名无效：%1").arg(schema));
            }
        } else {
            QString path = setting;
            if (path.startsWith(QLatin1String("sqlite:")))
                path = path.mid(7);
            db.setDatabaseName(path);
            db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=10000"));
        }
        if (!db.open()) {
            const QString why = describe(db.lastError());
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(name);
            throw DbError(QStringLiteral("无法连接数据库：%1").arg(why));
        }
    }
    std::unique_ptr<Database> database(
        new Database(setting, name, Dialect::forDriver(postgres ? QStringLiteral("QPSQL") : QStringLiteral("QSQLITE"))));
    if (postgres) {
        database->raw(QStringLiteral("SET client_min_messages TO WARNING"));
        if (!schema.isEmpty()) {
            database->raw(QStringLiteral("CREATE SCHEMA IF NOT EXISTS %1").arg(schema));
            database->raw(QStringLiteral("SET search_path TO %1").arg(schema));
        }
    } else {
        database->raw(QStringLiteral("PRAGMA journal_mode = WAL"));
        database->raw(QStringLiteral("PRAGMA synchronous = NORMAL"));
        database->raw(QStringLiteral("PRAGMA foreign_keys = ON"));
        // LIKE is case-insensitive for ASCII on SQLite already; keep it so on both.
    }
    return database;
}

void Database::raw(const QString& sql) {
    QSqlQuery query(QSqlDatabase::database(m_connectionName, false));
    if (!query.exec(sql))
        throw DbError(QStringLiteral("数据库操作失败：%1\n%2").arg(describe(query.lastError()), sql));
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
        throw DbError(QStringLiteral("数据库操作失败：%1\n%2").arg(describe(query.lastError()), sql));
    return m_statements.insert(sql, std::move(query)).value();
}

QSqlQuery& Database::run(const QString& sql, const QVariantList& params) {
    if (params.isEmpty()) {
        // Nothing to bind: run it directly (PostgreSQL cannot prepare DDL).
        m_direct = QSqlQuery(QSqlDatabase::database(m_connectionName, false));
        m_direct.setForwardOnly(true);
        if (!m_direct.exec(sql))
            throw DbError(QStringLiteral("数据库操作失败：%1\n%2").arg(describe(m_direct.lastError()), sql));
        return m_direct;
    }
    QSqlQuery& query = prepared(sql);
    for (int i = 0; i < params.size(); ++i)
        query.bindValue(i, m_dialect->bindable(params[i]));
    if (!query.exec()) {
        const QString why = describe(query.lastError());
        query.finish();
        // A failed prepared statement may be unusable afterwards (PostgreSQL drops it
        // with the aborted transaction); prepare it afresh next time.
        m_statements.remove(sql);
        throw DbError(QStringLiteral("数据库操作失败：%1\n%2").arg(why, sql));
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
    if (m_depth == 0)
        raw(m_dialect->beginTransaction());
    else
        raw(QStringLiteral("SAVEPOINT sp%1").arg(m_depth));
    ++m_depth;
}

void Database::commit() {
    if (m_depth == 0)
        throw DbError(QStringLiteral("没有可提交的事务。"));
    if (m_depth == 1)
        raw(QStringLiteral("COMMIT"));
    else
        raw(QStringLiteral("RELEASE SAVEPOINT sp%1").arg(m_depth - 1));
    --m_depth;
}

void Database::rollback() {
    if (m_depth == 0)
        return;
    --m_depth;
    if (m_depth == 0) {
        raw(QStringLiteral("ROLLBACK"));
    } else {
        raw(QStringLiteral("ROLLBACK TO SAVEPOINT sp%1").arg(m_depth));
        raw(QStringLiteral("RELEASE SAVEPOINT sp%1").arg(m_depth));
    }
}
