#include "host/db/demo/DemoServiceUses.h"

#include "host/data/Database.h"
#include "host/data/StoredProcedure.h"
#include "host/db/demo/DemoRandom.h"
#include "host/db/demo/DemoRow.h"
#include "host/sdk/ClientDataSet.h"
#include "host/sdk/DbError.h"
#include "host/sdk/Money.h"
#include "host/sdk/VipCodes.h"

#include <QDateTime>
#include <QUuid>

namespace {

constexpr int CardsSold = 24;

QString newId() {
    return QUuid::createUuid().toString(QUuid::WithoutBraces);
}

int run(Database& db, const QString& procedure, TParamObject& params) {
    return ProcedureRegistry::run(db, procedure, params, params, nullptr);
}

} // namespace

DemoServiceUses::DemoServiceUses(Database& db, DemoRandom& random, const QDate& today)
    : m_db(db)
    , m_random(random)
    , m_today(today) {}

int DemoServiceUses::addItem(const char* typeId, const char* code, const char* name, qint64 listPriceUnits,
                             int startTimes, int discountType) {
    const int prec = DemoRow(QStringLiteral("ptype"))
                         .set(QStringLiteral("typeId"), QString::fromLatin1(typeId))
                         .set(QStringLiteral("parid"), QStringLiteral("00090"))
                         .set(QStringLiteral("UserCode"), QString::fromLatin1(code))
                         .set(QStringLiteral("FullName"), QString::fromUtf8(name))
                         .insert(m_db, QStringLiteral("rec"));
    DemoRow(QStringLiteral("VipService"))
        .set(QStringLiteral("prec"), prec)
        .set(QStringLiteral("startTimes"), startTimes)
        .set(QStringLiteral("oncePrice"), QVariant::fromValue(Money::fromUnits(listPriceUnits)))
        .set(QStringLiteral("discountType"), discountType)
        .set(QStringLiteral("CreatedAt"), QDateTime(m_today, QTime(9, 0)))
        .insert(m_db);
    return prec;
}

void DemoServiceUses::addRule(int prec, int buyTimes, qint64 priceUnits, int gainTimes, int validityDays) {
    DemoRow(QStringLiteral("VipServiceRule"))
        .set(QStringLiteral("prec"), prec)
        .set(QStringLiteral("buyTimes"), buyTimes)
        .set(QStringLiteral("oncePrice"), QVariant::fromValue(Money::fromUnits(priceUnits)))
        .set(QStringLiteral("gainTimes"), gainTimes)
        .set(QStringLiteral("ValidityDays"), validityDays)
        .insert(m_db);
}

// A sale priced by the ladder, or a consumption, saved as the dialogs save it.
int DemoServiceUses::save(const QString& cardNo, int changeType, int prec, int count, int accountRec) {
    const QString batch = newId();
    TParamObject price;
    price.Add(QStringLiteral("@pRec"), prec);
    price.Add(QStringLiteral("@buyTimes"), count);
    run(m_db, QStringLiteral("kd_GetVipServicePrice"), price);
    const Money oncePrice = price.AsMoney(QStringLiteral("@oncePrice"));
    TParamObject row;
    row.Add(QStringLiteral("@id"), batch);
    row.Add(QStringLiteral("@ordId"), 1);
    row.Add(QStringLiteral("@pRec"), prec);
    row.Add(QStringLiteral("@buyTimes"), count);
    row.Add(QStringLiteral("@oncePrice"), QVariant::fromValue(oncePrice));
    row.Add(QStringLiteral("@gainTimes"), price.AsInteger(QStringLiteral("@gainTimes")));
    row.Add(QStringLiteral("@ValidityPeriod"), price.AsString(QStringLiteral("@ValidityPeriod")));
    if (run(m_db, QStringLiteral("XF_CzServiceDetailTmpInsert"), row) != 0)
        throw DbError(QStringLiteral("演示服务项目明细未能写入。"));
    const bool sale = changeType == StoredValueChange::ServiceSale;
    TParamObject main;
    main.Add(QStringLiteral("@tmpID"), batch);
    main.Add(QStringLiteral("@CardNo"), cardNo);
    main.Add(QStringLiteral("@ChangeType"), QString::number(changeType));
    main.Add(QStringLiteral("@Total"), QVariant::fromValue(sale ? oncePrice * count : Money()));
    main.Add(QStringLiteral("@ERec"), 0);
    main.Add(QStringLiteral("@ARec"), QString::number(accountRec));
    main.Add(QStringLiteral("@Posid"), 0);
    main.Add(QStringLiteral("@Memo"), sale ? QStringLiteral("疗程卡") : QStringLiteral("到店服务"));
    main.Add(QStringLiteral("@szDate"), m_today.toString(QStringLiteral("yyyy-MM-dd")));
    main.Add(QStringLiteral("@giftTotal"), 0);
    main.Add(QStringLiteral("@UniqueBillid"), newId());
    return run(m_db, QStringLiteral("XF_CzServiceMainInsert"), main);
}

