#include "host/sdk/VipTypeList.h"
#include "tests/support/TestDatabase.h"
#include "vip/cardtypes/TVipTtypeCash.h"

#include <QTest>

namespace {

using Columns = QList<QPair<QString, QVariant>>;

int insertType(DataModule& data, const Columns& columns) {
    QStringList names;
    QStringList marks;
    QVariantList values;
    for (const auto& [name, value] : columns) {
        names.append(name);
        marks.append(QStringLiteral("?"));
        values.append(value);
    }
    return data.OpenSQLAsInt(QStringLiteral("INSERT INTO viptype (%1) VALUES (%2) RETURNING CTypeId")
                                 .arg(names.join(QLatin1Char(',')), marks.join(QLatin1Char(','))),
                             values);
}

// Every copied column differs from its default and between the two types, so a
// column read from the wrong field or left over from the other type shows.
const Columns goldColumns = {
    {QStringLiteral("TypeName"), QStringLiteral("金卡 O'Neil \"VIP\"")},
    {QStringLiteral("Discount"), 92.5},
    {QStringLiteral("AutoDiscount"), 1},
    {QStringLiteral("automembertotal"), 1},
    {QStringLiteral("UsePtypeDisCount"), 0},
    {QStringLiteral("AutoIntegral"), 0},
    {QStringLiteral("useintegral"), 3},
    {QStringLiteral("XIntegral"), 1.5},
    {QStringLiteral("IfVipPrice"), 0},
    {QStringLiteral("IfVipPriceDisCount"), 0},
    {QStringLiteral("IfPromotionPriceDisCount"), 0},
    {QStringLiteral("UseDisAndVipPrice"), 1},
    {QStringLiteral("UseVipPrice"), 0},
    {QStringLiteral("vipPriceType"), 18},
    {QStringLiteral("IsSaleLimit"), 0},
    {QStringLiteral("EsPriceNotIntegral"), 1},
    {QStringLiteral("CanUseRemainTotal"), 1},
    {QStringLiteral("CanAllPos"), 0},
    {QStringLiteral("CZIntegerType"), 2},
    {QStringLiteral("UseVipDay"), 3},
    {QStringLiteral("VIPDayOrder"), 2},
    {QStringLiteral("DayList"), QStringLiteral("2,5")},
    {QStringLiteral("MonthDayList"), QStringLiteral("1,15,31")},
    {QStringLiteral("vipdayDisCount"), 85},
    {QStringLiteral("WeekVIPDayDisCount"), 90},
    {QStringLiteral("WeekVIPDayXIntegral"), 2.5},
    {QStringLiteral("WeekVIPDayUseDis"), 1},
    {QStringLiteral("WeekVIPDayUseVipPrice"), 0},
    {QStringLiteral("usebirthday"), 2},
    {QStringLiteral("BirthdyDisCount"), 100},
    {QStringLiteral("BirthdyMontyDisCount"), 80},
    {QStringLiteral("BirthdyXIntegral"), 0.0},
    {QStringLiteral("BirthdyMonthXIntegral"), 3.0},
};
const Columns goldStamp = {{QStringLiteral("NotVIPDayFlags"), (1 << 1) | (1 << 4)}, {QStringLiteral("MD"), 5}};

// The other type differs from the first in every column: flags flipped, numbers
// moved, texts changed, so a field left over from the first type shows.
Columns otherThan(const Columns& columns) {
    Columns other;
    for (const auto& [name, value] : columns) {
        if (value.typeId() == QMetaType::QString)
            other.append({name, value.toString() + QStringLiteral("乙")});
        else if (value.typeId() == QMetaType::Int)
            other.append({name, value.toInt() <= 1 ? 1 - value.toInt() : value.toInt() + 1});
        else
            other.append({name, value.toDouble() + 1});
    }
    return other;
}

struct Switches {
    bool discount, vipPrice, integral, ptypeDiscount;
    bool operator==(const Switches&) const = default;
};

Switches switchesOf(const TVipTypeList& r) {
    return {r.NotVipDayDisCount, r.NotVipDayVipPrice, r.NotVipDayIntegral, r.NotVipDayPtypeDisCount};
}

// The record's fields under the names of the columns they come from; flags as 0/1.
QHash<QString, QVariant> fieldsByColumn(const TVipTypeList& r) {
    return {{QStringLiteral("TypeName"), r.TypeName},
            {QStringLiteral("Discount"), r.Discount},
            {QStringLiteral("AutoDiscount"), int(r.AutoDiscount)},
            {QStringLiteral("automembertotal"), int(r.automembertotal)},
            {QStringLiteral("UsePtypeDisCount"), int(r.UsePtypeDisCount)},
            {QStringLiteral("AutoIntegral"), int(r.AutoIntegral)},
            {QStringLiteral("useintegral"), r.UseIntegral},
            {QStringLiteral("XIntegral"), r.XIntegral},
            {QStringLiteral("IfVipPrice"), int(r.IfVipPrice)},
            {QStringLiteral("IfVipPriceDisCount"), int(r.IfVipPriceDisCount)},
            {QStringLiteral("IfPromotionPriceDisCount"), int(r.IfPromotionPriceDisCount)},
            {QStringLiteral("UseDisAndVipPrice"), int(r.UseDisAndVipPrice)},
            {QStringLiteral("UseVipPrice"), int(r.UseVipPrice)},
            {QStringLiteral("vipPriceType"), r.vipPriceType},
            {QStringLiteral("IsSaleLimit"), int(r.IsSaleLimit)},
            {QStringLiteral("EsPriceNotIntegral"), int(r.EsPriceNotIntegral)},
            {QStringLiteral("CanUseRemainTotal"), int(r.CanUseRemainTotal)},
            {QStringLiteral("CanAllPos"), int(r.CanAllPos)},
            {QStringLiteral("CZIntegerType"), r.CZIntegerType},
            {QStringLiteral("UseVipDay"), r.UseVipDay},
            {QStringLiteral("VIPDayOrder"), r.VIPDayOrder},
            {QStringLiteral("DayList"), r.DayList},
            {QStringLiteral("MonthDayList"), r.MonthDayList},
            {QStringLiteral("vipdayDisCount"), r.vipdayDisCount},
            {QStringLiteral("WeekVIPDayDisCount"), r.WeekVIPDayDisCount},
            {QStringLiteral("WeekVIPDayXIntegral"), r.WeekVIPDayXIntegral},
            {QStringLiteral("WeekVIPDayUseDis"), int(r.WeekVIPDayUseDis)},
            {QStringLiteral("WeekVIPDayUseVipPrice"), int(r.WeekVIPDayUseVipPrice)},
            {QStringLiteral("usebirthday"), r.usebirthday},
            {QStringLiteral("BirthdyDisCount"), r.BirthdyDisCount},
            {QStringLiteral("BirthdyMontyDisCount"), r.BirthdyMontyDisCount},
            {QStringLiteral("BirthdyXIntegral"), r.BirthdyXIntegral},
            {QStringLiteral("BirthdyMonthXIntegral"), r.BirthdyMonthXIntegral}};
}

// Every stored column must come back as stored.
void compareWithColumns(const TVipTypeList& record, const Columns& stored) {
    const QHash<QString, QVariant> fields = fieldsByColumn(record);
    int compared = 0;
    for (const auto& [column, value] : stored) {
        QVERIFY2(fields.contains(column), qPrintable(column));
        const QString have = fields.value(column).toString();
        QVERIFY2(have == value.toString(), qPrintable(column + QStringLiteral(": ") + have));
        ++compared;
    }
    QCOMPARE(compared, int(fields.size()));
}

} // namespace

