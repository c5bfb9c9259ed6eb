#include "host/db/procedures/VipCzGiftRule.h"

#include "host/data/Database.h"
#include "host/sdk/ClientDataSet.h"
#include "host/sdk/VipCodes.h"

Money VipCzGiftRule::giftFor(Database& db, int cardType, Money amount) {
    if (amount <= Money())
        return Money();
    ClientDataSet band;
    db.select(QStringLiteral("SELECT r.IntegralQuotiety, r.Integral FROM vipAutoDiscount r "
                             "JOIN viptype t ON t.CTypeId = r.VipTypeId "
                             "WHERE r.VipTypeId = ? AND r.DisType = ? AND t.IsCZPreferential = 1 "
                             "AND r.BuyToTalBegin <= ? ORDER BY r.BuyToTalBegin DESC, r.id"),
              {cardType, RuleKind::StoredValueGifts, QVariant::fromValue(amount)}, band);
    if (band.IsEmpty())
        return Money();
    const qint64 base = band.FieldByName(QStringLiteral("IntegralQuotiety")).AsLargeInt();
    const qint64 gift = band.FieldByName(QStringLiteral("Integral")).AsLargeInt();
    if (base <= 0 || gift <= 0)
        return Money();
    return Money::fromRaw(gift) * (amount.raw() / base);
}
