#include "host/db/procedures/VipExchangeRule.h"

#include "host/data/Database.h"
#include "host/sdk/ClientDataSet.h"
#include "host/sdk/VipCodes.h"

QString VipExchangeRule::liveRulesFrom() {
    return QStringLiteral("FROM IntegralexchangeSet i LEFT JOIN ptype p ON p.rec = i.PRec "
                          "LEFT JOIN ETCType et ON et.ID = i.ETCID "
                          "WHERE i.deleted = 0 AND i.SDate <= ? AND i.EDate >= ? AND i.CTypeId = ? "
                          "AND i.ChangeType = ? AND i.UseIntegral > 0 "
                          "AND (i.ChangeType <> %1 OR (p.rec IS NOT NULL AND p.deleted = 0)) "
                          "AND (i.ChangeType <> %2 OR (et.ID IS NOT NULL AND et.Enabled = 1))")
        .arg(PointsChange::Goods + 1)
        .arg(PointsChange::ShoppingCards + 1);
}

std::optional<VipExchangeRule> VipExchangeRule::live(Database& db, int exchangeId, int cardType, int way,
                                                     const QDate& day) {
    ClientDataSet row;
    db.select(QStringLiteral("SELECT i.PRec, i.ETCID, i.UseIntegral, i.exchangeNum, i.diffprice ") +
                  liveRulesFrom() + QStringLiteral(" AND i.ExChangeID = ?"),
              {day, day, cardType, way, exchangeId}, row);
    if (row.IsEmpty())
        return std::nullopt;
    const auto field = [&](const char* name) { return row.FieldByName(QLatin1String(name)); };
    return VipExchangeRule{exchangeId, field("PRec").AsInteger(), field("ETCID").AsInteger(),
                           ExchangeLine{field("UseIntegral").AsInteger(), field("exchangeNum").AsMoney(),
                                        field("diffprice").AsMoney()}};
}