QList<int> DemoServiceUses::items() {
    ClientDataSet found;
    m_db.select(QStringLiteral("SELECT prec FROM VipService ORDER BY prec LIMIT 2"), {}, found);
    QList<int> precs;
    for (found.First(); !found.Eof(); found.Next())
        precs.append(found.FieldByName(QStringLiteral("prec")).AsInteger());
    if (!precs.isEmpty())
        return precs;
    DemoRow(QStringLiteral("ptype"))
        .set(QStringLiteral("typeId"), QStringLiteral("00090"))
        .set(QStringLiteral("parid"), QStringLiteral("00000"))
        .set(QStringLiteral("sonnum"), 2)
        .set(QStringLiteral("UserCode"), QStringLiteral("90"))
        .set(QStringLiteral("FullName"), QStringLiteral("服务项目"))
        .insert(m_db);
    // A course of foot care: cheaper by ten, cheaper still by twenty with a year to use it.
    const int footCare = addItem("0009000001", "FW001", "足部护理", 50, 1, 1);
    addRule(footCare, 10, 45, 1, -1);
    addRule(footCare, 20, 40, 3, 365);
    // Car washes sold five at least, two more given once for ten.
    const int carWash = addItem("0009000002", "FW002", "汽车精洗", 30, 5, 2);
    addRule(carWash, 10, 25, 2, 180);
    return {footCare, carWash};
}

void DemoServiceUses::fill() {
    const QList<int> precs = items();
    const auto accountOf = [&](const char* typeId) {
        return m_db
            .scalar(QStringLiteral("SELECT rec FROM atype WHERE typeId = ?"), {QString::fromLatin1(typeId)})
            .toInt();
    };
    const int cash = accountOf(ServiceAccount::SaleDefault);
    const int storedValue = accountOf(ServiceAccount::MemberStoredValue);
    ClientDataSet cards;
    m_db.select(QStringLiteral("SELECT CardNo FROM vipcard WHERE deleted = 0 AND IsLife = 1 AND Lose = 0 AND "
                               "StopUse = 0 AND VipCz = 1 AND VipCzService = 1 ORDER BY id LIMIT ?"),
                {CardsSold}, cards);
    for (cards.First(); !cards.Eof(); cards.Next()) {
        const QString cardNo = cards.FieldByName(QStringLiteral("CardNo")).AsString();
        const int prec = m_random.chance(60) ? precs.first() : precs.last();
        // Past every item's least purchase, often across a step of its ladder.
        const int count = 10 * m_random.between(1, 3);
        // Now and then paid from the card's stored value; a balance that does not
        // cover it is paid in cash.
        int result =
            m_random.chance(30) ? save(cardNo, StoredValueChange::ServiceSale, prec, count, storedValue) : -2;
        if (result == -2)
            result = save(cardNo, StoredValueChange::ServiceSale, prec, count, cash);
        if (result != 0)
            throw DbError(QStringLiteral("演示会员卡 %1 的服务项目未能售出（%2）。").arg(cardNo).arg(result));
        for (int visits = m_random.between(0, 3); visits > 0; --visits)
            if (save(cardNo, StoredValueChange::ServiceConsumption, prec, 1, 0) != 0)
                throw DbError(QStringLiteral("演示会员卡 %1 的服务消费未能写入。").arg(cardNo));
    }
}
