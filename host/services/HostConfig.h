#pragma once

#include "host/sdk/AppClass.h"

#include <QHash>
#include <QSet>
#include <QString>

class DataModule;
struct TComVar;

// The host's configuration, kept as name/value text rows in hostconfig and edited
// by the administrator. Only values changed since loading are written back, so
// two workstations changing different settings do not undo each other.
class HostConfig {
public:
    explicit HostConfig(DataModule& data)
        : m_data(data) {}

    // Replaces every value held with what the table holds now.
    void Load();
    // Writes the changed values in one transaction; on failure nothing is written
    // and the changes stay pending.
    void Save();

    // A value that is missing, or is no number or flag, reads as the fallback.
    QString Text(const QString& name, const QString& fallback = QString()) const;
    int Integer(const QString& name, int fallback = 0) const;
    bool Flag(const QString& name, bool fallback = false) const;
    TAppClass AppFlags() const;

    // Each throws DbError for a name or text the table cannot hold.
    void SetText(const QString& name, const QString& value);
    void SetInteger(const QString& name, int value);
    void SetFlag(const QString& name, bool value);
    void SetAppFlags(const TAppClass& flags);

    // Publishes the configured switches, edition and application flags into the
    // session; the login and store values are left as they are.
    void ApplyTo(TComVar& session) const;

private:
    DataModule& m_data;
    QHash<QString, QString> m_values;
    QSet<QString> m_changed;
};
