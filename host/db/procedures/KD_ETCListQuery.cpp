#include "host/data/Database.h"
#include "host/data/StoredProcedure.h"
#include "host/db/procedures/ETCCardRows.h"
#include "host/db/queries/BoundQuery.h"

// KD_ETCListQuery: coupon card rows (ETCCardRows' columns). With "@ID" (not 0) the
// live card of that id ("@ETCType", when given and not 0, must be its kind); with
// "@CardNo" the live cards whose number begins with it, valid in the store
// "@officeid" (cards of all stores, or of a list naming it), at most 1000; else
// the live cards under the list windows' filters. Returns the number of rows.
namespace {

constexpr int MaxByNumber = 1000;

QString likePrefix(const QString& text) {
    QString escaped = text;
    escaped.replace(QLatin1Char('\\'), QLatin1String("\\\\"))
        .replace(QLatin1Char('%'), QLatin1String("\\%"))
        .replace(QLatin1Char('_'), QLatin1String("\\_"));
    return escaped + QLatin1Char('%');
}

int kdEtcListQuery(ProcedureContext& call) {
    const int id = call.has(QStringLiteral("@ID")) ? call.integer(QStringLiteral("@ID")) : 0;
    if (id != 0) {
        const int kind = call.has(QStringLiteral("@ETCType")) ? call.integer(QStringLiteral("@ETCType")) : 0;
        call.returnRows(ETCCardRows::select() +
                            QStringLiteral("WHERE e.ID = ? AND e.deleted = 0 AND (? = 0 OR e.ETCType = ?)"),
                        {id, kind, kind});
    } else if (call.has(QStringLiteral("@CardNo"))) {
        const QString prefix = call.text(QStringLiteral("@CardNo"), 60).trimmed();
        const int store = call.integer(QStringLiteral("@officeid"));
        call.returnRows(ETCCardRows::select() +
                            QStringLiteral("WHERE e.deleted = 0 AND e.CardNo LIKE ? ESCAPE '\\' "
                                           "AND (e.LPosID = '' OR ',' || e.LPosID || ',' LIKE ?) "
                                           "ORDER BY e.CardNo, e.ID LIMIT %1")
                                .arg(MaxByNumber),
                        {likePrefix(prefix), QStringLiteral("%,%1,%").arg(store)});
    } else {
        const BoundQuery query(ETCCardRows::filtered(), ETCCardRows::withOpenFilters(call.in()));
        call.returnRows(query.sql(), query.values());
    }
    return call.rows() ? call.rows()->RecordCount() : 0;
}

const ProcedureRegistration registration(QStringLiteral("KD_ETCListQuery"), kdEtcListQuery);

} // namespace
