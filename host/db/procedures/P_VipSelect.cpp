#include "host/data/Database.h"
#include "host/data/StoredProcedure.h"
#include "host/db/procedures/VipCardSearch.h"

#include <QDate>

// P_VipSelect: the member search of the bills' member picker (VipCardSearch), at
// most 1000 live cards with their type's TypeName, MD and IsOnlyJS. @Text the typed
// text; the flags @NotActivated, @ByIdentity, @UsableToday (valid on @Today),
// @ServiceOnly and @LocalFields; @PosId > 0 keeps the types that apply in that
// store. Returns the number of rows.
namespace {

int pVipSelect(ProcedureContext& call) {
    VipCardSearch::Filter filter;
    filter.text = call.text(QStringLiteral("@Text"), 60);
    filter.notActivated = call.flag(QStringLiteral("@NotActivated"));
    filter.byIdentity = call.flag(QStringLiteral("@ByIdentity"));
    filter.usableToday = call.flag(QStringLiteral("@UsableToday"));
    filter.serviceOnly = call.flag(QStringLiteral("@ServiceOnly"));
    filter.localFields =
        call.has(QStringLiteral("@LocalFields")) && call.flag(QStringLiteral("@LocalFields"));
    filter.posId = call.integer(QStringLiteral("@PosId"));
    filter.today = call.in().Value(QStringLiteral("@Today")).toDate();
    if (!filter.today.isValid())
        filter.today = QDate::currentDate();
    const VipCardSearch::Statement statement = VipCardSearch::statement(call.db().dialect(), filter);
    if (call.rows()) {
        call.returnRows(statement.sql, statement.params);
        return call.rows()->RecordCount();
    }
    ClientDataSet rows;
    call.db().select(statement.sql, statement.params, rows);
    return rows.RecordCount();
}

const ProcedureRegistration registration(QStringLiteral("P_VipSelect"), pVipSelect);

} // namespace
