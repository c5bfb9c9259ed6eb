#include "host/db/demo/DemoData.h"

#include "host/data/Database.h"
#include "host/db/demo/DemoAccounts.h"
#include "host/db/demo/DemoCardTypes.h"
#include "host/db/demo/DemoCatalog.h"
#include "host/db/demo/DemoCouponTypes.h"
#include "host/db/demo/DemoCoupons.h"
#include "host/db/demo/DemoExchangeRules.h"
#include "host/db/demo/DemoMembers.h"
#include "host/db/demo/DemoRandom.h"
#include "host/db/demo/DemoServiceUses.h"
#include "host/db/demo/DemoServices.h"
#include "host/db/demo/DemoStores.h"
#include "host/db/demo/DemoUsers.h"
#include "host/sdk/DbError.h"
#include "host/sdk/Transaction.h"

namespace {

constexpr quint32 Seed = 20240501;

int count(Database& db, const QString& sql) {
    return db.scalar(sql).toInt();
}

// Everything but the members, in the order its parts refer to each other.
struct BaseData {
    DemoStores stores;
    DemoCatalog catalog;
    DemoAccounts accounts;
    DemoUsers users;
    DemoCardTypes types;
    DemoServices services;
    DemoCouponTypes couponTypes;

    void fill(Database& db, DemoRandom& random) {
        stores.fill(db, random);
        catalog.fill(db, random);
        accounts.fill(db, random);
        users.fill(db, stores);
        types.fill(db, stores, catalog);
        services.fill(db);
        couponTypes.fill(db, stores, catalog, types);
    }
};

} // namespace

void DemoData::refuseUnlessEmpty(Database& db) {
    const int cards = count(db, QStringLiteral("SELECT COUNT(*) FROM vipcard"));
    if (cards > 0)
        throw DbError(QStringLiteral("数据库中已有 %1 张会员卡，演示数据只能填入空数据库。").arg(cards));
    const int base =
        count(db, QStringLiteral("SELECT (SELECT COUNT(*) FROM posinfo) + (SELECT COUNT(*) FROM loginuser) "
                                 "+ (SELECT COUNT(*) FROM ptype) + (SELECT COUNT(*) FROM viptype)"));
    if (base > 0)
        throw DbError(
            QStringLiteral("数据库中已有门店、用户、商品或会员卡类型资料，演示数据只能填入空数据库。"));
}

void DemoData::fillSettings(Database& db) {
    const QList<QPair<QString, QString>> settings = {
        {QStringLiteral("VipUpDownCond"), QStringLiteral("0")},
        {QStringLiteral("VipTxDay"), QStringLiteral("10")},
        {QStringLiteral("VipTxComment"), QStringLiteral("祝您生日快乐,幸福安康!")},
    };
    // A setting the administrator already chose stays as it is.
    for (const auto& [name, value] : settings) {
        db.execute(
            QStringLiteral(
                "INSERT INTO sysdata (SubName, SubValue) VALUES (?, ?) ON CONFLICT (SubName) DO NOTHING"),
            {name, value});
    }
}

void DemoData::fill(Database& db, const QDate& today) {
    Transaction transaction(db);
    refuseUnlessEmpty(db);
    DemoRandom random(Seed);
    BaseData base;
    base.fill(db, random);
    DemoExchangeRules().fill(db, base.types, base.catalog, base.couponTypes, today);
    DemoMembers(db, random, today).fill(base.stores, base.types, base.accounts, base.users);
    DemoCoupons(db, today).fill(base.couponTypes);
    DemoServiceUses(db, random, today).fill();
    fillSettings(db);
    transaction.Commit();
}

void DemoData::fillAtScale(Database& db, int members, const DemoBulkMembers::Progress& progress,
                           const QDate& today) {
    Transaction transaction(db);
    refuseUnlessEmpty(db);
    DemoRandom random(Seed);
    BaseData base;
    base.fill(db, random);
    DemoExchangeRules().fill(db, base.types, base.catalog, base.couponTypes, today);
    fillSettings(db);
    transaction.Commit();
    DemoBulkMembers(db, random, today).fill(members, base.stores, base.types, base.users, progress);
}

QString DemoData::summary(Database& db) {
    return QStringLiteral("门店 %1 家，POS 机 %2 台，商品 %3 种，会员卡类型 %4 种，会员卡 %5 张，登录用户 %6 "
                          "个，购物卡 %7 张")
        .arg(count(db, QStringLiteral("SELECT COUNT(*) FROM posinfo WHERE deleted = 0")))
        .arg(count(db, QStringLiteral("SELECT COUNT(*) FROM posmachine WHERE deleted = 0")))
        .arg(count(db, QStringLiteral("SELECT COUNT(*) FROM ptype WHERE deleted = 0 AND sonnum = 0")))
        .arg(count(db, QStringLiteral("SELECT COUNT(*) FROM viptype WHERE deleted = 0")))
        .arg(count(db, QStringLiteral("SELECT COUNT(*) FROM vipcard WHERE deleted = 0")))
        .arg(count(db, QStringLiteral("SELECT COUNT(*) FROM loginuser WHERE deleted = 0")))
        .arg(count(db, QStringLiteral("SELECT COUNT(*) FROM ETCList WHERE deleted = 0")));
}
