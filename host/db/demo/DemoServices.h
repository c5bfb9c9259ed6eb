#pragma once

#include <QList>

class Database;

// The services the stores sell as prepaid uses: products of their own class, each
// made a service item with its ladder through the procedures the rules dialog uses.
// One gives its gift uses per multiple of the count, one gives them once, one sells
// uses that expire.
class DemoServices {
public:
    void fill(Database& db);

    // Record numbers of the service items, which are their ids.
    const QList<int>& items() const { return m_items; }

private:
    QList<int> m_items;
};
