#include "host/db/demo/DemoCouponTypes.h"

#include "host/data/Database.h"
#include "host/data/StoredProcedure.h"
#include "host/db/demo/DemoCardTypes.h"
#include "host/db/demo/DemoCatalog.h"
#include "host/db/demo/DemoStores.h"
#include "host/sdk/BitValue.h"
#include "host/sdk/DbError.h"
#include "host/sdk/Money.h"
#include "host/sdk/VipCodes.h"

#include <QDate>

namespace {

struct Spec {
    int kind;
    QString name;
    QString comment;
    QList<int> flagBits;
    double value;
    double saleStart;
    int useCount;
    QString memberTypes;
    QString stores;
    int expiryDays; // 0: no expiry
};

int run(Database& db, const QString& procedure, const TParamObject& inputs, TParamObject& outputs) {
    const int result = ProcedureRegistry::run(db, procedure, inputs, outputs, nullptr);
    if (result < 0)
        throw DbError(
            QStringLiteral("演示购物卡类型写入失败：%1").arg(outputs.AsString(QStringLiteral("@RetValue"))));
    return result;
}

int writeType(Database& db, const Spec& spec) {
    int flags = 0;
    for (int bit : spec.flagBits)
        flags = SetBitValue(flags, bit, true);
    TParamObject in;
    in.Add(QStringLiteral("@ID"), 0);
    in.Add(QStringLiteral("@TYPE"), spec.kind);
    in.Add(QStringLiteral("@NAME"), spec.name);
    in.Add(QStringLiteral("@Comment"), spec.comment);
    in.Add(QStringLiteral("@Flags"), flags);
    in.Add(QStringLiteral("@SaleStart"), QVariant::fromValue(Money::fromDouble(spec.saleStart)));
    in.Add(QStringLiteral("@UseCount"), spec.useCount);
    in.Add(QStringLiteral("@UseLimit"), 1);
    in.Add(QStringLiteral("@RangLimit"), QVariant::fromValue(Money::fromDouble(spec.value)));
    in.Add(QStringLiteral("@VIPNO"), QString());
    in.Add(QStringLiteral("@VIPType"), spec.memberTypes);
    in.Add(QStringLiteral("@VallidityType"), CouponExpiry::DaysAfterActivation);
    in.Add(QStringLiteral("@VallidityDate"), QDate::currentDate().addDays(spec.expiryDays));
    in.Add(QStringLiteral("@VallidityDay"), spec.expiryDays);
    in.Add(QStringLiteral("@UserID"), 0);
    in.Add(QStringLiteral("@LPosID"), spec.stores);
    in.Add(QStringLiteral("@LPosName"), QString());
    in.Add(QStringLiteral("@IntegerType"), 0);
    TParamObject out;
    run(db, QStringLiteral("KD_ETCTypeEdit"), in, out);
    return out.AsInteger(QStringLiteral("@ID"));
}

} // namespace

void DemoCouponTypes::fill(Database& db, const DemoStores& stores, const DemoCatalog& catalog,
                           const DemoCardTypes& cardTypes) {
    using namespace CouponTypeFlag;
    const QString memberTypes =
        QStringLiteral("%1,%2").arg(cardTypes.types().at(0).id).arg(cardTypes.types().at(1).id);
    const QString twoStores =
        QStringLiteral("%1,%2").arg(stores.stores().at(0).id).arg(stores.stores().at(1).id);
    const QList<Spec> specs = {
        {CouponKind::CashCoupon,
         QStringLiteral("演示现金券50元（限食品）"),
         QStringLiteral("只能购买指定商品"),
         {PartialGoods, OtherTypes, EarnsPoints, ExpiryControlled},
         50,
         0,
         1,
         {},
         {},
         365},
        {CouponKind::DiscountCard,
         QStringLiteral("演示打折卡九折（限会员类型）"),
         QStringLiteral("指定会员卡类型、两家门店可用"),
         {MemberTypes, EarnsPoints, BoundToMember},
         90,
         0,
         0,
         memberTypes,
         twoStores,
         0},
        {CouponKind::PreferentialCoupon,
         QStringLiteral("演示优惠券满100减20"),
         QStringLiteral("消费满100元可用"),
         {EarnsPoints, PreferentialAmount, ExpiryControlled},
         20,
         100,
         1,
         {},
         {},
         90},
        {CouponKind::CashCoupon,
         QStringLiteral("演示现金券100元（已作废）"),
         QStringLiteral("活动取消"),
         {EarnsPoints},
         100,
         0,
         0,
         {},
         {},
         0},
    };
    for (const Spec& spec : specs)
        m_types.append({writeType(db, spec), spec.kind, spec.name, false});

    // The cash coupon pays for the first few products only.
    for (int rec : catalog.products().mid(0, 3)) {
        TParamObject in;
        in.Add(QStringLiteral("@ID"), m_types.at(0).id);
        in.Add(QStringLiteral("@Type"), CouponKind::CashCoupon);
        in.Add(QStringLiteral("@PTypeID"),
               db.scalar(QStringLiteral("SELECT typeId FROM ptype WHERE rec = ?"), {rec}));
        TParamObject out;
        run(db, QStringLiteral("KD_ETCTypeGoods"), in, out);
    }

    Type& voided = m_types.last();
    TParamObject in;
    in.Add(QStringLiteral("@ID"), voided.id);
    in.Add(QStringLiteral("@Enable"), CouponTypeState::Voided);
    in.Add(QStringLiteral("@LoginUser"), 0);
    TParamObject out;
    run(db, QStringLiteral("KD_ETCTypeEnable"), in, out);
    voided.voided = true;
}
