#include "host/data/Database.h"
#include "host/data/StoredProcedure.h"
#include "host/db/procedures/VipClearHistory.h"

// kd_CheckClearVipDate: whether the card @vipid may have its points cleared up to
// @ClearDate ("YYYY-MM-DD", empty: today). Returns 0 or a PointsClearCheck code;
// @LastDate receives the latest date it was cleared up to ("" when never).
namespace {

int kdCheckClearVipDate(ProcedureContext& call) {
    const int cardId = call.integer(QStringLiteral("@vipid"));
    const QDate date = VipClearHistory::clearDate(call.text(QStringLiteral("@ClearDate")));
    QDate last;
    const int result = VipClearHistory::check(call.db(), cardId, date, false, &last);
    call.setOutput(QStringLiteral("@LastDate"),
                   last.isValid() ? last.toString(QStringLiteral("yyyy-MM-dd")) : QString());
    return result;
}

const ProcedureRegistration registration(QStringLiteral("kd_CheckClearVipDate"), kdCheckClearVipDate);

} // namespace
