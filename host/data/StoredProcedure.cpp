#include "host/data/StoredProcedure.h"

#include "host/data/Database.h"
#include "host/sdk/DbError.h"
#include "host/sdk/Transaction.h"

const QVariant& ProcedureContext::require(const QString& name) const {
    for (const auto& p : m_in.Params()) {
        if (p.name.compare(name, Qt::CaseInsensitive) == 0)
            return p.value;
    }
    throw DbError(QStringLiteral("存储过程缺少参数 %1。").arg(name));
}

int ProcedureContext::integer(const QString& name) const {
    const QVariant& v = require(name);
    if (v.isNull())
        return 0;
    bool ok = false;
    const qlonglong n =
        v.typeId() == QMetaType::Bool ? (v.toBool() ? 1 : 0) : v.toString().trimmed().toLongLong(&ok);
    if (v.typeId() != QMetaType::Bool && !ok) {
        const double d = v.toString().trimmed().toDouble(&ok);
        if (!ok || d != static_cast<double>(static_cast<qlonglong>(d)))
            throw DbError(QStringLiteral("参数 %1 必须是整数。").arg(name));
        return static_cast<int>(d);
    }
    if (n < INT_MIN || n > INT_MAX)
        throw DbError(QStringLiteral("参数 %1 超出整数范围。").arg(name));
    return static_cast<int>(n);
}

QString ProcedureContext::text(const QString& name, int maxLength) const {
    const QString value = m_in.AsString(name);
    require(name);
    if (maxLength >= 0 && value.size() > maxLength)
        throw DbError(QStringLiteral("参数 %1 超出最大长度 %2。").arg(name).arg(maxLength));
    return value;
}

Money ProcedureContext::money(const QString& name) const {
    require(name);
    return m_in.AsMoney(name);
}

double ProcedureContext::number(const QString& name) const {
    const QVariant& v = require(name);
    if (v.isNull())
        return 0.0;
    bool ok = false;
    const double d = v.toString().trimmed().toDouble(&ok);
    if (!ok && v.typeId() != QMetaType::Bool)
        throw DbError(QStringLiteral("参数 %1 必须是数字。").arg(name));
    return ok ? d : (v.toBool() ? 1.0 : 0.0);
}

bool ProcedureContext::flag(const QString& name) const {
    require(name);
    return m_in.AsBoolean(name);
}

void ProcedureContext::setOutput(const QString& name, const QVariant& value) {
    m_out.Add(name, value, TParamObject::Output);
}

void ProcedureContext::returnRows(const QString& sql, const QVariantList& params) {
    if (m_rows)
        m_db.select(sql, params, *m_rows);
}

ProcedureRegistry& ProcedureRegistry::global() {
    static ProcedureRegistry registry;
    return registry;
}

void ProcedureRegistry::add(const QString& name, StoredProcedure procedure) {
    m_procedures.insert(name, std::move(procedure));
}

const StoredProcedure* ProcedureRegistry::find(const QString& name) const {
    auto it = m_procedures.constFind(name);
    return it == m_procedures.constEnd() ? nullptr : &it.value();
}

int ProcedureRegistry::run(Database& db, const QString& name, const TParamObject& inputs,
                           TParamObject& outputs, ClientDataSet* rows) {
    const StoredProcedure* procedure = global().find(name);
    if (!procedure)
        throw DbError(QStringLiteral("找不到存储过程“%1”。").arg(name));
    Transaction transaction(db);
    ProcedureContext context(db, inputs, outputs, rows);
    const int result = (*procedure)(context);
    if (result < 0)
        transaction.Rollback();
    else
        transaction.Commit();
    return result;
}
