#pragma once

#include <QString>
#include <QStringList>

class Database;

// Brings a database to the schema this program was built with, one numbered
// migration at a time, each in its own transaction.
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
    Database& m_db;
};
