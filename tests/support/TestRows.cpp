#include "tests/support/TestRows.h"

#include "host/sdk/DataModule.h"
#include "host/sdk/Money.h"
#include "host/sdk/Transaction.h"

#include <QStringList>
#include <QUuid>
#include <algorithm>

namespace TestRows {

int addStore(DataModule& data, const Store& store) {
    return data.OpenSQLAsInt(
        QStringLiteral("INSERT INTO posinfo (PosCode, PosName, ConnectType, RowIndex, PosType, deleted) "
                       "VALUES (?, ?, ?, ?, ?, ?) RETURNING posid"),
        {store.code, store.name, store.connectType, store.rowIndex, store.posType, store.deleted ? 1 : 0});
}

QList<int> addStores(DataModule& data, const QList<Store>& stores) {
    QList<int> ids;
    for (const Store& store : stores)
        ids.append(addStore(data, store));
    return ids;
}

int addCardType(DataModule& data, const QString& name, double discount, const Columns& more) {
    Columns columns = {{QStringLiteral("TypeName"), name}, {QStringLiteral("Discount"), discount}};
    for (const auto& [column, value] : more) {
        const auto same = [&](const QPair<QString, QVariant>& c) {
            return c.first.compare(column, Qt::CaseInsensitive) == 0;
        };
        const auto it = std::find_if(columns.begin(), columns.end(), same);
        if (it != columns.end())
            it->second = value;
        else
            columns.append({column, value});
    }
    QStringList names;
    QVariantList values;
    for (const auto& [column, value] : columns) {
        names.append(column);
        values.append(value);
    }
    return data.OpenSQLAsInt(QStringLiteral("INSERT INTO viptype (%1) VALUES (%2) RETURNING CTypeId")
                                 .arg(names.join(QLatin1Char(',')),
                                      QStringList(names.size(), QStringLiteral("?")).join(QLatin1Char(','))),
                             values);
}

int addCouponType(DataModule& data, int kind, const QString& name, double value, const Columns& more) {
    QStringList names = {QStringLiteral("TYPE"), QStringLiteral("NAME"), QStringLiteral("RangLimit"),
                         QStringLiteral("CreatedAt")};
    QVariantList values = {kind, name, QVariant::fromValue(Money::fromDouble(value)),
                           QDateTime(QDate(2025, 1, 1), QTime(9, 0))};
    for (const auto& [column, v] : more) {
        names.append(column);
        values.append(v);
    }
    return data.OpenSQLAsInt(QStringLiteral("INSERT INTO ETCType (%1) VALUES (%2) RETURNING ID")
                                 .arg(names.join(QLatin1Char(',')),
                                      QStringList(names.size(), QStringLiteral("?")).join(QLatin1Char(','))),
                             values);
}

int addProduct(DataModule& data, const QString& typeId, const QString& userCode, const QString& fullName,
               const QString& parentId, int children) {
    return data.OpenSQLAsInt(QStringLiteral("INSERT INTO ptype (typeId, parid, sonnum, UserCode, FullName) "
                                            "VALUES (?, ?, ?, ?, ?) RETURNING rec"),
                             {typeId, parentId, children, userCode, fullName});
}

int addAccount(DataModule& data, const QString& typeId, const QString& parentId, const QString& fullName) {
    return data.OpenSQLAsInt(
        QStringLiteral(
            "INSERT INTO atype (typeId, parid, UserCode, FullName) VALUES (?, ?, ?, ?) RETURNING rec"),
        {typeId, parentId, typeId, fullName});
}

int addWarehouse(DataModule& data, const QString& typeId, const QString& fullName, int posId) {
    return data.OpenSQLAsInt(
        QStringLiteral(
            "INSERT INTO stock (typeId, UserCode, FullName, PosId) VALUES (?, ?, ?, ?) RETURNING rec"),
        {typeId, typeId, fullName, posId});
}

void addStock(DataModule& data, int warehouse, int prec, double quantity) {
    data.ExecuteSQL(QStringLiteral("INSERT INTO GoodsStock (KRec, PRec, Qty) VALUES (?, ?, ?)"),
                    {warehouse, prec, QVariant::fromValue(Money::fromDouble(quantity))});
}

int addExchangeRule(DataModule& data, const ExchangeRule& rule) {
    return data.OpenSQLAsInt(
        QStringLiteral(
            "INSERT INTO IntegralexchangeSet (groupId, CTypeId, ChangeType, PRec, UseIntegral, "
            "exchangeNum, diffprice, ETCID, SDate, EDate, deleted) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, "
            "?, ?) RETURNING ExChangeID"),
        {QUuid::createUuid().toString(), rule.cardType, rule.changeType, rule.prec, rule.useIntegral,
         QVariant::fromValue(Money::fromDouble(rule.exchangeNum)),
         QVariant::fromValue(Money::fromDouble(rule.diffprice)), rule.etcId, rule.from, rule.until,
         rule.deleted ? 1 : 0});
}

int addCard(DataModule& data, const Card& card) {
    return data.OpenSQLAsInt(
        QStringLiteral(
            "INSERT INTO vipcard (cardid, CardNo, CardType, VIPBarCode, BulidDate, ValidityDate, VipCz, "
            "PosId, deleted, ClearDate) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?) RETURNING id"),
        {QUuid::createUuid().toString(QUuid::WithBraces).toUpper(), card.cardNo, card.cardType, card.barCode,
         card.issued, card.validUntil, card.storedValue ? 1 : 0, card.storeId, card.deleted ? 1 : 0,
         card.clearDate.isValid() ? QVariant(card.clearDate) : QVariant()});
}

void addCards(DataModule& data, int count, const QStringList& names) {
    Transaction transaction(data);
    const int gold = addCardType(data, QStringLiteral("金卡"), 90);
    const int silver = addCardType(data, QStringLiteral("银卡"), 95);
    // Many rows a statement: 100,000 single inserts would dominate a test's time.
    const int perStatement = 400;
    const QString head = QStringLiteral(
        "INSERT INTO vipcard (cardid, CardNo, Name, Tel, CardType, BulidDate, ValidityDate, ljIntegral, Cz, "
        "IsLife, Lose, StopUse) VALUES ");
    for (int first = 1; first <= count; first += perStatement) {
        const int last = std::min(count, first + perStatement - 1);
        QString sql = head;
        QVariantList values;
        for (int i = first; i <= last; ++i) {
            sql += (i == first ? QStringLiteral("(?,?,?,?,?,?,?,?,?,?,?,?)")
                               : QStringLiteral(",(?,?,?,?,?,?,?,?,?,?,?,?)"));
            const QString name =
                i <= names.size() ? names[i - 1] : QStringLiteral("会员%1").arg(i, 6, 10, QLatin1Char('0'));
            values << QStringLiteral("{%1}").arg(i, 8, 10, QLatin1Char('0'))
                   << QStringLiteral("C%1").arg(i, 6, 10, QLatin1Char('0')) << name
                   << QStringLiteral("139%1").arg(i, 8, 10, QLatin1Char('0')) << (i % 2 == 0 ? silver : gold)
                   << QDate(2026, 1, 1).addDays(i % 300) << QDate(2028, 1, 1) << (i * 7919) % 100003
                   << QVariant::fromValue(Money::fromUnits(i)) << (i % 5 == 0 ? 0 : 1)
                   << (i % 13 == 0 ? 1 : 0) << (i % 17 == 0 ? 1 : 0);
        }
        data.ExecuteSQL(sql, values);
    }
    transaction.Commit();
}

void addServiceItem(DataModule& data, int prec, Money listPrice, const QList<ServiceRule>& rules,
                    int startTimes, int discountType) {
    data.ExecuteSQL(
        QStringLiteral("INSERT INTO VipService (prec, startTimes, oncePrice, discountType, CreatedAt) "
                       "VALUES (?, ?, ?, ?, ?)"),
        {prec, startTimes, QVariant::fromValue(listPrice), discountType, QDateTime::currentDateTime()});
    for (const ServiceRule& rule : rules)
        data.ExecuteSQL(
            QStringLiteral("INSERT INTO VipServiceRule (prec, buyTimes, oncePrice, gainTimes, ValidityDays) "
                           "VALUES (?, ?, ?, ?, ?)"),
            {prec, rule.buyTimes, QVariant::fromValue(rule.oncePrice), rule.gainTimes, rule.validityDays});
}

} // namespace TestRows

