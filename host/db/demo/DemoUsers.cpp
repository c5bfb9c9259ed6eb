#include "host/db/demo/DemoUsers.h"

#include "host/data/Database.h"
#include "host/db/demo/DemoRow.h"
#include "host/db/demo/DemoStores.h"
#include "host/services/PasswordHash.h"

#include <QList>

namespace {

// What a till needs: the member list, issuing cards, points exchange and adjustment,
// selling and using stored-value services. Opening balances and setting up card
// types, prices and service items are a manager's.
const QList<int> CashierRights = {160, 521, 508, 828, 906, 907};
// A manager also runs the stored-value lists, coupons, points rules and reports.
const QList<int> ManagerRights = {155, 160, 508, 510, 511, 521, 544, 547, 592, 677, 702,
                                  826, 827, 828, 837, 840, 843, 845, 855, 902, 906, 907,
                                  908, 931, 935, 945, 946, 947, 948, 949, 950};

int addUser(Database& db, const QString& code, const QString& name, const QString& password, bool admin,
            int employee, const QList<int>& rights) {
    const int rec = DemoRow(QStringLiteral("loginuser"))
                        .set(QStringLiteral("UserCode"), code)
                        .set(QStringLiteral("UserName"), name)
                        .set(QStringLiteral("PasswordSalt"), QString())
                        .set(QStringLiteral("PasswordHash"), PasswordHash::hash(password))
                        .set(QStringLiteral("IsAdmin"), admin ? 1 : 0)
                        .set(QStringLiteral("EtypeRec"), employee)
                        .insert(db, QStringLiteral("rec"));
    for (int right : rights)
        db.execute(QStringLiteral("INSERT INTO userlimit (UserRec, LimitNo) VALUES (?, ?)"), {rec, right});
    return rec;
}

QString employeeName(Database& db, int rec) {
    return db.scalar(QStringLiteral("SELECT FullName FROM employee WHERE rec = ?"), {rec}).toString();
}

} // namespace

void DemoUsers::fill(Database& db, const DemoStores& stores) {
    m_administrator = addUser(db, QStringLiteral("admin"), QStringLiteral("系统管理员"),
                              QStringLiteral("admin"), true, stores.headOfficeEmployee(), {});
    const DemoStores::Store& flagship = stores.stores().first();
    addUser(db, QStringLiteral("manager"), employeeName(db, flagship.managerEmployee),
            QStringLiteral("123456"), false, flagship.managerEmployee, ManagerRights);
    m_cashier = addUser(db, QStringLiteral("cashier"), employeeName(db, flagship.cashierEmployee),
                        QStringLiteral("123456"), false, flagship.cashierEmployee, CashierRights);
}
