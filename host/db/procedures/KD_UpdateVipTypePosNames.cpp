#include "host/data/Database.h"
#include "host/data/StoredProcedure.h"
#include "host/db/procedures/VipTypeStamp.h"
#include "host/sdk/ClientDataSet.h"

// KD_UpdateVipTypePosNames @CTypeid: refreshes the store names shown with a card
// type: "全部门店" when it applies everywhere, else its stores joined by ";".
namespace {

int kdUpdateVipTypePosNames(ProcedureContext& call) {
    Database& db = call.db();
    const int typeId = call.integer(QStringLiteral("@CTypeid"));
    ClientDataSet type;
    db.select(QStringLiteral("SELECT PosRange, CanAllPos FROM viptype WHERE CTypeId = ? AND deleted = 0"),
              {typeId}, type);
    if (type.IsEmpty())
        return -1;
    QString names;
    if (type.FieldByName(QStringLiteral("PosRange")).AsInteger() == 0 ||
        type.FieldByName(QStringLiteral("CanAllPos")).AsInteger() == 1) {
        names = QStringLiteral("全部门店");
    } else {
        ClientDataSet stores;
        db.select(
            QStringLiteral(
                "SELECT p.PosName FROM posinfo p, PosVipType v WHERE p.posid = v.PosID AND v.viptype = ? "
                "AND p.deleted = 0 ORDER BY p.RowIndex, p.posid"),
            {typeId}, stores);
        QStringList list;
        for (; !stores.Eof(); stores.Next())
            list.append(stores.FieldByName(QStringLiteral("PosName")).AsString());
        names = list.join(QLatin1Char(';'));
    }
    db.execute(QStringLiteral("UPDATE viptype SET PosNames = ? WHERE CTypeId = ?"),
               {names.left(2000), typeId});
    VipTypeStamp::touch(db, typeId);
    return 0;
}

const ProcedureRegistration registration(QStringLiteral("KD_UpdateVipTypePosNames"), kdUpdateVipTypePosNames);

} // namespace
