#include "host/db/demo/DemoMembers.h"

#include "host/data/Database.h"
#include "host/db/demo/ChineseNames.h"
#include "host/db/demo/DemoAccounts.h"
#include "host/db/demo/DemoRandom.h"
#include "host/db/demo/DemoRow.h"
#include "host/db/demo/DemoStores.h"
#include "host/db/demo/DemoUsers.h"
#include "host/db/demo/Ean13.h"
#include "host/sdk/Cncalendar.h"
#include "host/sdk/Money.h"

#include <QDateTime>

namespace {

QString lunarText(int year, int month, int day) {
    return QStringLiteral("%1-%2-%3")
        .arg(year)
        .arg(month, 2, 10, QLatin1Char('0'))
        .arg(day, 2, 10, QLatin1Char('0'));
}

// A moment during opening hours of the given day.
QDateTime during(DemoRandom& random, const QDate& day) {
    return QDateTime(day, QTime(random.between(9, 20), random.between(0, 59), random.between(0, 59)));
}

const Money PointsUnit = Money::fromUnits(10); // one point per ten yuan spent

} // namespace

const DemoCardTypes::Type& DemoMembers::pickType(const DemoCardTypes& types) {
    int total = 0;
    for (const DemoCardTypes::Type& type : types.types())
        total += type.weight;
    int draw = m_random.between(1, total);
    for (const DemoCardTypes::Type& type : types.types()) {
        draw -= type.weight;
        if (draw <= 0)
            return type;
    }
    return types.types().last();
}

QString DemoMembers::nextCardNumber() {
    // Cards come off printed runs, so numbers climb with the odd gap of a spoilt card.
    m_lastCardNumber += m_random.chance(90) ? 1 : m_random.between(2, 5);
    return QString::number(m_lastCardNumber);
}

QString DemoMembers::uniqueMobile() {
    QString number;
    do {
        number = m_random.mobile();
    } while (m_mobiles.contains(number));
    m_mobiles.insert(number);
    return number;
}

DemoMembers::Birthday DemoMembers::birthday() {
    Birthday result;
    result.date = m_today.addYears(-m_random.between(18, 75)).addDays(-m_random.between(0, 364));
    result.solar = result.date.toString(QStringLiteral("yyyy-MM-dd"));
    int year = 0;
    int month = 0;
    int day = 0;
    bool leap = false;
    if (!Cncalendar::GetLunarFromDay(result.date.year(), result.date.month(), result.date.day(), year, month,
                                     day, leap))
        return result;
    result.lunar = lunarText(year, month, day);
    const int yearLeapMonth = Cncalendar::GetLunarLeapMonth(year);
    // A lunar text cannot say which of a doubled month it means, so members born in
    // either of them give their birthday by the solar calendar.
    if (yearLeapMonth != month && m_random.chance(20)) {
        result.lunarEntry = 1;
        result.leapMonth = yearLeapMonth > 0 ? 1 : 0;
    } else {
        result.leapMonth = leap ? 1 : 0;
    }
    return result;
}

QString DemoMembers::identityCard(const QDate& born, bool female) {
    static const QList<QString> districts = {QStringLiteral("330102"), QStringLiteral("330105"),
                                             QStringLiteral("330106"), QStringLiteral("330108"),
                                             QStringLiteral("330109"), QStringLiteral("330110")};
    const int sequence = m_random.between(0, 499) * 2 + (female ? 0 : 1);
    const QString body = m_random.pick(districts) + born.toString(QStringLiteral("yyyyMMdd")) +
                         QStringLiteral("%1").arg(sequence, 3, 10, QLatin1Char('0'));
    static const int weights[] = {7, 9, 10, 5, 8, 4, 2, 1, 6, 3, 7, 9, 10, 5, 8, 4, 2};
    int sum = 0;
    for (int i = 0; i < 17; ++i)
        sum += body.at(i).digitValue() * weights[i];
    return body + QStringLiteral("10X98765432").at(sum % 11);
}

QString DemoMembers::address() {
    static const QList<QString> streets = {QStringLiteral("上城区清泰街"), QStringLiteral("拱墅区湖墅南路"),
                                           QStringLiteral("西湖区文三路"), QStringLiteral("滨江区长河路"),
                                           QStringLiteral("萧山区人民路"), QStringLiteral("余杭区文一西路"),
                                           QStringLiteral("临平区南苑街"), QStringLiteral("钱塘区学源街")};
    static const QList<QString> estates = {QStringLiteral("翠苑"), QStringLiteral("阳光"),
                                           QStringLiteral("和睦"), QStringLiteral("金都"),
                                           QStringLiteral("绿城"), QStringLiteral("春江")};
    return QStringLiteral("杭州市%1%2号%3小区%4幢%5室")
        .arg(m_random.pick(streets))
        .arg(m_random.between(1, 999))
        .arg(m_random.pick(estates))
        .arg(m_random.between(1, 30))
        .arg(m_random.between(1, 28) * 100 + m_random.between(1, 4));
}

