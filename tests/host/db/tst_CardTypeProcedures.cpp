#include "host/sdk/DataModule.h"
#include "host/sdk/DbError.h"
#include "tests/support/DbProbe.h"
#include "tests/support/RunTogether.h"
#include "tests/support/TestDatabase.h"
#include "tests/support/TestRows.h"

#include <QTest>
#include <algorithm>
#include <barrier>
#include <numeric>

namespace {

// The 58 parameters of a card type as the card type dialog sends them, for a
// member-discount type that applies everywhere; the settings not named are off.
TParamObject typeParams(int typeId, const QString& name) {
    TParamObject p;
    const QList<QPair<QString, QVariant>> values = {
        {"@CTypeId", typeId},       {"@TypeName", name}, {"@Discount", 95.0},      {"@CanAllPos", 1},
        {"@ChangeIntegralPos", -1}, {"@IsSaleLimit", 1}, {"@AutoDiscount", 1},     {"@AutoIntegral", 1},
        {"@vipPriceType", 17},      {"@RepeatNum", 2},   {"@IsCZPreferential", 1}, {"@FixedDiscount", 1},
        {"@FixedIntegral", 1}};
    for (const auto& [key, value] : values)
        p.Add(key, value);
    for (const char* empty : {"@Comment", "@DayList", "@MonthDayList"})
        p.Add(QLatin1String(empty), QString());
    const QString off = QStringLiteral(
        "@CanUseRemainTotal @UseVipDay @UseDisAndVipPrice @XIntegral @automembertotal @IfVipPrice "
        "@IfVipPriceDisCount @IfPromotionPriceDisCount @UsePtypeDisCount @EsPriceNotIntegral "
        "@vipdayDisCount @usebirthday @useintegral @UseVipPrice @BirthdyDisCount @BirthdyXIntegral "
        "@BirthdyMontyDisCount @BirthdyMonthXIntegral @IsOnlyJS @IsIntroduceJS @IntroduceJSLimitNum "
        "@IntroducerJS @NewMemberJS @IntroducerJSPer @LimitDays @WeekVIPDayDisCount "
        "@WeekVIPDayXIntegral @WeekVIPDayUseVipPrice @NotVIPDayFlags @WeekVIPDayUseDis @VIPDayOrder "
        "@StepIntegral @PosRange @IsCZService @TimesIntegral @PtypeIntegral @PtypePTIntegral "
        "@ClearIntegral @ClearCycle @IntroducerJSgainType @IntroducerJSfirstPer @CZIntegerType");
    for (const QString& key : off.split(QLatin1Char(' ')))
        p.Add(key, 0);
    return p;
}

int saveType(int typeId, const QString& name, double discount = 95.0) {
    TParamObject p = typeParams(typeId, name);
    p.Add(QStringLiteral("@Discount"), discount);
    return dmClient().ExecuteProcByName(QStringLiteral("Y_InsVipType"), p);
}

// A save from a copy of the type read with that change stamp.
int saveRead(DataModule& data, int typeId, qint64 stamp, double introducerPoints = 0) {
    TParamObject p = typeParams(typeId, QStringLiteral("金卡"));
    p.Add(QStringLiteral("@IntroducerJS"), introducerPoints);
    p.Add(QStringLiteral("@MD"), stamp);
    return data.ExecuteProcByName(QStringLiteral("Y_InsVipType"), p);
}

int call(const QString& procedure, const QStringList& names, const QVariantList& values) {
    return dmClient().ExecuteProcByName(procedure, names, values);
}

void addStores() {
    dmClient().ExecuteSQL(
        QStringLiteral("INSERT INTO pricelist (PriceMode, PriceName) VALUES (17, '会员价')"));
    TestRows::addStores(
        dmClient(),
        {{.code = QStringLiteral("01"), .name = QStringLiteral("中山路店"), .connectType = 0, .rowIndex = 1},
         {.code = QStringLiteral("02"), .name = QStringLiteral("解放路店"), .connectType = 1, .rowIndex = 2},
         {.code = QStringLiteral("03"), .name = QStringLiteral("滨江店"), .connectType = 1, .rowIndex = 3}});
}

int deleteType(int typeId, const QString& editType = QStringLiteral("D")) {
    return call(QStringLiteral("Y_InsVipAuto"), {"@edittype", "@cardbz", "@Autoid"}, {editType, "1", typeId});
}

QString typeValue(const QString& column, int typeId) {
    return dmClient().OpenSQLAsStr(QStringLiteral("SELECT %1 FROM viptype WHERE CTypeId = ?").arg(column),
                                   {typeId});
}

qint64 stamp(int typeId) {
    return typeValue(QStringLiteral("MD"), typeId).toLongLong();
}

// A stored-value card whose value is kept at 'storedValueStore'.
int addCard(int typeId, const QString& number, int storedValueStore, bool deleted = false) {
    return TestRows::addCard(dmClient(), {.cardNo = number,
                                          .cardType = typeId,
                                          .storeId = storedValueStore,
                                          .storedValue = true,
                                          .deleted = deleted});
}

} // namespace

