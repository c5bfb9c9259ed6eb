#include "tests/support/TestDatabase.h"

#include "host/data/Database.h"
#include "host/db/SchemaMigrator.h"
#include "host/sdk/DbError.h"

#include <QCoreApplication>
#include <QRandomGenerator>

QString TestDatabase::backendName() {
    const QString backend = qEnvironmentVariable("VIP_TEST_BACKEND", QStringLiteral("sqlite"));
    return backend;
}

namespace {

// The server the PostgreSQL run was given; a setting that is not PostgreSQL stops the
// run, or it would test SQLite twice and call it PostgreSQL.
DbSetting postgresServer() {
    const QString uri = qEnvironmentVariable("VIP_TEST_PG_URI");
    try {
        const DbSetting server = DbSetting::parse(uri);
        if (server.isPostgres())
            return server;
    } catch (const DbError&) {
        // Reported below, with the setting that was given.
    }
    qFatal("VIP_TEST_PG_URI is not a PostgreSQL URI: %s", qPrintable(uri));
}

} // namespace

TestDatabase::TestDatabase()
    : m_setting(DbSetting::parse(QStringLiteral("unused.sqlite"))) {
    m_postgres = backendName() == QLatin1String("postgres");
    if (m_postgres) {
        m_schema = QStringLiteral("t_%1_%2")
                       .arg(QCoreApplication::applicationPid())
                       .arg(QRandomGenerator::global()->generate64() % 100000000000ULL);
        m_setting = postgresServer().withSchema(m_schema);
    } else {
        m_setting = DbSetting::parse(m_dir.filePath(QStringLiteral("test.sqlite")));
    }
    m_data = std::make_unique<DataModule>(Database::open(m_setting));
    SchemaMigrator(m_data->database()).upgrade();
    DataModule::install(m_data.get());
}

TestDatabase::~TestDatabase() {
    DataModule::install(nullptr);
    if (m_postgres) {
        try {
            m_data->database().execute(QStringLiteral("DROP SCHEMA %1 CASCADE").arg(m_schema));
        } catch (...) {
            // A schema left behind is harmless: each test makes its own.
        }
    }
    m_data.reset();
}

std::unique_ptr<DataModule> TestDatabase::openAnother() const {
    return std::make_unique<DataModule>(Database::open(m_setting));
}
