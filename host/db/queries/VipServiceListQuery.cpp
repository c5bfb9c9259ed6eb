#include "host/db/queries/ListQueryRegistry.h"
#include "host/sdk/VipCodes.h"

// Window 889, the service items: each item with its product's code and name, its
// least purchase (0 where none is stored), single-use price, gift mode and the
// number of steps of its ladder. ruleId, the item's id, is its product's record number.
namespace {

const ListQueryRegistration registration(
    889, QStringLiteral("SELECT s.prec AS ruleId, p.UserCode AS PUSERCODE, p.FullName AS vsFullName, "
                        "p.Standard, p.Unit, CASE WHEN s.startTimes > 0 THEN s.startTimes ELSE 0 END "
                        "AS startTimes, s.oncePrice AS OncePrice, s.discountType, "
                        "CASE s.discountType WHEN %1 THEN '倍数' WHEN %2 THEN '直赠' ELSE '' END "
                        "AS discountTypeName, "
                        "(SELECT COUNT(*) FROM VipServiceRule r WHERE r.prec = s.prec) AS ruleCount, "
                        "p.deleted AS ptypeDeleted "
                        "FROM VipService s JOIN ptype p ON p.rec = s.prec ORDER BY p.UserCode, s.prec")
             .arg(ServiceGiftMode::PerMultiple)
             .arg(ServiceGiftMode::Direct));

} // namespace
