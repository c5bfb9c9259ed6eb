#include "host/data/Database.h"
#include "host/data/StoredProcedure.h"
#include "host/db/procedures/VipServicePricing.h"

#include <QDate>

// kd_GetVipServicePrice: what @buyTimes uses of the service item @pRec cost today
// by its ladder, the figures the sale procedure will hold a sale to: outputs
// @oncePrice, @gainTimes (-1 none), @ValidityPeriod (the last day, "yyyy-mm-dd", empty
// without end) and @startTimes (the least purchase). Returns 0; -1 when the item is
// no service item.
namespace {

int kdGetVipServicePrice(ProcedureContext& call) {
    Database& db = call.db();
    const int prec = call.integer(QStringLiteral("@pRec"));
    const int count = call.integer(QStringLiteral("@buyTimes"));
    const std::optional<VipServicePricing::Item> item = VipServicePricing::item(db, prec);
    if (!item)
        return -1;
    const VipServicePricing::Price price =
        VipServicePricing::priceFor(db, *item, count, QDate::currentDate());
    call.setOutput(QStringLiteral("@oncePrice"), QVariant::fromValue(price.oncePrice));
    call.setOutput(QStringLiteral("@gainTimes"), price.gainTimes > 0 ? price.gainTimes : -1);
    call.setOutput(QStringLiteral("@ValidityPeriod"),
                   price.lastDay.isValid() ? price.lastDay.toString(QStringLiteral("yyyy-MM-dd"))
                                           : QString());
    call.setOutput(QStringLiteral("@startTimes"), item->startTimes);
    return 0;
}

const ProcedureRegistration registration(QStringLiteral("kd_GetVipServicePrice"), kdGetVipServicePrice);

} // namespace