class CardTypeProceduresTest : public QObject {
    Q_OBJECT

private slots:
    void typesAreSavedWithUniqueLiveNamesAndAMovingStamp() {
        TestDatabase db;
        addStores();
        const QString hostile = QStringLiteral("金卡'; drop table--");
        const int gold = saveType(0, hostile);
        QVERIFY(gold > 0);
        QCOMPARE(typeValue(QStringLiteral("TypeName"), gold), hostile);
        const qint64 first = stamp(gold);
        QVERIFY(first > 0);

        const int silver = saveType(0, QStringLiteral("银卡"));
        QCOMPARE(saveType(0, hostile), -3);
        QCOMPARE(saveType(silver, hostile), -3);
        QCOMPARE(DbProbe::count(dmClient(), QStringLiteral("viptype")), 2);

        QCOMPARE(saveType(gold, hostile, 88.0), gold);
        QCOMPARE(typeValue(QStringLiteral("Discount"), gold), QStringLiteral("88"));
        QVERIFY(stamp(gold) > first);
        QVERIFY(stamp(gold) > stamp(silver));

        // A stamp written without the procedures (an import) is never handed out again.
        TestRows::addCardType(dmClient(), QStringLiteral("导入卡"), 100.0, {{QStringLiteral("MD"), 1000}});
        QCOMPARE(saveType(silver, QStringLiteral("银卡"), 90.0), silver);
        QVERIFY(stamp(silver) > 1000);

        // A type deleted once is not deleted again, nor by another kind of edit (the
        // list window's delete covers a type that cards use).
        QCOMPARE(deleteType(silver), 0);
        QCOMPARE(deleteType(silver), -1);
        QCOMPARE(deleteType(silver, QStringLiteral("I")), -1);
        // A deleted type frees its name and can no longer be changed.
        QCOMPARE(saveType(silver, QStringLiteral("银卡")), -1);
        QVERIFY(saveType(0, QStringLiteral("银卡")) > silver);
    }

    // Writers on connections of their own, all at once: of those that create the same
    // name exactly one succeeds and the others hear that the name is taken (never
    // the index's raw text); writers that each add one to what they read lose no
    // update, because a writer whose copy went stale is refused.
    void concurrentWritersNeitherShareANameNorLoseAnUpdate() {
        TestDatabase db;
        addStores();
        constexpr int Writers = 4;
        constexpr int Rounds = 8;
        // Plain vectors: each writer fills its own cells, with no shared copies to detach.
        std::vector<std::vector<int>> results(Rounds, std::vector<int>(Writers));
        std::vector<QStringList> messages(Writers);
        std::barrier round(Writers);
        QStringList errors = RunTogether(db, Writers, [&](DataModule& data, int writer) {
            for (int r = 0; r < Rounds; ++r) {
                round.arrive_and_wait();
                // Every writer meets the others at every round, whatever its save did.
                try {
                    TParamObject p = typeParams(0, QStringLiteral("同名卡%1").arg(r));
                    results[r][writer] = data.ExecuteProcByName(QStringLiteral("Y_InsVipType"), p);
                } catch (const DbError& e) {
                    messages[writer].append(e.message());
                }
            }
        });
        for (const QStringList& met : messages)
            errors += met;
        QVERIFY2(errors.isEmpty(), qPrintable(errors.join(QLatin1Char('\n'))));
        for (const std::vector<int>& tries : results) {
            QCOMPARE(std::count_if(tries.cbegin(), tries.cend(), [](int id) { return id > 0; }), 1);
            QCOMPARE(std::count(tries.cbegin(), tries.cend(), -3), Writers - 1);
        }

        const int counted = saveType(0, QStringLiteral("计数卡"));
        constexpr int Attempts = 12;
        std::vector<int> saved(Writers), refused(Writers);
        errors = RunTogether(db, Writers, [&](DataModule& data, int writer) {
            for (int i = 0; i < Attempts; ++i) {
                ClientDataSet row;
                data.OpenSQL(QStringLiteral("SELECT IntroducerJS, MD FROM viptype WHERE CTypeId = ?"), row,
                             {counted});
                const int result = saveRead(data, counted, row.FieldByName(QStringLiteral("MD")).AsLargeInt(),
                                            row.FieldByName(QStringLiteral("IntroducerJS")).AsFloat() + 1);
                ++(result == counted ? saved : refused)[writer];
                if (result != counted && result != -4)
                    throw DbError(QStringLiteral("unexpected result %1").arg(result));
            }
        });
        QVERIFY2(errors.isEmpty(), qPrintable(errors.join(QLatin1Char('\n'))));
        const int total = std::accumulate(saved.cbegin(), saved.cend(), 0);
        QVERIFY(total > 0);
        QCOMPARE(total + std::accumulate(refused.cbegin(), refused.cend(), 0), Writers * Attempts);
        QCOMPARE(typeValue(QStringLiteral("IntroducerJS"), counted).toInt(), total);
    }

