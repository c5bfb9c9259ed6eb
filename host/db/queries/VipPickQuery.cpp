#include "host/db/queries/ListQueryRegistry.h"

// Window 871: member cards a coupon card may be bound to: live, activated, neither
// stopped nor lost, valid on "@Today". Read a page at a time by card id.
namespace {

const ListQueryRegistration registration(
    871,
    QStringLiteral(
        "SELECT a.id, a.CardNo, a.CardType, COALESCE(t.TypeName, '') AS TypeName, a.Name, a.Tel "
        "FROM vipcard a LEFT JOIN viptype t ON t.CTypeId = a.CardType "
        "WHERE a.deleted = 0 AND a.IsLife = 1 AND a.StopUse = 0 AND a.Lose = 0 AND a.ValidityDate >= @Today "
        "ORDER BY a.CardNo, a.id"),
    QStringLiteral("id"));

} // namespace
