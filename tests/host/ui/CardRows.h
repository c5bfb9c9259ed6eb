#pragma once

#include "host/sdk/DataModule.h"
#include "host/sdk/Transaction.h"

#include <QDate>

// Member cards for the list-window tests, written the way the module writes them:
// bound parameters, one transaction. Card i (1-based) has number "C" + six digits,
// points (i * 7919) % 100003 and a balance of i yuan; every fifth card is not
// activated, every 13th lost, every 17th stopped.
inline void seedCards(DataModule& data, int count, const QStringList& names = {}) {
    data.ExecuteSQL(
        QStringLiteral("INSERT INTO viptype (TypeName, Discount) VALUES ('金卡', 90), ('银卡', 95)"));
    const int perStatement = 400;
    QString statement = QStringLiteral(
        "INSERT INTO vipcard (cardid, CardNo, Name, Tel, CardType, BulidDate, ValidityDate, ljIntegral, Cz, "
        "IsLife, Lose, StopUse) VALUES ");
    Transaction transaction(data);
    for (int first = 1; first <= count; first += perStatement) {
        const int last = std::min(count, first + perStatement - 1);
        QString sql = statement;
        QVariantList values;
        for (int i = first; i <= last; ++i) {
            sql += (i == first ? QStringLiteral("(?,?,?,?,?,?,?,?,?,?,?,?)")
                               : QStringLiteral(",(?,?,?,?,?,?,?,?,?,?,?,?)"));
            const QString name =
                i <= names.size() ? names[i - 1] : QStringLiteral("会员%1").arg(i, 6, 10, QLatin1Char('0'));
            values << QStringLiteral("{%1}").arg(i, 8, 10, QLatin1Char('0'))
                   << QStringLiteral("C%1").arg(i, 6, 10, QLatin1Char('0')) << name
                   << QStringLiteral("139%1").arg(i, 8, 10, QLatin1Char('0')) << (i % 2 == 0 ? 2 : 1)
                   << QDate(2026, 1, 1).addDays(i % 300) << QDate(2028, 1, 1) << (i * 7919) % 100003
                   << QVariant::fromValue(Money::fromUnits(i)) << (i % 5 == 0 ? 0 : 1)
                   << (i % 13 == 0 ? 1 : 0) << (i % 17 == 0 ? 1 : 0);
        }
        data.ExecuteSQL(sql, values);
    }
    transaction.Commit();
}
