#include "host/db/demo/DemoMembers.h"

#include "host/data/Database.h"
#include "host/data/StoredProcedure.h"
#include "host/db/demo/ChineseNames.h"
#include "host/db/demo/DemoAccounts.h"
#include "host/db/demo/DemoRandom.h"
#include "host/db/demo/DemoStores.h"
#include "host/db/demo/DemoUsers.h"
#include "host/db/demo/Ean13.h"
#include "host/db/procedures/VipCzLedger.h"
#include "host/sdk/Cncalendar.h"
#include "host/sdk/DbError.h"
#include "host/sdk/Money.h"
#include "host/sdk/VipCodes.h"

#include <QDateTime>

namespace {

TParamObject pairs(std::initializer_list<std::pair<const char*, QVariant>> values) {
    TParamObject params;
    for (const auto& [name, value] : values)
        params.Add(QLatin1String(name), value);
    return params;
}

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

void DemoMembers::defineCustomFields() {
    const QList<std::pair<QString, int>> fields = {
        {QStringLiteral("职业"), 0}, {QStringLiteral("家庭人数"), 1}, {QStringLiteral("喜好品类"), 0}};
    int row = 0;
    for (const auto& [name, dataType] : fields)
        m_db.execute(
            QStringLiteral("INSERT INTO CustomFieldsDefine (idflag, Name, MustField, DataType, RowIndex) "
                           "VALUES (6, ?, 0, ?, ?)"),
            {name, dataType, ++row});
}

int DemoMembers::call(const QString& procedure, const TParamObject& params, TParamObject* outputs) {
    TParamObject ignored;
    return ProcedureRegistry::run(m_db, procedure, params, outputs ? *outputs : ignored, nullptr);
}

int DemoMembers::issue(const TParamObject& card) {
    const int id = call(QStringLiteral("Y_InsVipCard"), card);
    if (id <= 0)
        throw DbError(QStringLiteral("演示会员卡 %1 未能写入（%2）。")
                          .arg(card.AsString(QStringLiteral("@CardNo")))
                          .arg(id));
    return id;
}

// Stored value: an opening balance, recharges since and what was spent of it at the
// till. Returns the amount spent, which counts towards the card's purchases.
Money DemoMembers::addStoredValue(int cardId, const DemoCardTypes::Type& type, const DemoStores::Store& store,
                                  int user) {
    Money spent;
    if (!type.storedValue || !m_random.chance(65))
        return spent;
    // Franchise stores may not take an opening balance.
    const Money opening =
        store.posType != 2 && m_random.chance(30) ? Money::fromUnits(100 * m_random.between(1, 20)) : Money();
    TParamObject settings;
    settings.Add(QStringLiteral("@Vipcardid"), cardId);
    settings.Add(QStringLiteral("@VipCz"), 1);
    settings.Add(QStringLiteral("@VipCzService"), type.services && m_random.chance(50) ? 1 : 0);
    settings.Add(QStringLiteral("@SetOpening"), 1);
    settings.Add(QStringLiteral("@Cz00"), QVariant::fromValue(opening));
    // Hashing a password is slow on purpose; a few cards are enough to show it.
    const bool password = m_random.chance(10);
    settings.Add(QStringLiteral("@UsePass"), password ? 1 : 0);
    if (password)
        settings.Add(QStringLiteral("@Password"), m_random.digits(6));
    settings.Add(QStringLiteral("@CzPosId"), store.connectType == 1 ? store.id : 0);
    settings.Add(QStringLiteral("@IsJSReward"), -1);
    settings.Add(QStringLiteral("@PosID"), store.id);
    settings.Add(QStringLiteral("@ERec"), user);
    settings.Add(QStringLiteral("@OpId"), VipCzLedger::newOperationId());
    if (call(QStringLiteral("Y_InsVipCardCz"), settings) != 0)
        throw DbError(QStringLiteral("演示会员卡的储值未能写入。"));

    const auto post = [&](int changeType, Money amount, Money gift, const QString& memo) {
        if (VipCzLedger::post(m_db, {cardId, changeType, amount, gift, VipCzLedger::newOperationId(),
                                     store.id, user, memo}) != VipCzLedger::Posted)
            throw DbError(QStringLiteral("演示会员卡的储值流水未能写入。"));
    };
    // Recharges and now and then a refund, saved as the recharge dialog saves them,
    // gifts by the card type's rules. A card lost or stopped since was recharged
    // while it was usable: those rows go to the ledger as they were.
    const QString cardNo =
        m_db.scalar(QStringLiteral("SELECT CardNo FROM vipcard WHERE id = ?"), {cardId}).toString();
    const int account =
        m_db.scalar(QStringLiteral("SELECT rec FROM atype WHERE typeId = ?"), {QStringLiteral("0000100003")})
            .toInt();
    const auto operate = [&](int changeType, Money amount) {
        TParamObject gift;
        call(QStringLiteral("kd_VIPGetCZGiftTotal"),
             pairs({{"@CtypeId", type.id}, {"@CZTotal", amount.toDouble()}, {"@GiftTotal", 0}}), &gift);
        // Members have back what they recharged, never their opening balance.
        if (changeType == StoredValueChange::Refund &&
            (amount + gift.AsMoney(QStringLiteral("@GiftTotal"))).raw() >
                m_db.scalar(QStringLiteral("SELECT CzTotal - Cz00 FROM vipcard WHERE id = ?"), {cardId})
                    .toLongLong())
            return;
        TParamObject p = pairs({{"@CardNo", cardNo},
                                {"@ChangeType", QString::number(changeType)},
                                {"@Total", amount.toDouble()},
                                {"@ERec", user},
                                {"@ARec", QString::number(account)},
                                {"@Posid", store.id},
                                {"@Memo", changeType == StoredValueChange::Refund ? QStringLiteral("退款")
                                                                                  : QStringLiteral("充值")},
                                {"@szDate", m_today.toString(QStringLiteral("yyyy-MM-dd"))},
                                {"@giftTotal", gift.AsFloat(QStringLiteral("@GiftTotal"))},
                                {"@OpId", VipCzLedger::newOperationId()}});
        const int result = call(QStringLiteral("XF_CzOperator"), p);
        if (result == -1 && changeType == StoredValueChange::Recharge) {
            post(changeType, amount, gift.AsMoney(QStringLiteral("@GiftTotal")), QStringLiteral("充值"));
        } else if (result != 0 && result != -1 && result != -2) {
            throw DbError(QStringLiteral("演示会员卡 %1 的储值操作未能写入（%2）。").arg(cardNo).arg(result));
        }
    };
    for (int i = m_random.chance(80) ? m_random.between(1, 3) : 0; i > 0; --i)
        operate(StoredValueChange::Recharge, Money::fromUnits(100 * m_random.between(1, 30)));
    if (m_random.chance(15))
        operate(StoredValueChange::Refund, Money::fromUnits(50 * m_random.between(1, 4)));
    const qint64 held =
        m_db.scalar(QStringLiteral("SELECT Cz FROM vipcard WHERE id = ?"), {cardId}).toLongLong();
    spent = Money::fromRaw(m_random.between(0, static_cast<int>(held / 10000)) * 10000LL);
    if (!spent.isZero())
        post(StoredValueChange::Purchase, -spent, Money(), QStringLiteral("储值消费"));
    return spent;
}

// One point per ten yuan bought, some of it already redeemed.
void DemoMembers::addPoints(const QString& cardNo, const DemoCardTypes::Type& type, Money bought,
                            const QString& user, int storeId) {
    if (!type.autoIntegral)
        return;
    const int earned = static_cast<int>(bought.raw() / PointsUnit.raw());
    const auto change = [&](int changeType, int points, const QString& memo) {
        if (points <= 0)
            return;
        TParamObject p;
        p.Add(QStringLiteral("@CardNo"), cardNo);
        p.Add(QStringLiteral("@ChangeType"), changeType);
        p.Add(QStringLiteral("@ChangeTotal"), points);
        p.Add(QStringLiteral("@EtypeID"), user);
        p.Add(QStringLiteral("@Posid"), storeId);
        p.Add(QStringLiteral("@Memo"), memo);
        p.Add(QStringLiteral("@Total"), 0);
        p.Add(QStringLiteral("@NewId"), 0, TParamObject::Output);
        if (call(QStringLiteral("InsertVipTotalChangeInfo"), p) != 0)
            throw DbError(QStringLiteral("演示会员卡 %1 的积分未能写入。").arg(cardNo));
    };
    change(PointsChange::Added, earned, QStringLiteral("消费积分"));
    change(PointsChange::Deducted, m_random.between(0, earned / 2), QStringLiteral("积分兑换礼品"));
}

void DemoMembers::addCustomValues(int cardId) {
    static const QList<QString> jobs = {QStringLiteral("教师"), QStringLiteral("工程师"),
                                        QStringLiteral("医生"), QStringLiteral("个体经营"),
                                        QStringLiteral("公务员")};
    static const QList<QString> likes = {QStringLiteral("生鲜"), QStringLiteral("进口零食"),
                                         QStringLiteral("母婴用品"), QStringLiteral("酒水饮料")};
    TParamObject p;
    p.Add(QStringLiteral("@IDFlag"), 6);
    p.Add(QStringLiteral("@cardid"), cardId);
    p.Add(QStringLiteral("@C0"), m_random.pick(jobs));
    p.Add(QStringLiteral("@C1"), QString::number(m_random.between(1, 6)));
    p.Add(QStringLiteral("@C2"), m_random.chance(60) ? m_random.pick(likes) : QString());
    for (int i = 3; i < 20; ++i)
        p.Add(QStringLiteral("@C%1").arg(i), QString());
    call(QStringLiteral("P_VipCustomChange"), p);
}

void DemoMembers::backdate(int cardId, const QDate& day) {
    for (const char* table : {"VipChangeInfo", "VipCzChange"})
        m_db.execute(
            QStringLiteral("UPDATE %1 SET ChangeDate = ? WHERE Vipcardid = ?").arg(QLatin1String(table)),
            {during(m_random, day), cardId});
}

DemoMembers::Introducer* DemoMembers::introducerFor(const QDate& issued) {
    QList<Introducer*> due;
    for (Introducer& introducer : m_introducers) {
        if (introducer.issued <= issued &&
            (introducer.days == 0 || issued <= introducer.issued.addDays(introducer.days)) &&
            (introducer.limit == 0 || introducer.introduced < introducer.limit))
            due.append(&introducer);
    }
    return due.isEmpty() ? nullptr : m_random.pick(due);
}

void DemoMembers::fill(const DemoStores& stores, const DemoCardTypes& types, const DemoAccounts& accounts,
                       const DemoUsers& users) {
    static const QList<QString> comments = {QStringLiteral("老顾客"), QStringLiteral("喜欢进口零食"),
                                            QStringLiteral("周末常来"), QStringLiteral("团购客户"),
                                            QStringLiteral("需要开具发票")};
    defineCustomFields();
    const auto userCode = [&](int rec) {
        return m_db.scalar(QStringLiteral("SELECT UserCode FROM loginuser WHERE rec = ?"), {rec}).toString();
    };
    for (int i = 0; i < Count; ++i) {
        const DemoCardTypes::Type& type = types.pick(m_random);
        const bool activated = m_random.chance(92);
        QList<int> storeChoice = type.stores;
        if (storeChoice.isEmpty()) {
            for (const DemoStores::Store& store : stores.stores())
                storeChoice.append(store.id);
        }
        const DemoStores::Store& store = stores.store(m_random.pick(storeChoice));
        const QDate issued = m_today.addDays(-m_random.between(0, 3 * 365));
        const QString cardNo = nextCardNumber();

        TParamObject card;
        const QList<std::pair<const char*, QVariant>> blank = {
            {"@EditType", QStringLiteral("I")},
            {"@CardNo", cardNo},
            {"@Name", QString()},
            {"@Tel", QString()},
            {"@Address", QString()},
            {"@Comment", QString()},
            {"@CardType", type.id},
            {"@Discount", type.discount},
            {"@BulidDate", issued},
            {"@ValidityDate", issued.addYears(m_random.pick(QList<int>{1, 2, 3, 5}))},
            {"@Lose", 0},
            {"@StopUse", 0},
            {"@AutoDiscount", type.autoDiscount},
            {"@AutoMemberTotal", type.autoMemberTotal},
            {"@AutoOneOff", 0},
            {"@AutoIntegral", type.autoIntegral},
            {"@Sex", 0},
            {"@Birthday", QString()},
            {"@Identitycard", QString()},
            {"@Email", QString()},
            {"@MediFeedBack", QString()},
            {"@case", QString()},
            {"@buliddate1", QString()},
            {"@validitydate1", QString()},
            {"@searchdate", QString()},
            {"@searchdate1", QString()},
            {"@cardid", m_random.guid()},
            {"@BRec", 0},
            {"@IsLife", 0},
            {"@VIPBarCode",
             m_random.chance(90) ? Ean13::withCheckDigit(QStringLiteral("2900") + cardNo) : QString()},
            {"@JSVIPCardID", 0},
            {"@PosID", 0},
            {"@ERec", users.administrator()},
            {"@ActivePosId", -1},
            {"@BirthType", 0},
            {"@BirthdayCN", QString()},
            {"@IsLeapMonth", 0},
            {"@BuyTotal", 0},
            {"@ljIntegral", 0}};
        for (const auto& [name, value] : blank)
            card.Add(QLatin1String(name), value);

        if (!activated) {
            // Blank cards of a batch run, waiting at the head office for their holders.
            backdate(issue(card), issued);
            continue;
        }

        const bool female = m_random.chance(55);
        const ChineseNames::Name name = ChineseNames::make(m_random, female);
        const bool flagship = store.id == stores.stores().first().id;
        const int user = flagship ? users.cashier() : users.administrator();
        card.Add(QStringLiteral("@Name"), name.fullName);
        card.Add(QStringLiteral("@Tel"), uniqueMobile());
        card.Add(QStringLiteral("@Sex"), female ? 1 : 0);
        card.Add(QStringLiteral("@IsLife"), 1);
        card.Add(QStringLiteral("@ActivePosId"), store.id);
        card.Add(QStringLiteral("@PosID"), store.id);
        card.Add(QStringLiteral("@ERec"), user);
        if (m_random.chance(70))
            card.Add(QStringLiteral("@Address"), address());
        if (m_random.chance(10))
            card.Add(QStringLiteral("@Comment"), m_random.pick(comments));
        if (m_random.chance(6))
            card.Add(QStringLiteral("@BRec"), m_random.pick(accounts.corporateCustomers()));
        if (m_random.chance(92)) {
            const Birthday born = birthday();
            card.Add(QStringLiteral("@Birthday"), born.solar);
            card.Add(QStringLiteral("@BirthdayCN"), born.lunar);
            card.Add(QStringLiteral("@BirthType"), born.lunarEntry);
            card.Add(QStringLiteral("@IsLeapMonth"), born.leapMonth);
            if (m_random.chance(50))
                card.Add(QStringLiteral("@Identitycard"), identityCard(born.date, female));
            if (m_random.chance(25))
                card.Add(QStringLiteral("@Email"), email(name.initials, born.date));
        }
        const int state = m_random.between(1, 100);
        card.Add(QStringLiteral("@Lose"), state <= 3 ? 1 : 0);
        card.Add(QStringLiteral("@StopUse"), state > 97 ? 1 : 0);

        Introducer* introducer = m_random.chance(12) ? introducerFor(issued) : nullptr;
        if (introducer)
            card.Add(QStringLiteral("@JSVIPCardID"), introducer->cardId);

        // Now and then a card number comes back: the lost card was deleted and its
        // number issued again, which only live cards must not share.
        if (m_random.chance(2)) {
            TParamObject old = card;
            old.Add(QStringLiteral("@cardid"), m_random.guid());
            old.Add(QStringLiteral("@BulidDate"), issued.addDays(-m_random.between(30, 400)));
            old.Add(QStringLiteral("@Lose"), 1);
            old.Add(QStringLiteral("@JSVIPCardID"), 0);
            const int oldId = issue(old);
            m_db.execute(QStringLiteral("UPDATE vipcard SET deleted = 1 WHERE id = ?"), {oldId});
            backdate(oldId, old.Value(QStringLiteral("@BulidDate")).toDate());
        }

        const int id = issue(card);
        if (introducer) {
            TParamObject reward;
            reward.Add(QStringLiteral("@CardID"), id);
            reward.Add(QStringLiteral("@PosID"), store.id);
            reward.Add(QStringLiteral("@Erec"), user);
            reward.Add(QStringLiteral("@ChangeType"), 1);
            call(QStringLiteral("kd_VIPAddJSIntegralTotal"), reward);
            ++introducer->introduced;
        }
        const Money spent = addStoredValue(id, type, store, user);
        const Money bought = spent + m_random.amount(0, 20000);
        // Purchases come from the tills, which the editor does not write.
        m_db.execute(QStringLiteral("UPDATE vipcard SET buyTotal = ? WHERE id = ?"),
                     {QVariant::fromValue(bought), id});
        addPoints(cardNo, type, bought, userCode(user), store.id);
        if (type.autoIntegral && type.carriesRemainder)
            m_db.execute(QStringLiteral("UPDATE vipcard SET RemainTotal = ? WHERE id = ?"),
                         {QVariant::fromValue(Money::fromRaw(bought.raw() % PointsUnit.raw())), id});
        if (type.clearsPoints)
            m_db.execute(QStringLiteral("UPDATE vipcard SET ClearDate = ? WHERE id = ?"),
                         {QDateTime(issued, QTime(0, 0)), id});
        if (m_random.chance(40))
            addCustomValues(id);
        backdate(id, issued);
        const bool inGoodStanding = state > 3 && state <= 97;
        if (type.introducerReward > 0 && inGoodStanding)
            m_introducers.append(Introducer{id, issued, type.introducerDays, type.introducerLimit, 0});
    }
}
