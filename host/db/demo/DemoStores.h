#pragma once

#include <QList>
#include <QString>

class Database;
class DemoRandom;

// The chain: stores of every kind and connection, their tills, warehouses and staff.
// The head office is store 0, as everywhere in the host; it has no posinfo row.
class DemoStores {
public:
    struct Store {
        int id = 0;
        QString name;
        int connectType = 0; // 0 real-time, 1 independent
        int posType = 0;     // 0 direct, 1 joint, 2 franchise
        int managerEmployee = 0;
        int cashierEmployee = 0;
    };

    void fill(Database& db, DemoRandom& random);

    const QList<Store>& stores() const { return m_stores; }
    int headOfficeEmployee() const { return m_headOfficeEmployee; }
    const Store& store(int id) const;

private:
    int addEmployee(Database& db, DemoRandom& random, int storeId);
    QList<Store> m_stores;
    int m_headOfficeEmployee = 0;
    int m_employeeCount = 0;
};
