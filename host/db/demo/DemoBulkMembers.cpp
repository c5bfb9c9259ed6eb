#include "host/db/demo/DemoBulkMembers.h"

#include "host/data/Database.h"
#include "host/db/demo/ChineseNames.h"
#include "host/db/demo/DemoRandom.h"
#include "host/db/demo/DemoUsers.h"
#include "host/db/demo/Ean13.h"
#include "host/db/procedures/PinyinInitials.h"
#include "host/db/procedures/VipCzLedger.h"
#include "host/sdk/ClientDataSet.h"
#include "host/sdk/DbError.h"
#include "host/sdk/Transaction.h"
#include "host/sdk/VipCodes.h"

#include <QDateTime>
#include <QHash>

namespace {

const QStringList CardColumns = {QStringLiteral("cardid"),
                                 QStringLiteral("CardNo"),
                                 QStringLiteral("VIPBarCode"),
                                 QStringLiteral("Name"),
                                 QStringLiteral("PYZJM"),
                                 QStringLiteral("Tel"),
                                 QStringLiteral("sex"),
                                 QStringLiteral("Birthday"),
                                 QStringLiteral("CardType"),
                                 QStringLiteral("Discount"),
                                 QStringLiteral("AutoDiscount"),
                                 QStringLiteral("AutoMemberTotal"),
                                 QStringLiteral("AutoIntegral"),
                                 QStringLiteral("BulidDate"),
                                 QStringLiteral("ValidityDate"),
                                 QStringLiteral("Lose"),
                                 QStringLiteral("StopUse"),
                                 QStringLiteral("IsLife"),
                                 QStringLiteral("ActivatePosId"),
                                 QStringLiteral("CreatePosId"),
                                 QStringLiteral("Creator"),
                                 QStringLiteral("VipCz"),
                                 QStringLiteral("Cz00"),
                                 QStringLiteral("CzTotal"),
                                 QStringLiteral("Cz"),
                                 QStringLiteral("buyTotal"),
                                 QStringLiteral("ljIntegral"),
                                 QStringLiteral("IntegralTotal")};

const QStringList StoredValueColumns = {QStringLiteral("Vipcardid"),    QStringLiteral("ChangeType"),
                                        QStringLiteral("Amount"),       QStringLiteral("Gift"),
                                        QStringLiteral("BalanceAfter"), QStringLiteral("OpId"),
                                        QStringLiteral("PosId"),        QStringLiteral("ERec"),
                                        QStringLiteral("ChangeDate"),   QStringLiteral("Memo")};

const QStringList PointsColumns = {QStringLiteral("Vipcardid"),   QStringLiteral("ChangeType"),
                                   QStringLiteral("ChangeTotal"), QStringLiteral("Memo"),
                                   QStringLiteral("PosId"),       QStringLiteral("ERec"),
                                   QStringLiteral("ChangeDate")};

const Money PointsUnit = Money::fromUnits(10); // one point per ten yuan spent

// Inserts the rows, whose values follow each other column by column, as few
// statements as the backends' limit on bound values allows. Statements of the
// full size repeat, so the connection prepares each shape once.
void insertRows(Database& db, const QString& table, const QStringList& columns, const QVariantList& values) {
    constexpr int MostValues = 30000;
    const int width = static_cast<int>(columns.size());
    const int perStatement = qMin(500, MostValues / width);
    const QString row =
        QLatin1Char('(') + QStringList(width, QStringLiteral("?")).join(QLatin1Char(',')) + QLatin1Char(')');
    const int rows = static_cast<int>(values.size()) / width;
    for (int first = 0; first < rows; first += perStatement) {
        const int count = qMin(perStatement, rows - first);
        db.execute(QStringLiteral("INSERT INTO %1 (%2) VALUES %3")
                       .arg(table, columns.join(QStringLiteral(", ")),
                            QStringList(count, row).join(QLatin1Char(','))),
                   values.mid(first * width, count * width));
    }
}

// A moment during opening hours of the given day.
QDateTime during(DemoRandom& random, const QDate& day) {
    return QDateTime(day, QTime(random.between(9, 20), random.between(0, 59), random.between(0, 59)));
}

// The share of the cards of some types that must hold something for the given
// share of all cards to hold it.
int shareAmong(const QList<DemoCardTypes::Type>& types, bool (*holds)(const DemoCardTypes::Type&),
               int overallPercent) {
    int all = 0;
    int holding = 0;
    for (const DemoCardTypes::Type& type : types) {
        all += type.weight;
        if (holds(type))
            holding += type.weight;
    }
    return holding == 0 ? 0 : qMin(100, overallPercent * all / holding);
}

} // namespace

