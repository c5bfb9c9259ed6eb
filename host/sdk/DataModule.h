#pragma once

#include "host/sdk/ClientDataSet.h"
#include "host/sdk/TParamObject.h"

#include <QStringList>
#include <QVariantList>
#include <memory>

class Database;

// The host's data module: statements with bound '?' parameters, and stored
// procedures called by name with "@" parameters. Every failure throws DbError.
class DataModule {
public:
    explicit DataModule(std::unique_ptr<Database> database);
    ~DataModule();
    DataModule(const DataModule&) = delete;
    DataModule& operator=(const DataModule&) = delete;

    Database& database() { return *m_database; }
    bool isPostgres() const;

    void OpenSQL(const QString& sql, ClientDataSet& rows, const QVariantList& params = {});
    int ExecuteSQL(const QString& sql, const QVariantList& params = {});
    // First column of the first row; 0 or "" when there is no row.
    int OpenSQLAsInt(const QString& sql, const QVariantList& params = {});
    QString OpenSQLAsStr(const QString& sql, const QVariantList& params = {});

    void OpenProcByName(const QString& name, const QStringList& paramNames, const QVariantList& values,
                        ClientDataSet& rows, TParamObject* outputs = nullptr, int timeout = 0);
    // The procedure's return code; output parameters land in 'outputs'.
    int ExecuteProcByName(const QString& name, const QStringList& paramNames, const QVariantList& values,
                          TParamObject* outputs = nullptr);
    // Outputs are written back into 'params' by name.
    int ExecuteProcByName(const QString& name, TParamObject& params);

    bool AdoLocate(ClientDataSet& rows, const QString& keyFields, const QVariantList& keyValues,
                   int options = 0);

    // The data module the host installed; throws DbError when there is none.
    static DataModule& current();
    static void install(DataModule* module);

private:
    static TParamObject pairUp(const QStringList& names, const QVariantList& values);
    std::unique_ptr<Database> m_database;
};

inline DataModule& dmClient() {
    return DataModule::current();
}
