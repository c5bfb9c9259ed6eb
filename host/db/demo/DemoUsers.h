#pragma once

class Database;
class DemoStores;

// Who can log in to the demo: an administrator who holds every right, a store
// manager and a cashier who hold the rights their jobs need.
class DemoUsers {
public:
    void fill(Database& db, const DemoStores& stores);

    int administrator() const { return m_administrator; }
    int cashier() const { return m_cashier; }

private:
    int m_administrator = 0;
    int m_cashier = 0;
};