QString DemoMembers::email(const QString& initials, const QDate& born) {
    if (m_random.chance(30))
        return QString::number(m_random.between(1, 9)) + m_random.digits(8) + QStringLiteral("@qq.com");
    static const QList<QString> domains = {QStringLiteral("@163.com"), QStringLiteral("@126.com"),
                                           QStringLiteral("@sina.com")};
    return initials.toLower() + QString::number(born.year()) + m_random.pick(domains);
}

void DemoMembers::recordCreation(int cardId, const QString& cardNo, int storeId, int employee,
                                 const QDate& day) {
    DemoRow(QStringLiteral("VipChangeInfo"))
        .set(QStringLiteral("Vipcardid"), cardId)
        .set(QStringLiteral("ChangeType"), 1)
        .set(QStringLiteral("Memo"), QStringLiteral("新建会员卡[%1]").arg(cardNo))
        .set(QStringLiteral("PosId"), storeId)
        .set(QStringLiteral("ERec"), employee)
        .set(QStringLiteral("ChangeDate"), during(m_random, day))
        .insert(m_db);
}

void DemoMembers::rewardIntroducer(const Introducer& introducer, int newCardId, const QString& newCardNo,
                                   int storeId, int employee, const QDate& day) {
    DemoRow(QStringLiteral("VipChangeInfo"))
        .set(QStringLiteral("Vipcardid"), introducer.cardId)
        .set(QStringLiteral("ChangeType"), 1)
        .set(QStringLiteral("ChangeTotal"), introducer.reward)
        .set(QStringLiteral("Memo"), QStringLiteral("介绍新会员[%1]").arg(newCardNo))
        .set(QStringLiteral("OfferCardID"), newCardId)
        .set(QStringLiteral("PosId"), storeId)
        .set(QStringLiteral("ERec"), employee)
        .set(QStringLiteral("ChangeDate"), during(m_random, day))
        .insert(m_db);
    m_db.execute(
        QStringLiteral("UPDATE vipcard SET IntegralTotal = IntegralTotal + ?, ljIntegral = ljIntegral + ? "
                       "WHERE id = ?"),
        {introducer.reward, introducer.reward, introducer.cardId});
}

// Stored value: what was put in at opening and since, less what was spent. Returns
// the amount spent from it, which counts towards the card's purchases.
Money DemoMembers::addStoredValue(DemoRow& card, const DemoCardTypes::Type& type,
                                  const DemoStores::Store& store) {
    Money spent;
    if (!type.storedValue || !m_random.chance(65))
        return spent;
    // Franchise stores may not take an opening balance.
    const Money opening =
        store.posType != 2 && m_random.chance(30) ? Money::fromUnits(100 * m_random.between(1, 20)) : Money();
    const Money recharged = m_random.chance(80) ? Money::fromUnits(100 * m_random.between(1, 30)) : Money();
    const Money total = opening + recharged;
    spent = Money::fromRaw(m_random.between(0, static_cast<int>(total.raw() / 100)) * 100LL);
    card.set(QStringLiteral("VipCz"), 1)
        .set(QStringLiteral("VipCzService"), type.services && m_random.chance(50) ? 1 : 0)
        .set(QStringLiteral("Cz00"), QVariant::fromValue(opening))
        .set(QStringLiteral("CzTotal"), QVariant::fromValue(total))
        .set(QStringLiteral("Cz"), QVariant::fromValue(total - spent))
        .set(QStringLiteral("PosId"), store.connectType == 1 ? store.id : 0);
    if (m_random.chance(40))
        card.set(QStringLiteral("UsePass"), 1).set(QStringLiteral("Password"), m_random.digits(6));
    return spent;
}

// One point per ten yuan bought, some of it already redeemed.
void DemoMembers::addPoints(DemoRow& card, const DemoCardTypes::Type& type, Money bought) {
    if (type.autoIntegral) {
        const int earned = static_cast<int>(bought.raw() / PointsUnit.raw());
        card.set(QStringLiteral("ljIntegral"), earned)
            .set(QStringLiteral("IntegralTotal"), earned - m_random.between(0, earned / 2));
        if (type.carriesRemainder)
            card.set(QStringLiteral("RemainTotal"),
                     QVariant::fromValue(Money::fromRaw(bought.raw() % PointsUnit.raw())));
    }
}

