#include "host/db/procedures/ETCCardRows.h"
#include "host/db/queries/ListQueryRegistry.h"

// Window 836: coupon cards still to be issued (not used, not stopped, not yet
// activated), for the issue window and the card pickers. "@CardNo" narrows them to
// the numbers beginning with it (empty: all); the condition panel's filters apply
// as in the card lists.
namespace {

QString pickQuery() {
    QString sql = ETCCardRows::filtered();
    const QString order = QStringLiteral("ORDER BY e.CardNo, e.ID");
    sql.chop(order.size());
    return sql +
           QStringLiteral("AND e.Used = 0 AND e.IsStop = 0 AND e.Flag = 0 "
                          "AND SUBSTR(e.CardNo, 1, LENGTH(CAST(@CardNo AS VARCHAR(60)))) = @CardNo ") +
           order;
}

const ListQueryRegistration registration(836, pickQuery());

} // namespace
