#pragma once

#include "host/db/demo/DemoCardTypes.h"
#include "host/db/demo/DemoStores.h"
#include "host/sdk/Money.h"

#include <QDate>
#include <QList>
#include <QSet>
#include <QString>

class Database;
class DemoAccounts;
class DemoRandom;
class DemoRow;
class DemoUsers;

// Member cards as years of trading leave them: active, lost, stopped, expired and
// not yet activated cards, reissued numbers, stored value, points, introducers,
// each with the creation record the card-writing procedure keeps.
class DemoMembers {
public:
    static constexpr int Count = 320;

    DemoMembers(Database& db, DemoRandom& random, const QDate& today)
        : m_db(db)
        , m_random(random)
        , m_today(today) {}

    void fill(const DemoStores& stores, const DemoCardTypes& types, const DemoAccounts& accounts,
              const DemoUsers& users);

private:
    struct Birthday {
        QString solar;
        QString lunar;
        int lunarEntry = 0;
        int leapMonth = 0;
        QDate date;
    };
    struct Introducer {
        int cardId;
        int reward;
    };

    const DemoCardTypes::Type& pickType(const DemoCardTypes& types);
    QString nextCardNumber();
    QString uniqueMobile();
    Birthday birthday();
    QString identityCard(const QDate& born, bool female);
    QString address();
    QString email(const QString& initials, const QDate& born);
    Money addStoredValue(DemoRow& card, const DemoCardTypes::Type& type, const DemoStores::Store& store);
    void addPoints(DemoRow& card, const DemoCardTypes::Type& type, Money bought);
    void recordCreation(int cardId, const QString& cardNo, int storeId, int employee, const QDate& day);
    void rewardIntroducer(const Introducer& introducer, int newCardId, const QString& newCardNo, int storeId,
                          int employee, const QDate& day);

    Database& m_db;
    DemoRandom& m_random;
    QDate m_today;
    qint64 m_lastCardNumber = 80010000;
    QSet<QString> m_mobiles;
    QList<Introducer> m_introducers;
};