void DemoMembers::fill(const DemoStores& stores, const DemoCardTypes& types, const DemoAccounts& accounts,
                       const DemoUsers& users) {
    static const QList<QString> comments = {QStringLiteral("老顾客"), QStringLiteral("喜欢进口零食"),
                                            QStringLiteral("周末常来"), QStringLiteral("团购客户"),
                                            QStringLiteral("需要开具发票")};
    for (int i = 0; i < Count; ++i) {
        const DemoCardTypes::Type& type = pickType(types);
        const bool activated = m_random.chance(92);
        QList<int> storeChoice = type.stores;
        if (storeChoice.isEmpty()) {
            for (const DemoStores::Store& store : stores.stores())
                storeChoice.append(store.id);
        }
        const DemoStores::Store& store = stores.store(m_random.pick(storeChoice));
        const QDate issued = m_today.addDays(-m_random.between(0, 3 * 365));
        const QString cardNo = nextCardNumber();

        DemoRow card(QStringLiteral("vipcard"));
        card.set(QStringLiteral("cardid"), m_random.guid())
            .set(QStringLiteral("CardNo"), cardNo)
            .set(QStringLiteral("VIPBarCode"),
                 m_random.chance(90) ? Ean13::withCheckDigit(QStringLiteral("2900") + cardNo) : QString())
            .set(QStringLiteral("CardType"), type.id)
            .set(QStringLiteral("Discount"), type.discount)
            .set(QStringLiteral("AutoDiscount"), type.autoDiscount)
            .set(QStringLiteral("AutoMemberTotal"), type.autoMemberTotal)
            .set(QStringLiteral("AutoIntegral"), type.autoIntegral)
            .set(QStringLiteral("BulidDate"), issued)
            .set(QStringLiteral("ValidityDate"), issued.addYears(m_random.pick(QList<int>{1, 2, 3, 5})))
            .set(QStringLiteral("IsUse"), m_random.between(0, 3));

        if (!activated) {
            // Blank cards of a batch run, waiting at the head office for their holders.
            card.set(QStringLiteral("CreatePosId"), 0).set(QStringLiteral("Creator"), users.administrator());
            const int id = card.insert(m_db, QStringLiteral("id"));
            recordCreation(id, cardNo, 0, stores.headOfficeEmployee(), issued);
            continue;
        }

        const bool female = m_random.chance(55);
        const ChineseNames::Name name = ChineseNames::make(m_random, female);
        const bool flagship = store.id == stores.stores().first().id;
        const int employee = store.cashierEmployee;
        card.set(QStringLiteral("Name"), name.fullName)
            .set(QStringLiteral("PYZJM"), name.initials)
            .set(QStringLiteral("Tel"), uniqueMobile())
            .set(QStringLiteral("sex"), female ? 1 : 0)
            .set(QStringLiteral("IsLife"), 1)
            .set(QStringLiteral("ActivatePosId"), store.id)
            .set(QStringLiteral("CreatePosId"), store.id)
            .set(QStringLiteral("Creator"), flagship ? users.cashier() : users.administrator());
        if (m_random.chance(70))
            card.set(QStringLiteral("Address"), address());
        if (m_random.chance(10))
            card.set(QStringLiteral("Comment"), m_random.pick(comments));
        if (m_random.chance(6))
            card.set(QStringLiteral("btypeid"), m_random.pick(accounts.corporateCustomers()));
        if (m_random.chance(92)) {
            const Birthday born = birthday();
            card.set(QStringLiteral("Birthday"), born.solar)
                .set(QStringLiteral("BirthdayCN"), born.lunar)
                .set(QStringLiteral("BirthType"), born.lunarEntry)
                .set(QStringLiteral("IsLeapMonth"), born.leapMonth);
            if (m_random.chance(50))
                card.set(QStringLiteral("IdentityCard"), identityCard(born.date, female));
            if (m_random.chance(25))
                card.set(QStringLiteral("\"E-Mail\""), email(name.initials, born.date));
        }
        const int state = m_random.between(1, 100);
        card.set(QStringLiteral("Lose"), state <= 3 ? 1 : 0)
            .set(QStringLiteral("StopUse"), state > 97 ? 1 : 0);

        const Money spent = addStoredValue(card, type, store);
        const Money bought = spent + m_random.amount(0, 20000);
        card.set(QStringLiteral("buyTotal"), QVariant::fromValue(bought));
        addPoints(card, type, bought);
        if (type.clearsPoints)
            card.set(QStringLiteral("ClearDate"), QDateTime(issued, QTime(0, 0)));

        const bool introduced = !m_introducers.isEmpty() && m_random.chance(12);
        const Introducer introducer = introduced ? m_random.pick(m_introducers) : Introducer{0, 0};
        if (introduced)
            card.set(QStringLiteral("JSVIPCardID"), introducer.cardId).set(QStringLiteral("IsJSReward"), 1);

        // Now and then a card number comes back: the lost card was deleted and its
        // number issued again, which only live cards must not share.
        if (m_random.chance(2)) {
            DemoRow old = card;
            const QDate earlier = issued.addDays(-m_random.between(30, 400));
            old.set(QStringLiteral("cardid"), m_random.guid())
                .set(QStringLiteral("BulidDate"), earlier)
                .set(QStringLiteral("Lose"), 1)
                .set(QStringLiteral("JSVIPCardID"), 0)
                .set(QStringLiteral("IsJSReward"), 0)
                .set(QStringLiteral("deleted"), 1);
            recordCreation(old.insert(m_db, QStringLiteral("id")), cardNo, store.id, employee, earlier);
        }

        const int id = card.insert(m_db, QStringLiteral("id"));
        recordCreation(id, cardNo, store.id, employee, issued);
        if (introduced)
            rewardIntroducer(introducer, id, cardNo, store.id, employee, issued);
        const bool inGoodStanding = state > 3 && state <= 97;
        if (type.introducerReward > 0 && inGoodStanding)
            m_introducers.append(Introducer{id, type.introducerReward});
    }
}