QString DemoBulkMembers::uniqueMobile() {
    QString number;
    do {
        number = m_random.mobile();
    } while (m_mobiles.contains(number.toLongLong()));
    m_mobiles.insert(number.toLongLong());
    return number;
}

DemoBulkMembers::Card DemoBulkMembers::makeCard(const DemoCardTypes::Type& type, const DemoStores& stores,
                                                const DemoUsers& users, QVariantList& values) {
    Card card;
    QList<int> storeChoice = type.stores;
    if (storeChoice.isEmpty()) {
        for (const DemoStores::Store& store : stores.stores())
            storeChoice.append(store.id);
    }
    card.storeId = m_random.pick(storeChoice);
    card.user = card.storeId == stores.stores().first().id ? users.cashier() : users.administrator();
    const QDate issued = m_today.addDays(-m_random.between(0, 5 * 365));
    card.issuedAt = during(m_random, issued);
    // Cards come off printed runs, so numbers climb with the odd gap of a spoilt card.
    m_lastCardNumber += m_random.chance(90) ? 1 : m_random.between(2, 5);
    card.cardNo = QString::number(m_lastCardNumber);

    const bool female = m_random.chance(55);
    const ChineseNames::Name name = ChineseNames::make(m_random, female);
    const QDate born = m_today.addYears(-m_random.between(18, 75)).addDays(-m_random.between(0, 364));
    const int state = m_random.between(1, 100);

    // Stored value: an opening balance now and then, a recharge, what was spent of it.
    Money held;
    Money deposits;
    Money opening;
    const auto postValue = [&](int changeType, Money amount, Money gift, const QString& memo) {
        held += amount + gift;
        if (VipCzLedger::isDeposit(changeType))
            deposits += amount + gift;
        if (changeType == StoredValueChange::Opening)
            opening += amount;
        card.storedValue.append({changeType, amount, gift, held, 0, memo});
    };
    const bool storedValue = type.storedValue && m_random.chance(m_storedValuePercent);
    Money spent;
    if (storedValue) {
        if (m_random.chance(30))
            postValue(StoredValueChange::Opening, Money::fromUnits(100 * m_random.between(1, 20)), Money(),
                      QString());
        const Money gift = m_random.chance(30) ? Money::fromUnits(10 * m_random.between(1, 10)) : Money();
        postValue(StoredValueChange::Recharge, Money::fromUnits(100 * m_random.between(1, 30)), gift,
                  QStringLiteral("充值"));
        spent = Money::fromRaw(m_random.between(0, static_cast<int>(held.raw() / 10000)) * 10000LL);
        if (!spent.isZero())
            postValue(StoredValueChange::Purchase, -spent, Money(), QStringLiteral("储值消费"));
    }
    const Money bought = spent + m_random.amount(0, 20000);

    // Points: one per ten yuan bought, some already redeemed. Every card starts with
    // the creation row the card procedure writes.
    card.points.append(
        {PointsChange::CardCreated, {}, {}, {}, 0, QStringLiteral("新建会员卡[%1]").arg(card.cardNo)});
    int earned = 0;
    int redeemed = 0;
    if (type.autoIntegral && m_random.chance(m_pointsPercent)) {
        earned = qMax(1, static_cast<int>(bought.raw() / PointsUnit.raw()));
        redeemed = m_random.between(0, earned / 2);
        card.points.append({PointsChange::Added, {}, {}, {}, earned, QStringLiteral("消费积分")});
        if (redeemed > 0)
            card.points.append(
                {PointsChange::Deducted, {}, {}, {}, -redeemed, QStringLiteral("积分兑换礼品")});
    }

    values << m_random.guid() << card.cardNo
           << (m_random.chance(90) ? Ean13::withCheckDigit(QStringLiteral("2900") + card.cardNo) : QString())
           << name.fullName << PinyinInitials::of(name.fullName) << uniqueMobile() << (female ? 1 : 0)
           << (m_random.chance(92) ? born.toString(QStringLiteral("yyyy-MM-dd")) : QString()) << type.id
           << type.discount << type.autoDiscount << type.autoMemberTotal << type.autoIntegral << issued
           << issued.addYears(m_random.pick(QList<int>{1, 2, 3, 5})) << (state <= 3 ? 1 : 0)
           << (state > 97 ? 1 : 0) << 1 << card.storeId << card.storeId << card.user << (storedValue ? 1 : 0)
           << QVariant::fromValue(opening) << QVariant::fromValue(deposits) << QVariant::fromValue(held)
           << QVariant::fromValue(bought) << earned << earned - redeemed;
    return card;
}

