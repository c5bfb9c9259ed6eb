#include "host/db/demo/DemoServices.h"

#include "host/data/Database.h"
#include "host/data/StoredProcedure.h"
#include "host/db/demo/DemoRow.h"
#include "host/sdk/DbError.h"
#include "host/sdk/Money.h"
#include "host/sdk/VipCodes.h"

namespace {

struct Rule {
    int buyTimes;
    int priceCents;
    int gainTimes;    // 0 none
    int validityDays; // 0 without end
};

struct Service {
    const char* name;
    const char* unit;
    int startTimes;
    int giftMode;
    QList<Rule> rules;
};

const QList<Service>& services() {
    static const QList<Service> list = {
        // Every full ten shirts bring one more.
        {"干洗衬衫", "件", 5, ServiceGiftMode::PerMultiple, {{5, 1200, 0, 0}, {10, 1000, 1, 0}}},
        {"皮鞋护理", "次", 1, ServiceGiftMode::Direct, {{1, 2000, 0, 0}, {10, 1800, 1, 0}, {20, 1600, 3, 0}}},
        {"家电清洗",
         "次",
         1,
         ServiceGiftMode::Direct,
         {{1, 8000, 0, 0}, {3, 7000, 0, 365}, {6, 6000, 1, 365}}},
    };
    return list;
}

int call(Database& db, const QString& procedure, const TParamObject& params) {
    TParamObject outputs;
    const int result = ProcedureRegistry::run(db, procedure, params, outputs, nullptr);
    if (result < 0)
        throw DbError(QStringLiteral("演示服务项目写入失败：%1 返回 %2。").arg(procedure).arg(result));
    return result;
}

} // namespace

void DemoServices::fill(Database& db) {
    const QString root = QStringLiteral("00000");
    const int departments =
        db.scalar(QStringLiteral("SELECT COUNT(*) FROM ptype WHERE parid = ?"), {root}).toInt();
    const QString departmentKey = QStringLiteral("%1").arg(departments + 1, 5, 10, QLatin1Char('0'));
    const QString classKey = departmentKey + QStringLiteral("00001");
    DemoRow(QStringLiteral("ptype"))
        .set(QStringLiteral("typeId"), departmentKey)
        .set(QStringLiteral("parid"), root)
        .set(QStringLiteral("sonnum"), 1)
        .set(QStringLiteral("UserCode"), QStringLiteral("%1").arg(departments + 1, 2, 10, QLatin1Char('0')))
        .set(QStringLiteral("FullName"), QStringLiteral("服务"))
        .insert(db);
    DemoRow(QStringLiteral("ptype"))
        .set(QStringLiteral("typeId"), classKey)
        .set(QStringLiteral("parid"), departmentKey)
        .set(QStringLiteral("sonnum"), services().size())
        .set(QStringLiteral("UserCode"),
             QStringLiteral("%1").arg(departments + 1, 2, 10, QLatin1Char('0')) + QStringLiteral("01"))
        .set(QStringLiteral("FullName"), QStringLiteral("会员服务"))
        .insert(db);
    for (int s = 0; s < services().size(); ++s) {
        const Service& service = services().at(s);
        const int rec =
            DemoRow(QStringLiteral("ptype"))
                .set(QStringLiteral("typeId"),
                     classKey + QStringLiteral("%1").arg(s + 1, 5, 10, QLatin1Char('0')))
                .set(QStringLiteral("parid"), classKey)
                .set(QStringLiteral("UserCode"), QStringLiteral("FW%1").arg(s + 1, 4, 10, QLatin1Char('0')))
                .set(QStringLiteral("FullName"), QString::fromUtf8(service.name))
                .set(QStringLiteral("Unit"), QString::fromUtf8(service.unit))
                .set(QStringLiteral("RetailPrice"),
                     QVariant::fromValue(Money::fromRaw(qint64(service.rules.first().priceCents) * 100)))
                .insert(db, QStringLiteral("rec"));
        TParamObject item;
        item.Add(QStringLiteral("@pRec"), rec);
        item.Add(QStringLiteral("@startTimes"), service.startTimes);
        item.Add(QStringLiteral("@oncePrice"), service.rules.first().priceCents / 100.0);
        item.Add(QStringLiteral("@discountType"), service.giftMode);
        call(db, QStringLiteral("Kd_InsertVipService"), item);
        for (const Rule& rule : service.rules) {
            TParamObject step;
            step.Add(QStringLiteral("@pRec"), rec);
            step.Add(QStringLiteral("@buyTimes"), rule.buyTimes);
            step.Add(QStringLiteral("@oncePrice"), rule.priceCents / 100.0);
            step.Add(QStringLiteral("@gainTimes"), rule.gainTimes);
            step.Add(QStringLiteral("@ValidityDays"), rule.validityDays);
            call(db, QStringLiteral("Kd_InsertVipServiceRule"), step);
        }
        m_items.append(rec);
    }
}
