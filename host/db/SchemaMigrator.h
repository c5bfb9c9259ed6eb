#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class Database;

// Brings a database to the schema this program was built with, one numbered
// migration at a time, each in its own transaction. A migration named
// "NNNN_what.sqlite.sql" or "NNNN_what.postgres.sql" runs on that backend only (the
// two files of one number do the same thing each its own way). Data a statement
// cannot compute is prepared by a MigrationStep registered under the migration's
// name ("what"), run in its transaction before its statements.
class SchemaMigrator {
public:
    explicit SchemaMigrator(Database& db)
        : m_db(db) {}

    // Applies every migration newer than the database; throws DbError when the
    // database is newer than the program. Returns how many were applied.
    int upgrade();
    int currentVersion();
    static int latestVersion();

private:
    struct Migration {
        int version;
        QString path;
    };
    static QList<Migration> migrations();
    static QStringList statements(const QString& script);
    bool forThisBackend(const QString& path) const;
    Database& m_db;
};

// Registers C++ work of a migration when the library loads, beside the code it uses.
struct MigrationStep {
    MigrationStep(const QString& migrationName, std::function<void(Database&)> step);
};
