#include "host/sdk/Limit.h"

#include "host/sdk/DataModule.h"
#include "host/sdk/Ucomvar.h"

namespace {

// One statement per test: the administrator flag and the right row are read
// together, and a user deleted since logging in holds nothing.
bool holds(const QString& rightRows, const QVariantList& rightParams) {
    const int user = Ucomvar().nLoginUserRec;
    if (user <= 0)
        return false;
    QVariantList params{user};
    params.append(rightParams);
    return dmClient().OpenSQLAsInt(
               QStringLiteral("SELECT COUNT(*) FROM loginuser u WHERE u.rec = ? AND u.deleted = 0 "
                              "AND (u.IsAdmin = 1 OR EXISTS (") +
                   rightRows + QStringLiteral("))"),
               params) > 0;
}

} // namespace

bool HasLimit(int right) {
    return holds(QStringLiteral("SELECT 1 FROM userlimit l WHERE l.UserRec = u.rec AND l.LimitNo = ?"),
                 {right});
}

bool HasBillLimit(int right, int billKind) {
    return holds(QStringLiteral("SELECT 1 FROM userbilllimit l WHERE l.UserRec = u.rec AND l.BillKind = ? "
                                "AND l.LimitNo = ?"),
                 {billKind, right});
}