namespace TestRows {

int addServiceLot(DataModule& data, int cardId, int prec, const QList<ServiceMove>& moves,
                  const QDate& validUntil) {
    Transaction transaction(data);
    const int lot = data.OpenSQLAsInt(
        QStringLiteral(
            "INSERT INTO vipCardService (VipCardId, prec, ValidityPeriod) VALUES (?, ?, ?) RETURNING id"),
        {cardId, prec, validUntil.isValid() ? QVariant(validUntil) : QVariant()});
    int remain = 0;
    Money total;
    for (const ServiceMove& move : moves) {
        remain += move.times;
        total += Money::fromDouble(move.total);
        data.ExecuteSQL(
            QStringLiteral("INSERT INTO VipServiceChange (ServiceId, VipCardId, prec, ChangeType, "
                           "Times, Total, RemainAfter, OpId, ChangeDate) VALUES (?, ?, ?, ?, ?, ?, "
                           "?, ?, ?)"),
            {lot, cardId, prec, move.changeType, move.times,
             QVariant::fromValue(Money::fromDouble(move.total)), remain, QUuid::createUuid().toString(),
             move.at});
    }
    data.ExecuteSQL(QStringLiteral("UPDATE vipCardService SET remainTimes = ?, Total = ? WHERE id = ?"),
                    {remain, QVariant::fromValue(total), lot});
    transaction.Commit();
    return lot;
}

} // namespace TestRows
