#include "host/db/procedures/VipServiceItem.h"

#include "host/data/Database.h"
#include "host/sdk/VipCodes.h"

namespace VipServiceItem {

bool lockProduct(Database& db, int prec) {
    return db
        .scalar(QStringLiteral("SELECT rec FROM ptype WHERE rec = ? AND deleted = 0 AND sonnum = 0") +
                    db.dialect().forUpdate(),
                {prec})
        .isValid();
}

std::optional<int> lockItem(Database& db, int prec) {
    const QVariant startTimes = db.scalar(QStringLiteral("SELECT startTimes FROM VipService WHERE prec = ?") +
                                              db.dialect().forUpdate(),
                                          {prec});
    if (!startTimes.isValid())
        return std::nullopt;
    return startTimes.toInt();
}

int checkFields(int startTimes, qint64 oncePriceRaw, int discountType) {
    if (startTimes < 1 && startTimes != -1)
        return ServiceItemRefusal::BadStartTimes;
    if (oncePriceRaw < 0)
        return ServiceItemRefusal::NegativePrice;
    if (discountType != ServiceGiftMode::PerMultiple && discountType != ServiceGiftMode::Direct)
        return ServiceItemRefusal::BadGiftMode;
    return 0;
}

} // namespace VipServiceItem
