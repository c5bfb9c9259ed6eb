#include "host/data/Database.h"
#include "host/data/StoredProcedure.h"
#include "host/sdk/VipCodes.h"

// KD_ETCTypeGoods @ID, @Type, @PTypeID: allows one product (by its tree id) for a
// coupon type in use. Returns 0, also when the product was allowed already; -1
// with @RetValue when the type is not in use or is of another kind, -2 when no
// live product has that tree id.
namespace {

int kdETCTypeGoods(ProcedureContext& call) {
    Database& db = call.db();
    const int id = call.integer(QStringLiteral("@ID"));
    const int kind = call.integer(QStringLiteral("@Type"));
    const QString product = call.text(QStringLiteral("@PTypeID"), 25);
    if (!db.scalar(QStringLiteral("SELECT ID FROM ETCType WHERE ID = ? AND TYPE = ? AND Enabled = ?") +
                       db.dialect().forUpdate(),
                   {id, kind, CouponTypeState::InUse})
             .isValid()) {
        call.setOutput(QStringLiteral("@RetValue"), QStringLiteral("该购物卡类型不存在或已经作废"));
        return -1;
    }
    if (!db.scalar(QStringLiteral("SELECT rec FROM ptype WHERE typeId = ? AND deleted = 0"), {product})
             .isValid()) {
        call.setOutput(QStringLiteral("@RetValue"), QStringLiteral("商品不存在或已经删除"));
        return -2;
    }
    if (db.scalar(QStringLiteral("SELECT COUNT(*) FROM ETCTypeGoods WHERE id = ? AND PTypeID = ?"),
                  {id, product})
            .toInt() == 0)
        db.execute(QStringLiteral("INSERT INTO ETCTypeGoods (id, Type, PTypeID) VALUES (?, ?, ?)"),
                   {id, kind, product});
    return 0;
}

const ProcedureRegistration registration(QStringLiteral("KD_ETCTypeGoods"), kdETCTypeGoods);

} // namespace
