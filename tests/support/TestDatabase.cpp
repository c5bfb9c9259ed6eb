#include "tests/support/TestDatabase.h"

#include "host/data/Database.h"
#include "host/db/SchemaMigrator.h"

#include <QCoreApplication>
#include <QRandomGenerator>
#include <QUrl>
#include <QUrlQuery>

QString TestDatabase::backendName() {
    const QString backend = qEnvironmentVariable("VIP_TEST_BACKEND", QStringLiteral("sqlite"));
    return backend;
}

TestDatabase::TestDatabase() {
    m_postgres = backendName() == QLatin1String("postgres");
    if (m_postgres) {
        m_schema = QStringLiteral("t_%1_%2")
                       .arg(QCoreApplication::applicationPid())
                       .arg(QRandomGenerator::global()->generate64() % 100000000000ULL);
        QUrl url(qEnvironmentVariable("VIP_TEST_PG_URI", QStringLiteral("postgresql://postgres@localhost/viptest")));
        QUrlQuery query(url);
        query.removeQueryItem(QStringLiteral("schema"));
        query.addQueryItem(QStringLiteral("schema"), m_schema);
        url.setQuery(query);
        m_setting = url.toString();
        // A malformed URI would quietly become a private in-memory SQLite database and the
        // PostgreSQL run would test nothing of PostgreSQL.
        if (!url.isValid() || !m_setting.startsWith(QLatin1String("postgresql://")))
            qFatal("VIP_TEST_PG_URI is not a PostgreSQL URI: %s", qPrintable(qEnvironmentVariable("VIP_TEST_PG_URI")));
    } else {
        m_setting = m_dir.filePath(QStringLiteral("test.sqlite"));
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
