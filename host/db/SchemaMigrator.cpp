#include "host/db/SchemaMigrator.h"

#include "host/data/Database.h"
#include "host/sdk/DbError.h"
#include "host/sdk/Transaction.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>

namespace {

QHash<QString, std::function<void(Database&)>>& steps() {
    static QHash<QString, std::function<void(Database&)>> registered;
    return registered;
}

// "0011_member_search.sqlite.sql" -> "member_search".
QString migrationName(const QString& path) {
    QString name = QFileInfo(path).fileName().mid(5);
    for (const char* suffix : {".sqlite.sql", ".postgres.sql", ".sql"}) {
        if (name.endsWith(QLatin1String(suffix)))
            return name.chopped(static_cast<int>(qstrlen(suffix)));
    }
    return name;
}

} // namespace

MigrationStep::MigrationStep(const QString& migrationName, std::function<void(Database&)> step) {
    steps().insert(migrationName, std::move(step));
}

bool SchemaMigrator::forThisBackend(const QString& path) const {
    if (path.endsWith(QLatin1String(".sqlite.sql")))
        return m_db.dialect().driverName() == QLatin1String("QSQLITE");
    if (path.endsWith(QLatin1String(".postgres.sql")))
        return m_db.dialect().driverName() == QLatin1String("QPSQL");
    return true;
}

QList<SchemaMigrator::Migration> SchemaMigrator::migrations() {
    QList<Migration> list;
    const QDir dir(QStringLiteral(":/db/schema"));
    static const QRegularExpression numbered(QStringLiteral("^(\\d{4})_.*\\.sql$"));
    for (const QString& name : dir.entryList(QDir::Files, QDir::Name)) {
        const auto match = numbered.match(name);
        if (match.hasMatch())
            list.append(Migration{match.captured(1).toInt(), dir.filePath(name)});
    }
    return list;
}

int SchemaMigrator::latestVersion() {
    const auto list = migrations();
    return list.isEmpty() ? 0 : list.last().version;
}

QStringList SchemaMigrator::statements(const QString& script) {
    QString withoutComments;
    for (const QString& line : script.split(QLatin1Char('\n'))) {
        if (!line.trimmed().startsWith(QLatin1String("--")))
            withoutComments += line + QLatin1Char('\n');
    }
    QStringList result;
    for (const QString& part : withoutComments.split(QRegularExpression(QStringLiteral(";\\s*\\n")))) {
        if (!part.trimmed().isEmpty())
            result.append(part.trimmed());
    }
    return result;
}

int SchemaMigrator::currentVersion() {
    if (!m_db.tableExists(QStringLiteral("schema_version")))
        return 0;
    return m_db.scalar(QStringLiteral("SELECT MAX(version) FROM schema_version")).toInt();
}

int SchemaMigrator::upgrade() {
    if (!m_db.tableExists(QStringLiteral("schema_version")))
        m_db.execute(QStringLiteral("CREATE TABLE schema_version (version INTEGER NOT NULL PRIMARY KEY)"));
    const int have = currentVersion();
    const int latest = latestVersion();
    if (have > latest)
        throw DbError(
            QStringLiteral("数据库结构版本 %1 比本程序支持的版本 %2 新，请升级程序。").arg(have).arg(latest));
    int applied = 0;
    for (const Migration& migration : migrations()) {
        if (migration.version <= have || !forThisBackend(migration.path))
            continue;
        QFile file(migration.path);
        if (!file.open(QIODevice::ReadOnly))
            throw DbError(QStringLiteral("无法读取数据库升级脚本 %1。").arg(migration.path));
        const QString script = m_db.dialect().expandSchema(QString::fromUtf8(file.readAll()));
        Transaction transaction(m_db);
        if (const auto step = steps().constFind(migrationName(migration.path)); step != steps().constEnd())
            (*step)(m_db);
        for (const QString& statement : statements(script))
            m_db.execute(statement);
        m_db.execute(QStringLiteral("INSERT INTO schema_version (version) VALUES (?)"), {migration.version});
        transaction.Commit();
        ++applied;
    }
    return applied;
}
