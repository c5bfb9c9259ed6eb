#pragma once

#include <QList>
#include <QString>

class Database;
class DemoCatalog;
class DemoRandom;
class DemoStores;

// Card types that between them use every benefit mode, every points rule, stored
// value with bonus bands, segmented discounts, member days, birthdays, introducer
// rewards, grades, and types limited to some stores.
class DemoCardTypes {
public:
    // What issuing a card of the type needs to know.
    struct Type {
        int id = 0;
        QString name;
        int weight = 0; // share of the members holding it
        double discount = 100;
        int autoDiscount = 0;
        int autoMemberTotal = 0;
        int autoIntegral = 0;
        bool storedValue = false;
        bool services = false;
        bool clearsPoints = false;
        bool carriesRemainder = false;
        int introducerReward = 0; // points for introducing a member, 0 none
        int introducerDays = 0;   // days after its issue a card earns the reward, 0 always
        int introducerLimit = 0;  // introductions a card is rewarded for, 0 no limit
        QList<int> stores;        // empty: every store
    };

    void fill(Database& db, const DemoStores& stores, const DemoCatalog& catalog);

    const QList<Type>& types() const { return m_types; }
    // A type for a new member, drawn by the types' shares of the members.
    const Type& pick(DemoRandom& random) const;

private:
    QList<Type> m_types;
};
