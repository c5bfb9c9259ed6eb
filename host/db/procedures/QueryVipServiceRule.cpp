#include "host/data/StoredProcedure.h"

// QueryVipServiceRule: the ladder of the service item @Prec by count, as its grids
// show it: the amount of a step (count times price) and the total uses with the
// gift; no gift and no end of validity (stored -1) come back empty.
namespace {

int queryVipServiceRule(ProcedureContext& call) {
    const int prec = call.integer(QStringLiteral("@Prec"));
    call.returnRows(
        QStringLiteral("SELECT id, prec, buyTimes, oncePrice, buyTimes * oncePrice AS PriceTotal, "
                       "CASE WHEN gainTimes > 0 THEN gainTimes END AS gainTimes, "
                       "buyTimes + CASE WHEN gainTimes > 0 THEN gainTimes ELSE 0 END AS numTotal, "
                       "CASE WHEN ValidityDays > 0 THEN ValidityDays END AS ValidityDays "
                       "FROM VipServiceRule WHERE prec = ? ORDER BY buyTimes, id"),
        {prec});
    return 0;
}

const ProcedureRegistration registration(QStringLiteral("QueryVipServiceRule"), queryVipServiceRule);

} // namespace
