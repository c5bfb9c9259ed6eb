#pragma once

#include <QString>
#include <QStringList>
#include <QVariantList>

class Database;

// One row to insert, named column by column, so the long column lists of card
// types and members stay readable. Values are always bound, never spliced.
class DemoRow {
public:
    explicit DemoRow(QString table)
        : m_table(std::move(table)) {}

    // Setting a column again replaces its value, so a row can start from defaults.
    DemoRow& set(const QString& column, const QVariant& value);
    void insert(Database& db) const;
    // Inserts and returns the generated key.
    int insert(Database& db, const QString& keyColumn) const;

private:
    QString statement() const;
    QString m_table;
    QStringList m_columns;
    QVariantList m_values;
};