class VipTtypeCashTest : public QObject {
    Q_OBJECT

private slots:
    void recordIsFilledFromTheDatabase() {
        TestDatabase db;
        const int gold = insertType(db.data(), goldColumns + goldStamp);
        // Bits 0 and 3 are neighbours of the switches and must not be taken for them.
        const Columns silverColumns = otherThan(goldColumns);
        const int silver = insertType(db.data(), silverColumns + Columns{{QStringLiteral("NotVIPDayFlags"),
                                                                          (1 << 0) | (1 << 2) | (1 << 3) | (1 << 6)},
                                                                         {QStringLiteral("MD"), 9}});
        const int gone = insertType(db.data(), {{QStringLiteral("TypeName"), QStringLiteral("旧卡")},
                                                {QStringLiteral("deleted"), 1}});
        TVipTtypeCash cache;

        const TVipTypeList g = cache.GetVipTypeList(gold, 0);
        QCOMPARE(g.CTypeId, gold);
        compareWithColumns(g, goldColumns);
        QCOMPARE(switchesOf(g), (Switches{true, false, true, false}));

        // The same cache serves the other type without a trace of the first.
        const TVipTypeList s = cache.GetVipTypeList(silver, 0);
        QCOMPARE(s.CTypeId, silver);
        compareWithColumns(s, silverColumns);
        QCOMPARE(switchesOf(s), (Switches{false, true, false, true}));

        // A deleted type and an unknown id give an empty record, not the last one.
        for (int missing : {gone, silver + gone + 1000}) {
            const TVipTypeList none = cache.GetVipTypeList(missing, 0);
            QCOMPARE(none.CTypeId, 0);
            QCOMPARE(none.TypeName, QString());
            QCOMPARE(none.Discount, 0.0);
            QCOMPARE(switchesOf(none), (Switches{false, false, false, false}));
        }
    }

