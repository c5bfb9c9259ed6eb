#include "host/sdk/VipTypeList.h"
#include "tests/support/RunTogether.h"
#include "tests/support/TestDatabase.h"
#include "tests/support/TestRows.h"
#include "vip/cardtypes/TVipTtypeCash.h"
#include "vip/cardtypes/VipCardTypeStore.h"

#include <QSet>
#include <QTest>

namespace {

using TestRows::Columns;

// The switches that read single bits of NotVIPDayFlags, as the record's last "column".
QVariant switches(bool discount, bool vipPrice, bool integral, bool ptypeDiscount) {
    return QStringList{QString::number(discount), QString::number(vipPrice), QString::number(integral),
                       QString::number(ptypeDiscount)};
}

// The record's fields under the names of the columns they come from.
Columns fieldsByColumn(const TVipTypeList& r) {
    // clang-format off
    return {
        {"TypeName", r.TypeName}, {"Discount", r.Discount}, {"AutoDiscount", r.AutoDiscount},
        {"automembertotal", r.automembertotal}, {"UsePtypeDisCount", r.UsePtypeDisCount},
        {"AutoIntegral", r.AutoIntegral}, {"useintegral", r.UseIntegral}, {"XIntegral", r.XIntegral},
        {"IfVipPrice", r.IfVipPrice}, {"IfVipPriceDisCount", r.IfVipPriceDisCount},
        {"IfPromotionPriceDisCount", r.IfPromotionPriceDisCount}, {"UseDisAndVipPrice", r.UseDisAndVipPrice},
        {"UseVipPrice", r.UseVipPrice}, {"vipPriceType", r.vipPriceType}, {"IsSaleLimit", r.IsSaleLimit},
        {"EsPriceNotIntegral", r.EsPriceNotIntegral}, {"CanUseRemainTotal", r.CanUseRemainTotal},
        {"CanAllPos", r.CanAllPos}, {"CZIntegerType", r.CZIntegerType}, {"UseVipDay", r.UseVipDay},
        {"VIPDayOrder", r.VIPDayOrder}, {"DayList", r.DayList}, {"MonthDayList", r.MonthDayList},
        {"vipdayDisCount", r.vipdayDisCount}, {"WeekVIPDayDisCount", r.WeekVIPDayDisCount},
        {"WeekVIPDayXIntegral", r.WeekVIPDayXIntegral}, {"WeekVIPDayUseDis", r.WeekVIPDayUseDis},
        {"WeekVIPDayUseVipPrice", r.WeekVIPDayUseVipPrice}, {"usebirthday", r.usebirthday},
        {"BirthdyDisCount", r.BirthdyDisCount}, {"BirthdyMontyDisCount", r.BirthdyMontyDisCount},
        {"BirthdyXIntegral", r.BirthdyXIntegral}, {"BirthdyMonthXIntegral", r.BirthdyMonthXIntegral},
        {"NotVIPDayFlags", switches(r.NotVipDayDisCount, r.NotVipDayVipPrice, r.NotVipDayIntegral,
                                        r.NotVipDayPtypeDisCount)}};
    // clang-format on
}

// A value for every copied column that no other column of the type holds and that
// differs between seeds, so a column read from the wrong field or left over from
// the other type shows; flags are on for one seed and off for the next.
Columns distinctColumns(int seed) {
    Columns columns;
    const Columns fields = fieldsByColumn(TVipTypeList());
    for (int i = 0; i < fields.size() - 1; ++i) {
        const auto& [name, blank] = fields[i];
        if (blank.typeId() == QMetaType::Bool)
            columns.append({name, (seed + i) % 2 == 1});
        else if (blank.typeId() == QMetaType::Int)
            columns.append({name, seed * 100 + i});
        else if (blank.typeId() == QMetaType::Double)
            columns.append({name, seed * 100 + i + 0.25});
        else
            columns.append({name, QStringLiteral("卡'\"%1-%2").arg(seed).arg(i)});
    }
    return columns;
}

// A type whose row is all in 'columns', its name and discount included.
int insertType(DataModule& data, const Columns& columns) {
    return TestRows::addCardType(data, QString(), 100.0, columns);
}

void compare(const TVipTypeList& record, const Columns& expected) {
    const Columns fields = fieldsByColumn(record);
    QCOMPARE(fields.size(), expected.size());
    for (int i = 0; i < fields.size(); ++i)
        QVERIFY2(fields[i].second == expected[i].second,
                 qPrintable(fields[i].first + QStringLiteral(": ") + fields[i].second.toString()));
}

} // namespace

