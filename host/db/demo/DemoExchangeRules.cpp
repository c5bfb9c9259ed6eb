#include "host/db/demo/DemoExchangeRules.h"

#include "host/data/StoredProcedure.h"
#include "host/db/demo/DemoCardTypes.h"
#include "host/db/demo/DemoCatalog.h"
#include "host/db/demo/DemoCouponTypes.h"
#include "host/sdk/DbError.h"
#include "host/sdk/Money.h"
#include "host/sdk/VipCodes.h"

#include <QUuid>

namespace {

struct Rule {
    int points;
    double gives; // yuan, or items
    int product = 0;
    double difference = 0;
    int couponType = 0;
};

struct Group {
    QString typeName;
    int way;
    bool automatic;
    QList<Rule> rules;
};

int typeNamed(const DemoCardTypes& types, const QString& name) {
    for (const DemoCardTypes::Type& type : types.types()) {
        if (type.name == name)
            return type.id;
    }
    throw DbError(QStringLiteral("演示会员卡类型 %1 不存在。").arg(name));
}

} // namespace

void DemoExchangeRules::fill(Database& db, const DemoCardTypes& types, const DemoCatalog& catalog,
                             const DemoCouponTypes& couponTypes, const QDate& today) {
    const QList<int>& products = catalog.products();
    int cashCoupon = 0;
    for (const DemoCouponTypes::Type& type : couponTypes.types()) {
        if (type.kind == CouponKind::CashCoupon && !type.voided && cashCoupon == 0)
            cashCoupon = type.id;
    }
    const QList<Group> groups = {
        {QStringLiteral("普通卡"), ExchangeWay::Cash, false, {{100, 5}, {500, 30}}},
        {QStringLiteral("普通卡"), ExchangeWay::StoredValue, true, {{200, 12}}},
        {QStringLiteral("银卡"), ExchangeWay::Cash, false, {{100, 6}}},
        {QStringLiteral("金卡"), ExchangeWay::StoredValue, false, {{100, 8}, {1000, 100}}},
        {QStringLiteral("金卡"),
         ExchangeWay::Goods,
         false,
         {{500, 1, products.value(0), 5}, {1200, 1, products.value(1), 0}}},
        {QStringLiteral("银卡"), ExchangeWay::CouponCards, false, {{300, 1, 0, 0, cashCoupon}}},
    };
    for (const Group& group : groups) {
        // The same demo gets the same group ids each time it is written.
        const QString groupId = QUuid::createUuidV5(QUuid(), group.typeName + QString::number(group.way))
                                    .toString(QUuid::WithBraces);
        for (int i = 0; i < group.rules.size(); ++i) {
            const Rule& rule = group.rules.at(i);
            TParamObject p;
            p.Add(QStringLiteral("@PRec"), rule.product);
            p.Add(QStringLiteral("@ERec"), 0);
            p.Add(QStringLiteral("@CTypeId"), typeNamed(types, group.typeName));
            p.Add(QStringLiteral("@ChangeType"), group.way);
            p.Add(QStringLiteral("@UseIntegral"), rule.points);
            p.Add(QStringLiteral("@exchangeNum"), QVariant::fromValue(Money::fromDouble(rule.gives)));
            p.Add(QStringLiteral("@diffprice"), QVariant::fromValue(Money::fromDouble(rule.difference)));
            p.Add(QStringLiteral("@SDate"), today.addMonths(-1));
            p.Add(QStringLiteral("@EDate"), today.addYears(1));
            p.Add(QStringLiteral("@Memo"), QStringLiteral("演示兑换规则"));
            p.Add(QStringLiteral("@IsCzAuto"), group.automatic ? 1 : 0);
            p.Add(QStringLiteral("@ETCID"), rule.couponType);
            p.Add(QStringLiteral("@groupId"), groupId);
            p.Add(QStringLiteral("@groupOrdId"), i);
            TParamObject outputs;
            const int id = ProcedureRegistry::run(db, QStringLiteral("P_InsertIntegralexchangeSet"), p,
                                                  outputs, nullptr);
            if (id <= 0)
                throw DbError(QStringLiteral("演示兑换规则未能写入（%1，%2）。").arg(group.typeName).arg(id));
        }
    }
}
