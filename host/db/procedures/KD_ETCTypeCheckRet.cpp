#include "host/data/Database.h"
#include "host/data/StoredProcedure.h"

// KD_ETCTypeCheckRet @ID: how many coupon cards of the type exist (not deleted,
// voided ones included), as the return value.
namespace {

int kdETCTypeCheckRet(ProcedureContext& call) {
    return call.db()
        .scalar(QStringLiteral("SELECT COUNT(*) FROM ETCList WHERE ETCID = ? AND deleted = 0"),
                {call.integer(QStringLiteral("@ID"))})
        .toInt();
}

const ProcedureRegistration registration(QStringLiteral("KD_ETCTypeCheckRet"), kdETCTypeCheckRet);

} // namespace
