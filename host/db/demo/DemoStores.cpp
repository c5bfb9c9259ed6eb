#include "host/db/demo/DemoStores.h"

#include "host/data/Database.h"
#include "host/db/demo/ChineseNames.h"
#include "host/db/demo/DemoRandom.h"
#include "host/db/demo/DemoRow.h"
#include "host/sdk/DbError.h"

namespace {

struct StoreSpec {
    const char* code;
    const char* name;
    int connectType;
    int posType;
    const char* address;
    int tills;
    bool closed;
};

// A closed store stays in the list as deleted, as closing one does in real life.
const StoreSpec Specs[] = {
    {"0101", "人民路店", 0, 0, "杭州市上城区人民路88号", 3, false},
    {"0102", "解放路店", 0, 0, "杭州市上城区解放路236号", 2, false},
    {"0103", "滨江星光店", 0, 1, "杭州市滨江区江南大道1108号", 2, false},
    {"0201", "万达广场店", 1, 0, "杭州市拱墅区上塘路458号", 2, false},
    {"0202", "大学城店", 1, 1, "杭州市钱塘区学林街68号", 1, false},
    {"0203", "萧山金城店", 1, 0, "杭州市萧山区金城路1035号", 1, false},
    {"0301", "临平加盟店", 1, 2, "杭州市临平区迎宾路355号", 1, false},
    {"0302", "富阳加盟店", 0, 2, "杭州市富阳区桂花路22号", 1, false},
    {"0104", "城隍庙店", 0, 0, "杭州市上城区河坊街12号", 1, true},
};

} // namespace

void DemoStores::fill(Database& db, DemoRandom& random) {
    m_headOfficeEmployee = addEmployee(db, random, 0);
    addEmployee(db, random, 0);
    DemoRow(QStringLiteral("stock"))
        .set(QStringLiteral("typeId"), QStringLiteral("00001"))
        .set(QStringLiteral("UserCode"), QStringLiteral("CK00"))
        .set(QStringLiteral("FullName"), QStringLiteral("总部配送中心仓"))
        .set(QStringLiteral("PosId"), 0)
        .insert(db);

    int rowIndex = 0;
    for (const StoreSpec& spec : Specs) {
        ++rowIndex;
        const QString name = QString::fromUtf8(spec.name);
        const int id = DemoRow(QStringLiteral("posinfo"))
                           .set(QStringLiteral("PosCode"), QString::fromLatin1(spec.code))
                           .set(QStringLiteral("PosName"), name)
                           .set(QStringLiteral("ConnectType"), spec.connectType)
                           .set(QStringLiteral("PosType"), spec.posType)
                           .set(QStringLiteral("RowIndex"), rowIndex)
                           .set(QStringLiteral("Address"), QString::fromUtf8(spec.address))
                           .set(QStringLiteral("Tel"), QStringLiteral("0571-8%1").arg(random.digits(7)))
                           .set(QStringLiteral("deleted"), spec.closed ? 1 : 0)
                           .insert(db, QStringLiteral("posid"));
        for (int till = 1; till <= spec.tills; ++till) {
            DemoRow(QStringLiteral("posmachine"))
                .set(QStringLiteral("MachineCode"),
                     QStringLiteral("%1-%2").arg(QString::fromLatin1(spec.code)).arg(till))
                .set(QStringLiteral("MachineName"), QStringLiteral("%1%2号收银机").arg(name).arg(till))
                .set(QStringLiteral("PosId"), id)
                .set(QStringLiteral("deleted"), spec.closed ? 1 : 0)
                .insert(db);
        }
        DemoRow(QStringLiteral("stock"))
            .set(QStringLiteral("typeId"), QStringLiteral("%1").arg(rowIndex + 1, 5, 10, QLatin1Char('0')))
            .set(QStringLiteral("UserCode"), QStringLiteral("CK") + QString::fromLatin1(spec.code))
            .set(QStringLiteral("FullName"), name + QStringLiteral("仓库"))
            .set(QStringLiteral("PosId"), id)
            .set(QStringLiteral("deleted"), spec.closed ? 1 : 0)
            .insert(db);
        if (spec.closed)
            continue;
        const int manager = addEmployee(db, random, id);
        const int cashier = addEmployee(db, random, id);
        m_stores.append(Store{id, name, spec.connectType, spec.posType, manager, cashier});
    }
}

int DemoStores::addEmployee(Database& db, DemoRandom& random, int storeId) {
    ++m_employeeCount;
    const ChineseNames::Name name = ChineseNames::make(random, random.chance(60));
    return DemoRow(QStringLiteral("employee"))
        .set(QStringLiteral("typeId"), QStringLiteral("%1").arg(m_employeeCount, 5, 10, QLatin1Char('0')))
        .set(QStringLiteral("UserCode"), QStringLiteral("E%1").arg(m_employeeCount, 4, 10, QLatin1Char('0')))
        .set(QStringLiteral("FullName"), name.fullName)
        .set(QStringLiteral("PosId"), storeId)
        .set(QStringLiteral("Tel"), random.mobile())
        .insert(db, QStringLiteral("rec"));
}

const DemoStores::Store& DemoStores::store(int id) const {
    for (const Store& store : m_stores) {
        if (store.id == id)
            return store;
    }
    throw DbError(QStringLiteral("演示数据中没有门店 %1。").arg(id));
}
