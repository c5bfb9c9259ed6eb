#include "host/db/demo/DemoRow.h"

#include "host/data/Database.h"

DemoRow& DemoRow::set(const QString& column, const QVariant& given) {
    // Text columns hold '' for "no text"; the drivers would bind a null QString as NULL.
    const bool nullText = given.typeId() == QMetaType::QString && given.toString().isNull();
    const QVariant value = nullText ? QVariant(QStringLiteral("")) : given;
    qsizetype index = -1;
    for (qsizetype i = 0; i < m_columns.size() && index < 0; ++i) {
        if (m_columns[i].compare(column, Qt::CaseInsensitive) == 0)
            index = i;
    }
    if (index >= 0) {
        m_values[index] = value;
    } else {
        m_columns.append(column);
        m_values.append(value);
    }
    return *this;
}

QString DemoRow::statement() const {
    QStringList marks;
    for (qsizetype i = 0; i < m_columns.size(); ++i)
        marks.append(QStringLiteral("?"));
    return QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
        .arg(m_table, m_columns.join(QLatin1Char(',')), marks.join(QLatin1Char(',')));
}

void DemoRow::insert(Database& db) const {
    db.execute(statement(), m_values);
}

int DemoRow::insert(Database& db, const QString& keyColumn) const {
    return db.scalar(statement() + QStringLiteral(" RETURNING ") + keyColumn, m_values).toInt();
}
