#include "host/db/procedures/ETCCardRows.h"
#include "host/db/queries/ListQueryRegistry.h"

// Window 870: the live coupon cards bound to the member card "@VipID", of one state
// ("@FlagName": "有效", "使用完成", "作废", "未生效"; empty all).
namespace {

const ListQueryRegistration
    registration(870, ETCCardRows::select() +
                          QStringLiteral("WHERE e.deleted = 0 AND e.VIPID = @VipID AND @VipID <> 0 "
                                         "AND (@FlagName = '' OR ") +
                          ETCCardRows::flagNameExpression(QStringLiteral("e")) +
                          QStringLiteral(" = @FlagName) ORDER BY e.CardNo, e.ID"));

} // namespace
