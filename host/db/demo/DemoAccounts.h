#pragma once

#include <QList>

class Database;
class DemoRandom;

// The books' side of the demo: payment accounts and business partners (suppliers,
// and the companies whose staff hold corporate member cards).
class DemoAccounts {
public:
    void fill(Database& db, DemoRandom& random);

    // Record ids of the partners that buy for their staff.
    const QList<int>& corporateCustomers() const { return m_corporateCustomers; }

private:
    QList<int> m_corporateCustomers;
};
