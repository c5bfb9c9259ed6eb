#pragma once

#include "host/sdk/ClientDataSet.h"
#include "host/sdk/TParamObject.h"

#include <QHash>
#include <QString>
#include <functional>

class Database;

// What a stored procedure sees while it runs: its inputs, a place for outputs and
// rows, and the connection inside the procedure's own transaction. The getters
// check what a server would check of its caller.
class ProcedureContext {
public:
    ProcedureContext(Database& db, const TParamObject& inputs, TParamObject& outputs, ClientDataSet* rows)
        : m_db(db)
        , m_in(inputs)
        , m_out(outputs)
        , m_rows(rows) {}

    Database& db() { return m_db; }
    const TParamObject& in() const { return m_in; }
    bool has(const QString& name) const { return m_in.Has(name); }

    // Each throws DbError when the parameter is missing or of the wrong shape.
    int integer(const QString& name) const;
    QString text(const QString& name, int maxLength = -1) const;
    Money money(const QString& name) const;
    double number(const QString& name) const;
    bool flag(const QString& name) const;

    void setOutput(const QString& name, const QVariant& value);
    // Fills the procedure's result rows (ignored when the caller wants none).
    void returnRows(const QString& sql, const QVariantList& params = {});
    // The rows returned so far, null when the caller wants none.
    const ClientDataSet* rows() const { return m_rows; }

private:
    const QVariant& require(const QString& name) const;
    Database& m_db;
    const TParamObject& m_in;
    TParamObject& m_out;
    ClientDataSet* m_rows;
};

using StoredProcedure = std::function<int(ProcedureContext&)>;

// The database's procedures, found by their exact names.
class ProcedureRegistry {
public:
    static ProcedureRegistry& global();
    void add(const QString& name, StoredProcedure procedure);
    const StoredProcedure* find(const QString& name) const;
    QStringList names() const { return m_procedures.keys(); }

    // Runs one procedure atomically: any exception or a negative return code
    // undoes everything it wrote.
    static int run(Database& db, const QString& name, const TParamObject& inputs, TParamObject& outputs,
                   ClientDataSet* rows);

private:
    QHash<QString, StoredProcedure> m_procedures;
};

// Registers a procedure when the library loads: one line beside each definition.
struct ProcedureRegistration {
    ProcedureRegistration(const QString& name, StoredProcedure procedure) {
        ProcedureRegistry::global().add(name, std::move(procedure));
    }
};
