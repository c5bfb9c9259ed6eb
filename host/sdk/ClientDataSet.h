#pragma once

#include "host/sdk/Money.h"

#include <QDate>
#include <QHash>
#include <QList>
#include <QStringList>
#include <QVariant>

// One value of the current row, read the host's way.
class Field {
public:
    Field(QString name, QVariant value)
        : m_name(std::move(name))
        , m_value(std::move(value)) {}

    const QString& FieldName() const { return m_name; }
    const QVariant& Value() const { return m_value; }
    bool IsNull() const { return !m_value.isValid() || m_value.isNull(); }
    QString AsString() const;
    int AsInteger() const;
    qint64 AsLargeInt() const;
    double AsFloat() const;
    bool AsBoolean() const;
    QDate AsDate() const;
    // Money columns hold ten-thousandths; this reads them as an exact amount.
    Money AsMoney() const;

private:
    QString m_name;
    QVariant m_value;
};

// The rows a statement or procedure returned, held in memory with a cursor,
// fields found by name ignoring case.
class ClientDataSet {
public:
    enum LocateOption { CaseInsensitive = 1, PartialKey = 2 };

    void SetFields(const QStringList& names);
    void AppendRow(QList<QVariant> values);
    void Clear();

    const QStringList& FieldNames() const { return m_fields; }
    int FieldCount() const { return static_cast<int>(m_fields.size()); }
    int FindField(const QString& name) const; // -1 when there is no such field
    int RecordCount() const { return static_cast<int>(m_rows.size()); }
    bool IsEmpty() const { return m_rows.isEmpty(); }

    void First() { m_current = 0; }
    void Last() { m_current = m_rows.isEmpty() ? 0 : RecordCount() - 1; }
    void Next();
    void Prior();
    bool Eof() const { return m_current >= RecordCount(); }
    bool Bof() const { return m_current <= 0; }
    int RecNo() const { return m_current; }
    void SetRecNo(int row);

    // Throws DbError for an unknown field or an empty data set.
    Field FieldByName(const QString& name) const;
    QVariant Value(int row, int column) const { return m_rows.at(row).at(column); }
    QVariant Value(int row, const QString& name) const;
    void SetValue(int row, const QString& name, const QVariant& value);

    // Moves to the first row whose key fields (names separated by ';') equal the values.
    bool Locate(const QString& keyFields, const QVariantList& keyValues, int options = 0);

private:
    int requireField(const QString& name) const;
    QStringList m_fields;
    QHash<QString, int> m_index;
    QList<QList<QVariant>> m_rows;
    int m_current = 0;
};
