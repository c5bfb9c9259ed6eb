#include "host/data/Database.h"
#include "host/data/StoredProcedure.h"
#include "host/sdk/DbError.h"

// Kd_QueryBaseInfoProperty @IDFlag, @TypeId, @Mode: live rows of one property tree
// (IDFlag 1: product attributes) with Rec, UserCode, FullName, parid and typeid.
//   'Single' the row whose typeid is @TypeId;
//   'Child'  the rows directly under it (an empty @TypeId or the root "00000": the
//            top level);
//   'Leaf'   every row that has nothing under it, the values users pick.
namespace {

const QString Root = QStringLiteral("00000");
const QString Columns = QStringLiteral("SELECT a.rec AS Rec, a.UserCode, a.FullName, a.parid, a.typeid "
                                       "FROM BaseInfoProperty a WHERE a.deleted = 0 AND a.IDFlag = ? ");

int kdQueryBaseInfoProperty(ProcedureContext& call) {
    const int idFlag = call.integer(QStringLiteral("@IDFlag"));
    QString typeId = call.text(QStringLiteral("@TypeId"), 25).trimmed();
    const QString mode = call.text(QStringLiteral("@Mode"), 10).trimmed();

    if (mode.compare(QLatin1String("Single"), Qt::CaseInsensitive) == 0) {
        call.returnRows(Columns + QStringLiteral("AND a.typeid = ?"), {idFlag, typeId});
        return 0;
    }
    if (mode.compare(QLatin1String("Leaf"), Qt::CaseInsensitive) == 0) {
        call.returnRows(
            Columns + QStringLiteral("AND a.typeid <> ? AND NOT EXISTS (SELECT 1 FROM BaseInfoProperty c "
                                     "WHERE c.parid = a.rec AND c.deleted = 0) ORDER BY a.typeid"),
            {idFlag, Root});
        return 0;
    }
    if (mode.compare(QLatin1String("Child"), Qt::CaseInsensitive) != 0)
        throw DbError(QStringLiteral("属性查询方式“%1”无效。").arg(mode));

    if (typeId.isEmpty())
        typeId = Root;
    const QVariant parent = call.db().scalar(
        QStringLiteral("SELECT rec FROM BaseInfoProperty WHERE deleted = 0 AND IDFlag = ? AND typeid = ?"),
        {idFlag, typeId});
    // A tree kept without a root row has its top level at parid 0.
    int parentRec = -1;
    if (parent.isValid() && !parent.isNull())
        parentRec = parent.toInt();
    else if (typeId == Root)
        parentRec = 0;
    call.returnRows(Columns + QStringLiteral("AND a.parid = ? AND a.typeid <> ? ORDER BY a.typeid"),
                    {idFlag, parentRec, Root});
    return 0;
}

const ProcedureRegistration registration(QStringLiteral("Kd_QueryBaseInfoProperty"), kdQueryBaseInfoProperty);

} // namespace
