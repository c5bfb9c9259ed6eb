#pragma once

#include "host/data/DbSetting.h"
#include "host/sdk/DataModule.h"

#include <QString>
#include <QTemporaryDir>
#include <memory>

// A fresh, migrated database for one test, on the backend the test run asks for
// (VIP_TEST_BACKEND=sqlite|postgres): a new SQLite file, or a new PostgreSQL schema
// that is dropped afterwards. The data module is installed as the host's.
class TestDatabase {
public:
    TestDatabase();
    ~TestDatabase();

    DataModule& data() { return *m_data; }
    // A second, independent connection to the same database (a concurrent writer).
    std::unique_ptr<DataModule> openAnother() const;
    const DbSetting& setting() const { return m_setting; }
    bool isPostgres() const { return m_postgres; }
    static QString backendName();

private:
    QTemporaryDir m_dir;
    DbSetting m_setting;
    QString m_schema;
    bool m_postgres = false;
    std::unique_ptr<DataModule> m_data;
};