class VipTtypeCashTest : public QObject {
    Q_OBJECT

private slots:
    void recordIsFilledFromTheDatabase() {
        TestDatabase db;
        const Columns goldColumns = distinctColumns(1);
        const Columns silverColumns = distinctColumns(2);
        const int gold =
            insertType(db.data(), goldColumns + Columns{{"NotVIPDayFlags", (1 << 1) | (1 << 4)}});
        // Bits 0 and 3 are neighbours of the switches and must not be taken for them.
        const int silver =
            insertType(db.data(), silverColumns +
                                      Columns{{"NotVIPDayFlags", (1 << 0) | (1 << 2) | (1 << 3) | (1 << 6)}});
        const int gone = TestRows::addCardType(db.data(), QStringLiteral("旧卡"), 100.0, {{"deleted", 1}});
        TVipTtypeCash cache;

        const TVipTypeList g = cache.GetVipTypeList(gold, 0);
        QCOMPARE(g.CTypeId, gold);
        compare(g, goldColumns + Columns{{"", switches(true, false, true, false)}});

        // The same cache serves the other type without a trace of the first.
        const TVipTypeList s = cache.GetVipTypeList(silver, 0);
        QCOMPARE(s.CTypeId, silver);
        compare(s, silverColumns + Columns{{"", switches(false, true, false, true)}});

        // A deleted type and an unknown id give an empty record, not the last one.
        for (int missing : {gone, silver + gone + 1000}) {
            const TVipTypeList none = cache.GetVipTypeList(missing, 0);
            QCOMPARE(none.CTypeId, 0);
            compare(none, fieldsByColumn(TVipTypeList()));
        }
    }

    void changeStampDecidesWhenToReadAgain() {
        TestDatabase db;
        const int gold = TestRows::addCardType(db.data(), QStringLiteral("金卡"), 92.5, {{"MD", 5}});
        TVipTtypeCash cache;
        QCOMPARE(cache.GetVipTypeList(gold, 5).Discount, 92.5);
        const auto save = [&](const QVariantList& flagsStampAndName) {
            db.data().ExecuteSQL(
                QStringLiteral("UPDATE viptype SET Discount = Discount - 1, NotVIPDayFlags = ?, "
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
        const int bronze = TestRows::addCardType(db.data(), QStringLiteral("铜卡"), 99.0, {{"MD", 7}});
        QCOMPARE(cache.GetVipTypeList(bronze, 0).CTypeId, 0);
        QCOMPARE(cache.GetVipTypeList(bronze, 7).CTypeId, bronze);
        QCOMPARE(cache.GetVipTypeList(bronze, 0).Discount, 99.0);

        // Each switch reads its own bit of the flags, and no other bit turns one on.
        const QList<QPair<int, QVariant>> cases = {
            {0, switches(false, false, false, false)}, {1, switches(true, false, false, false)},
            {2, switches(false, true, false, false)},  {3, switches(false, false, false, false)},
            {4, switches(false, false, true, false)},  {5, switches(false, false, false, false)},
            {6, switches(false, false, false, true)},  {7, switches(false, false, false, false)},
            {-1, switches(true, true, true, true)},
        };
        int stamp = 7;
        for (const auto& [bit, expected] : cases) {
            save({bit < 0 ? 0xFF : 1 << bit, ++stamp, QStringLiteral("金卡")});
            QVERIFY2(fieldsByColumn(cache.GetVipTypeList(gold, stamp)).last().second == expected,
                     qPrintable(QString::number(bit)));
        }
    }

    // Users saving card types at the same moment, each on a connection of their own,
    // never get the same stamp; a bill holding any type's latest stamp gets that
    // type's latest rules from a cache read before all of it.
    void typesSavedAtOnceGetStampsOfTheirOwn() {
        TestDatabase db;
        db.data().ExecuteSQL(
            QStringLiteral("INSERT INTO pricelist (PriceMode, PriceName) VALUES (17, '会员价')"));
        constexpr int Writers = 4;
        constexpr int Saves = 12;
        const auto settings = [](int writer, int save) {
            VipCardTypeSettings s;
            s.name = QStringLiteral("卡%1").arg(writer);
            s.mode = VipCardTypeSettings::MemberDiscount;
            s.rate = 50 + save;
            return s;
        };
        std::vector<int> types;
        for (int writer = 0; writer < Writers; ++writer)
            types.push_back(VipCardTypeStore(db.data()).Save(settings(writer, 0)));
        TVipTtypeCash cache;
        for (int type : types)
            QCOMPARE(cache.GetVipTypeList(type, 0).Discount, 50.0);

        // Plain vectors: each writer fills its own, with no shared copies to detach.
        std::vector<std::vector<qint64>> stamps(Writers);
        const QStringList errors = RunTogether(db, Writers, [&](DataModule& data, int writer) {
            for (int save = 1; save <= Saves; ++save) {
                VipCardTypeSettings s = settings(writer, save);
                s.typeId = types[writer];
                VipCardTypeStore(data).Save(s);
                stamps[writer].push_back(
                    data.OpenSQLAsStr(QStringLiteral("SELECT MD FROM viptype WHERE CTypeId = ?"), {s.typeId})
                        .toLongLong());
            }
        });
        QVERIFY2(errors.isEmpty(), qPrintable(errors.join(QLatin1Char('\n'))));

        QSet<qint64> distinct;
        for (int writer = 0; writer < Writers; ++writer) {
            QCOMPARE(int(stamps[writer].size()), Saves);
            for (qint64 stamp : stamps[writer])
                distinct.insert(stamp);
        }
        QCOMPARE(int(distinct.size()), Writers * Saves);
        for (int writer = 0; writer < Writers; ++writer) {
            const TVipTypeList& rules = cache.GetVipTypeList(types[writer], stamps[writer].back());
            QCOMPARE(rules.Discount, 50.0 + Saves);
        }
    }
};

QTEST_GUILESS_MAIN(VipTtypeCashTest)
#include "tst_VipTtypeCash.moc"
