#include "host/db/procedures/VipServicePricing.h"

#include "host/data/Database.h"
#include "host/sdk/ClientDataSet.h"

std::optional<VipServicePricing::Item> VipServicePricing::item(Database& db, int prec) {
    ClientDataSet row;
    db.select(
        QStringLiteral("SELECT prec, startTimes, oncePrice, discountType FROM VipService WHERE prec = ?"),
        {prec}, row);
    if (row.IsEmpty())
        return std::nullopt;
    return Item{prec, row.FieldByName(QStringLiteral("startTimes")).AsInteger(),
                row.FieldByName(QStringLiteral("oncePrice")).AsMoney(),
                row.FieldByName(QStringLiteral("discountType")).AsInteger()};
}

VipServicePricing::Price VipServicePricing::priceFor(Database& db, const Item& item, int count,
                                                     const QDate& today) {
    ClientDataSet rule;
    db.select(QStringLiteral("SELECT buyTimes, oncePrice, gainTimes, ValidityDays FROM VipServiceRule "
                             "WHERE prec = ? AND buyTimes <= ? AND buyTimes > 0 "
                             "ORDER BY buyTimes DESC, id LIMIT 1"),
              {item.prec, count}, rule);
    if (rule.IsEmpty())
        return {item.listPrice, 0, QDate(), false};
    const int buyTimes = rule.FieldByName(QStringLiteral("buyTimes")).AsInteger();
    const int gain = rule.FieldByName(QStringLiteral("gainTimes")).AsInteger();
    const int days = rule.FieldByName(QStringLiteral("ValidityDays")).AsInteger();
    Price price;
    price.byRule = true;
    price.oncePrice = rule.FieldByName(QStringLiteral("oncePrice")).AsMoney();
    if (gain > 0)
        price.gainTimes = item.discountType == 1 ? gain * (count / buyTimes) : gain;
    if (days >= 0)
        price.lastDay = today.addDays(days);
    return price;
}