    void changeStampDecidesWhenToReadAgain() {
        TestDatabase db;
        const int gold = insertType(db.data(), goldColumns + goldStamp);
        TVipTtypeCash cache;
        QCOMPARE(cache.GetVipTypeList(gold, 5).Discount, 92.5);
        const auto save = [&](const QVariantList& flagsStampAndName) {
            db.data().ExecuteSQL(QStringLiteral("UPDATE viptype SET Discount = Discount - 1, NotVIPDayFlags = ?, "
                                                "MD = ?, TypeName = ? WHERE CTypeId = ?"),
                                 flagsStampAndName + QVariantList{gold});
        };

        // The type is saved elsewhere: new rules, new stamp.
        save({1 << 6, 6, QStringLiteral("金卡二代")});
        // Stamp 0 trusts the cache, and so does the stamp the cache already holds.
        QCOMPARE(cache.GetVipTypeList(gold, 0).Discount, 92.5);
        QCOMPARE(cache.GetVipTypeList(gold, 5).Discount, 92.5);
        // The caller's newer stamp makes the cache read the types again, and the new
        // row is then the cached one for a zero stamp too.
        const TVipTypeList fresh = cache.GetVipTypeList(gold, 6);
        QCOMPARE(fresh.Discount, 91.5);
        QCOMPARE(fresh.TypeName, QStringLiteral("金卡二代"));
        QCOMPARE(cache.GetVipTypeList(gold, 0).Discount, 91.5);

        // A type created after the cache was read: a zero stamp cannot know about it,
        // the caller's stamp can.
        const int bronze = insertType(db.data(), {{QStringLiteral("TypeName"), QStringLiteral("铜卡")},
                                                  {QStringLiteral("Discount"), 99.0},
                                                  {QStringLiteral("MD"), 7}});
        QCOMPARE(cache.GetVipTypeList(bronze, 0).CTypeId, 0);
        QCOMPARE(cache.GetVipTypeList(bronze, 7).CTypeId, bronze);
        QCOMPARE(cache.GetVipTypeList(bronze, 0).Discount, 99.0);

        // Each switch reads its own bit of the flags, and no other bit turns one on.
        const QList<QPair<int, Switches>> cases = {
            {0, {false, false, false, false}}, {1, {true, false, false, false}},
            {2, {false, true, false, false}},  {3, {false, false, false, false}},
            {4, {false, false, true, false}},  {5, {false, false, false, false}},
            {6, {false, false, false, true}},  {7, {false, false, false, false}},
            {-1, {true, true, true, true}},
        };
        int stamp = 7;
        for (const auto& [bit, expected] : cases) {
            save({bit < 0 ? 0xFF : 1 << bit, ++stamp, QStringLiteral("金卡")});
            QVERIFY2(switchesOf(cache.GetVipTypeList(gold, stamp)) == expected, qPrintable(QString::number(bit)));
        }
    }
};

QTEST_GUILESS_MAIN(VipTtypeCashTest)
#include "tst_VipTtypeCash.moc"