void DemoBulkMembers::writeBatch(int count, const DemoStores& stores, const DemoCardTypes& types,
                                 const DemoUsers& users) {
    QList<Card> cards;
    cards.reserve(count);
    QVariantList values;
    values.reserve(count * CardColumns.size());
    for (int i = 0; i < count; ++i)
        cards.append(makeCard(types.pick(m_random), stores, users, values));

    Transaction transaction(m_db);
    insertRows(m_db, QStringLiteral("vipcard"), CardColumns, values);
    // The numbers of a batch are consecutive and of one length, so one range finds
    // the keys the database gave them.
    ClientDataSet keys;
    m_db.select(QStringLiteral("SELECT id, CardNo FROM vipcard WHERE deleted = 0 AND CardNo BETWEEN ? AND ?"),
                {cards.first().cardNo, cards.last().cardNo}, keys);
    QHash<QString, int> ids;
    ids.reserve(count);
    for (keys.First(); !keys.Eof(); keys.Next())
        ids.insert(keys.FieldByName(QStringLiteral("CardNo")).AsString(),
                   keys.FieldByName(QStringLiteral("id")).AsInteger());
    if (ids.size() != count)
        throw DbError(QStringLiteral("演示会员卡未能全部写入（%1 / %2）。").arg(ids.size()).arg(count));

    QVariantList storedValue;
    QVariantList points;
    for (const Card& card : cards) {
        const int id = ids.value(card.cardNo);
        for (const LedgerRow& row : card.storedValue)
            storedValue << id << row.changeType << QVariant::fromValue(row.amount)
                        << QVariant::fromValue(row.gift) << QVariant::fromValue(row.after)
                        << VipCzLedger::newOperationId() << card.storeId << card.user << card.issuedAt
                        << row.memo;
        for (const LedgerRow& row : card.points)
            points << id << row.changeType << row.points << row.memo << card.storeId << card.user
                   << card.issuedAt;
    }
    insertRows(m_db, QStringLiteral("VipCzChange"), StoredValueColumns, storedValue);
    insertRows(m_db, QStringLiteral("VipChangeInfo"), PointsColumns, points);
    transaction.Commit();
}

void DemoBulkMembers::fill(int count, const DemoStores& stores, const DemoCardTypes& types,
                           const DemoUsers& users, const Progress& progress) {
    m_storedValuePercent = shareAmong(
        types.types(), [](const DemoCardTypes::Type& type) { return type.storedValue; }, 30);
    m_pointsPercent = shareAmong(
        types.types(), [](const DemoCardTypes::Type& type) { return type.autoIntegral != 0; }, 60);
    m_mobiles.reserve(count);
    for (int written = 0; written < count;) {
        const int batch = qMin(Batch, count - written);
        writeBatch(batch, stores, types, users);
        written += batch;
        if (progress && (written % ProgressStep == 0 || written == count))
            progress(written);
    }
}