    void badSettingsAreRefusedWithoutWriting() {
        TestDatabase db;
        addStores();
        QVERIFY_THROWS_EXCEPTION(DbError, saveType(0, QStringLiteral("超折扣"), 100.5));
        QVERIFY_THROWS_EXCEPTION(DbError, saveType(0, QStringLiteral("   ")));
        QVERIFY_THROWS_EXCEPTION(DbError, saveType(0, QString(21, QChar(0x4E00))));
        TParamObject p = typeParams(0, QStringLiteral("积分门店"));
        p.Add(QStringLiteral("@ChangeIntegralPos"), 1); // a real-time store, not an independent one
        QVERIFY_THROWS_EXCEPTION(DbError, dmClient().ExecuteProcByName(QStringLiteral("Y_InsVipType"), p));
        p.Add(QStringLiteral("@ChangeIntegralPos"), 2);
        p.Remove(QStringLiteral("@CZIntegerType"));
        QVERIFY_THROWS_EXCEPTION(DbError, dmClient().ExecuteProcByName(QStringLiteral("Y_InsVipType"), p));
        QCOMPARE(DbProbe::count(dmClient(), QStringLiteral("viptype")), 0);
        p.Add(QStringLiteral("@CZIntegerType"), 2);
        QVERIFY(dmClient().ExecuteProcByName(QStringLiteral("Y_InsVipType"), p) > 0);
    }

    void ruleRowsAreCheckedAndExact() {
        TestDatabase db;
        addStores();
        const int type = saveType(0, QStringLiteral("金卡"));
        const qint64 before = stamp(type);
        const QStringList names = {"@BuyTotalBegin", "@BuyTotalEnd",      "@Discount", "@Comment",
                                   "@DisType",       "@IntegralQuotiety", "@Integral", "@VipTypeId"};
        auto row = [&](const QVariantList& values) {
            return call(QStringLiteral("Y_InsVipDiscount"), names, values);
        };
        QVERIFY(row({"0", "999.99", 95, "一档", 1, 0, 0, type}) > 0);
        QVERIFY(row({"999.99", "1000000.01", 90, "二档", 1, 0, 0, type}) > 0);
        QVERIFY(stamp(type) > before);
        QVERIFY_THROWS_EXCEPTION(DbError, row({"500", "499.99", 90, "", 1, 0, 0, type}));
        QVERIFY_THROWS_EXCEPTION(DbError, row({"0", "10", 90, "", 8, 0, 0, type}));
        QVERIFY_THROWS_EXCEPTION(DbError, row({"0", "10", 90, "", 1, 0, 0, type + 100}));
        QVERIFY_THROWS_EXCEPTION(DbError, row({"-1", "10", 90, "", 1, 0, 0, type}));
        QCOMPARE(DbProbe::count(dmClient(), QStringLiteral("vipAutoDiscount")), 2);
        ClientDataSet rows;
        dmClient().OpenSQL(QStringLiteral("SELECT SUM(BuyTotalEnd) AS total FROM vipAutoDiscount"), rows);
        QCOMPARE(rows.FieldByName(QStringLiteral("total")).AsMoney().toString(),
                 QStringLiteral("1001000.00"));
    }

    void storeListsOfAType() {
        TestDatabase db;
        addStores();
        const int type = saveType(0, QStringLiteral("金卡"));
        auto storedValueHeld = [&](int store) {
            return call(QStringLiteral("kd_GetVipUsePosInfo"), {"@PosID", "@nviptype"}, {store, type});
        };
        addCard(type, QStringLiteral("A001"), 2);
        addCard(type, QStringLiteral("A002"), 3, true);
        QCOMPARE(storedValueHeld(2), 1);
        QCOMPARE(storedValueHeld(3), 0);
        QCOMPARE(storedValueHeld(1), 0);

        // The card type dialog asks before saving; a name typed with blanks is the same name.
        QCOMPARE(
            call(QStringLiteral("Pro_checkhassamevipname"), {"@vipTypename", "@viptypeId"}, {" 金卡 ", 0}),
            1);

        TParamObject limited = typeParams(type, QStringLiteral("金卡"));
        limited.Add(QStringLiteral("@PosRange"), 1);
        limited.Add(QStringLiteral("@CanAllPos"), 0);
        QCOMPARE(dmClient().ExecuteProcByName(QStringLiteral("Y_InsVipType"), limited), type);
        for (int store : {3, 1})
            dmClient().ExecuteSQL(QStringLiteral("INSERT INTO PosVipType (PosID, viptype) VALUES (?, ?)"),
                                  {store, type});
        QCOMPARE(call(QStringLiteral("KD_UpdateVipTypePosNames"), {"@CTypeid"}, {type}), 0);
        QCOMPARE(typeValue(QStringLiteral("PosNames"), type), QStringLiteral("中山路店;滨江店"));
    }
};

QTEST_GUILESS_MAIN(CardTypeProceduresTest)
#include "tst_CardTypeProcedures.moc"
