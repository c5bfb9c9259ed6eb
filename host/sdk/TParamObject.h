#pragma once

#include "host/sdk/Money.h"

#include <QList>
#include <QString>
#include <QVariant>

// Ordered "@Name" = value pairs: the inputs and outputs of a stored procedure, and
// what windows hand each other. Names are matched ignoring case, as the server does.
class TParamObject {
public:
    enum Direction { Input, Output, InputOutput };

    struct Param {
        QString name;
        QVariant value;
        Direction direction = Input;
    };

    // Adds a pair; a name already present is given the new value in its place.
    void Add(const QString& name, const QVariant& value, Direction direction = Input);
    void Clear() { m_params.clear(); }
    bool Remove(const QString& name);

    bool Has(const QString& name) const { return indexOf(name) >= 0; }
    int Count() const { return static_cast<int>(m_params.size()); }
    const Param& At(int index) const { return m_params.at(index); }
    const QList<Param>& Params() const { return m_params; }

    QVariant Value(const QString& name) const;
    // Text that is no number reads as 0, a missing name as 0 or "".
    int AsInteger(const QString& name) const;
    double AsFloat(const QString& name) const;
    QString AsString(const QString& name) const;
    // Numbers are amounts in units ("12.5" and 12.5 are both twelve and a half).
    Money AsMoney(const QString& name) const;
    bool AsBoolean(const QString& name) const;

private:
    int indexOf(const QString& name) const;
    QList<Param> m_params;
};
