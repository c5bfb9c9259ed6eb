#include "host/sdk/DataModule.h"

#include "host/data/Database.h"
#include "host/data/StoredProcedure.h"
#include "host/data/VariantText.h"
#include "host/sdk/DbError.h"

namespace {
DataModule* installedModule = nullptr;
}

DataModule::DataModule(std::unique_ptr<Database> database)
    : m_database(std::move(database)) {}

DataModule::~DataModule() {
    if (installedModule == this)
        installedModule = nullptr;
}

DataModule& DataModule::current() {
    if (!installedModule)
        throw DbError(QStringLiteral("没有连接数据库。"));
    return *installedModule;
}

void DataModule::install(DataModule* module) {
    installedModule = module;
}

bool DataModule::isPostgres() const {
    return m_database->isPostgres();
}

void DataModule::OpenSQL(const QString& sql, ClientDataSet& rows, const QVariantList& params) {
    m_database->select(sql, params, rows);
}

int DataModule::ExecuteSQL(const QString& sql, const QVariantList& params) {
    return m_database->execute(sql, params);
}

int DataModule::OpenSQLAsInt(const QString& sql, const QVariantList& params) {
    return VariantText::toInt(m_database->scalar(sql, params));
}

QString DataModule::OpenSQLAsStr(const QString& sql, const QVariantList& params) {
    return VariantText::toText(m_database->scalar(sql, params));
}

TParamObject DataModule::pairUp(const QStringList& names, const QVariantList& values) {
    if (names.size() != values.size())
        throw DbError(QStringLiteral("存储过程参数名与参数值个数不一致。"));
    TParamObject params;
    for (int i = 0; i < names.size(); ++i)
        params.Add(names[i], values[i]);
    return params;
}

void DataModule::OpenProcByName(const QString& name, const QStringList& paramNames,
                                const QVariantList& values, ClientDataSet& rows, TParamObject* outputs, int) {
    TParamObject discarded;
    ProcedureRegistry::run(*m_database, name, pairUp(paramNames, values), outputs ? *outputs : discarded,
                           &rows);
    rows.First();
}

int DataModule::ExecuteProcByName(const QString& name, const QStringList& paramNames,
                                  const QVariantList& values, TParamObject* outputs) {
    TParamObject discarded;
    return ProcedureRegistry::run(*m_database, name, pairUp(paramNames, values),
                                  outputs ? *outputs : discarded, nullptr);
}

int DataModule::ExecuteProcByName(const QString& name, TParamObject& params) {
    TParamObject outputs;
    const int result = ProcedureRegistry::run(*m_database, name, params, outputs, nullptr);
    for (const auto& p : outputs.Params())
        params.Add(p.name, p.value, TParamObject::Output);
    return result;
}

bool DataModule::AdoLocate(ClientDataSet& rows, const QString& keyFields, const QVariantList& keyValues,
                           int options) {
    return rows.Locate(keyFields, keyValues, options);
}
