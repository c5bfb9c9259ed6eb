#include "host/data/Database.h"
#include "host/data/StoredProcedure.h"

// P_BaseInfoShowList: which fields of a kind of record's editor (@IDFlag; 6 member
// cards) are shown and required, in their order: FieldName, Visible, MustField.
// @Flag 1 asks for every configured field (the only form the editors use).
namespace {

int pBaseInfoShowList(ProcedureContext& call) {
    const int kind = call.integer(QStringLiteral("@IDFlag"));
    call.integer(QStringLiteral("@Flag"));
    call.returnRows(
        QStringLiteral("SELECT FieldName, Visible, MustField FROM BaseInfoShowList WHERE IDFlag = ? "
                       "ORDER BY RowIndex, FieldName"),
        {kind});
    return 0;
}

const ProcedureRegistration registration(QStringLiteral("P_BaseInfoShowList"), pBaseInfoShowList);

} // namespace
