#include "host/data/Database.h"
#include "host/data/StoredProcedure.h"

// kd_IsOnlyVipCardTypeDZ: 0 when the cards of type @viptype are used only in
// independent stores (ConnectType 1), whose stored value the head office does not
// keep; -1 when the type also applies to the real-time stores (or everywhere), so
// the head office keeps the stored value and its password.
namespace {

constexpr int SharedStoredValue = -1;
constexpr int IndependentOnly = 0;

int kdIsOnlyVipCardTypeDz(ProcedureContext& call) {
    Database& db = call.db();
    const int typeId = call.integer(QStringLiteral("@viptype"));
    const QVariant allStores = db.scalar(
        QStringLiteral("SELECT CanAllPos FROM viptype WHERE CTypeId = ? AND deleted = 0"), {typeId});
    if (!allStores.isValid())
        return IndependentOnly;
    if (allStores.toInt() == 1)
        return SharedStoredValue;
    const int realTime =
        db.scalar(QStringLiteral("SELECT COUNT(*) FROM PosVipType v JOIN posinfo p ON p.posid = "
                                 "v.PosID WHERE v.viptype = ? AND p.ConnectType = 0 AND p.deleted "
                                 "= 0"),
                  {typeId})
            .toInt();
    return realTime > 0 ? SharedStoredValue : IndependentOnly;
}

const ProcedureRegistration registration(QStringLiteral("kd_IsOnlyVipCardTypeDZ"), kdIsOnlyVipCardTypeDz);

} // namespace
