#include "host/sdk/DataModule.h"
#include "host/sdk/DbError.h"
#include "tests/support/TestDatabase.h"

#include <QTest>

namespace {

// The 58 parameters of a card type as the card type dialog sends them, for a
// member-discount type that applies everywhere.
TParamObject typeParams(int typeId, const QString& name) {
    TParamObject p;
    const QList<QPair<QString, QVariant>> values = {
        {"@CTypeId", typeId}, {"@TypeName", name}, {"@Discount", 95.0}, {"@Comment", QString()},
        {"@CanAllPos", 1}, {"@CanUseRemainTotal", 0}, {"@ChangeIntegralPos", -1}, {"@UseVipDay", 0},
        {"@DayList", QString()}, {"@UseDisAndVipPrice", 0}, {"@XIntegral", 0.0}, {"@IsSaleLimit", 1},
        {"@AutoDiscount", 1}, {"@automembertotal", 0}, {"@AutoIntegral", 1}, {"@IfVipPrice", 0},
        {"@IfVipPriceDisCount", 0}, {"@IfPromotionPriceDisCount", 0}, {"@vipPriceType", 17},
        {"@UsePtypeDisCount", 0}, {"@EsPriceNotIntegral", 0}, {"@vipdayDisCount", 0}, {"@usebirthday", 0},
        {"@useintegral", 0}, {"@UseVipPrice", 0}, {"@BirthdyDisCount", 0}, {"@BirthdyXIntegral", 0.0},
        {"@BirthdyMontyDisCount", 0}, {"@BirthdyMonthXIntegral", 0.0}, {"@MonthDayList", QString()},
        {"@RepeatNum", 2}, {"@IsOnlyJS", 0}, {"@IsCZPreferential", 1}, {"@IsIntroduceJS", 0},
        {"@IntroduceJSLimitNum", 0}, {"@IntroducerJS", 0.0}, {"@NewMemberJS", 0.0}, {"@IntroducerJSPer", 0.0},
        {"@LimitDays", 0}, {"@WeekVIPDayDisCount", 0}, {"@WeekVIPDayXIntegral", 0.0}, {"@WeekVIPDayUseVipPrice", 0},
        {"@NotVIPDayFlags", 0}, {"@WeekVIPDayUseDis", 0}, {"@VIPDayOrder", 0}, {"@FixedDiscount", 1},
        {"@FixedIntegral", 1}, {"@StepIntegral", 0}, {"@PosRange", 0}, {"@IsCZService", 0},
        {"@TimesIntegral", 0}, {"@PtypeIntegral", 0}, {"@PtypePTIntegral", 0}, {"@ClearIntegral", 0},
        {"@ClearCycle", 0}, {"@IntroducerJSgainType", 0}, {"@IntroducerJSfirstPer", 0.0}, {"@CZIntegerType", 0}};
    for (const auto& [key, value] : values)
        p.Add(key, value);
    return p;
}

int saveType(int typeId, const QString& name, double discount = 95.0) {
    TParamObject p = typeParams(typeId, name);
    p.Add(QStringLiteral("@Discount"), discount);
    return dmClient().ExecuteProcByName(QStringLiteral("Y_InsVipType"), p);
}

int count(const QString& sql, const QVariantList& params = {}) { return dmClient().OpenSQLAsInt(sql, params); }

qint64 stamp(int typeId) {
    ClientDataSet rows;
    dmClient().OpenSQL(QStringLiteral("SELECT MD FROM viptype WHERE CTypeId = ?"), rows, {typeId});
    return rows.FieldByName(QStringLiteral("MD")).AsLargeInt();
}

void addStores() {
    dmClient().ExecuteSQL(QStringLiteral("INSERT INTO pricelist (PriceMode, PriceName) VALUES (17, '会员价')"));
    for (const auto& [code, name, kind] : {std::tuple{"01", "中山路店", 0}, std::tuple{"02", "解放路店", 1},
                                           std::tuple{"03", "滨江店", 1}})
        dmClient().ExecuteSQL(QStringLiteral("INSERT INTO posinfo (PosCode, PosName, ConnectType, RowIndex) VALUES (?, ?, ?, ?)"),
                              {QString::fromUtf8(code), QString::fromUtf8(name), kind, QString::fromUtf8(code).toInt()});
}

int addCard(int typeId, const QString& number, int storedValueStore, int deleted = 0) {
    return dmClient().OpenSQLAsInt(
        QStringLiteral("INSERT INTO vipcard (cardid, CardNo, CardType, BulidDate, ValidityDate, VipCz, PosId, deleted) "
                       "VALUES (?, ?, ?, ?, ?, 1, ?, ?) RETURNING id"),
        {QStringLiteral("{%1}").arg(number), number, typeId, QDate(2026, 1, 1), QDate(2030, 1, 1), storedValueStore,
         deleted});
}

} // namespace

class CardTypeProceduresTest : public QObject {
    Q_OBJECT

private slots:
    void typesAreSavedWithUniqueLiveNamesAndAMovingStamp() {
        TestDatabase db;
        addStores();
        const QString hostile = QStringLiteral("金卡'; drop table--");
        QCOMPARE(typeParams(0, hostile).Count(), 58);
        const int gold = saveType(0, hostile);
        QVERIFY(gold > 0);
        QCOMPARE(dmClient().OpenSQLAsStr(QStringLiteral("SELECT TypeName FROM viptype WHERE CTypeId = ?"), {gold}), hostile);
        const qint64 first = stamp(gold);
        QVERIFY(first > 0);

        const int silver = saveType(0, QStringLiteral("银卡"));
        QCOMPARE(saveType(0, hostile), -3);
        QCOMPARE(saveType(silver, hostile), -3);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM viptype")), 2);

        QCOMPARE(saveType(gold, hostile, 88.0), gold);
        QCOMPARE(dmClient().OpenSQLAsStr(QStringLiteral("SELECT Discount FROM viptype WHERE CTypeId = ?"), {gold}),
                 QStringLiteral("88"));
        QVERIFY(stamp(gold) > first);
        QVERIFY(stamp(gold) > stamp(silver));

        // A deleted type frees its name and can no longer be changed.
        TParamObject del;
        del.Add(QStringLiteral("@edittype"), QStringLiteral("D"));
        del.Add(QStringLiteral("@cardbz"), QStringLiteral("1"));
        del.Add(QStringLiteral("@Autoid"), silver);
        QCOMPARE(dmClient().ExecuteProcByName(QStringLiteral("Y_InsVipAuto"), del), 0);
        QCOMPARE(saveType(silver, QStringLiteral("银卡")), -1);
        QVERIFY(saveType(0, QStringLiteral("银卡")) > silver);
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
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM viptype")), 0);
        p.Add(QStringLiteral("@CZIntegerType"), 2);
        QVERIFY(dmClient().ExecuteProcByName(QStringLiteral("Y_InsVipType"), p) > 0);
    }

    void ruleRowsAreCheckedAndExact() {
        TestDatabase db;
        addStores();
        const int type = saveType(0, QStringLiteral("金卡"));
        const qint64 before = stamp(type);
        const QStringList names = {"@BuyTotalBegin", "@BuyTotalEnd", "@Discount", "@Comment", "@DisType",
                                   "@IntegralQuotiety", "@Integral", "@VipTypeId"};
        auto row = [&](const QVariantList& values) {
            return dmClient().ExecuteProcByName(QStringLiteral("Y_InsVipDiscount"), names, values);
        };
        QVERIFY(row({"0", "999.99", 95, "一档", 1, 0, 0, type}) > 0);
        QVERIFY(row({"999.99", "1000000.01", 90, "二档", 1, 0, 0, type}) > 0);
        QVERIFY(stamp(type) > before);
        QVERIFY_THROWS_EXCEPTION(DbError, row({"500", "499.99", 90, "", 1, 0, 0, type}));
        QVERIFY_THROWS_EXCEPTION(DbError, row({"0", "10", 90, "", 8, 0, 0, type}));
        QVERIFY_THROWS_EXCEPTION(DbError, row({"0", "10", 90, "", 1, 0, 0, type + 100}));
        QVERIFY_THROWS_EXCEPTION(DbError, row({"-1", "10", 90, "", 1, 0, 0, type}));
        QVERIFY_THROWS_EXCEPTION(DbError, dmClient().ExecuteProcByName(QStringLiteral("Y_InsVipDiscount"),
                                                                       names + QStringList{"@prec"},
                                                                       {"0", "10", 0, "", 6, 1, 2, type, 12345}));
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM vipAutoDiscount")), 2);
        ClientDataSet rows;
        dmClient().OpenSQL(QStringLiteral("SELECT SUM(BuyTotalEnd) AS total FROM vipAutoDiscount"), rows);
        QCOMPARE(rows.FieldByName(QStringLiteral("total")).AsMoney().toString(), QStringLiteral("1001000.00"));
    }

    void typesInUseCannotBeDeleted() {
        TestDatabase db;
        addStores();
        const int type = saveType(0, QStringLiteral("金卡"));
        const int card = addCard(type, QStringLiteral("A001"), 2);
        TParamObject del;
        del.Add(QStringLiteral("@edittype"), QStringLiteral("D"));
        del.Add(QStringLiteral("@cardbz"), QStringLiteral("1"));
        del.Add(QStringLiteral("@Autoid"), type);
        QCOMPARE(dmClient().ExecuteProcByName(QStringLiteral("Y_InsVipAuto"), del), -2);
        QCOMPARE(count(QStringLiteral("SELECT deleted FROM viptype WHERE CTypeId = ?"), {type}), 0);

        dmClient().ExecuteSQL(QStringLiteral("UPDATE vipcard SET deleted = 1 WHERE id = ?"), {card});
        QCOMPARE(dmClient().ExecuteProcByName(QStringLiteral("Y_InsVipAuto"), del), 0);
        QCOMPARE(dmClient().ExecuteProcByName(QStringLiteral("Y_InsVipAuto"), del), -1);
        del.Add(QStringLiteral("@edittype"), QStringLiteral("I"));
        QCOMPARE(dmClient().ExecuteProcByName(QStringLiteral("Y_InsVipAuto"), del), -1);
    }

    void storeListsOfAType() {
        TestDatabase db;
        addStores();
        const int type = saveType(0, QStringLiteral("金卡"));
        auto storedValueHeld = [&](int store) {
            return dmClient().ExecuteProcByName(QStringLiteral("kd_GetVipUsePosInfo"),
                                                {QStringLiteral("@PosID"), QStringLiteral("@nviptype")}, {store, type});
        };
        addCard(type, QStringLiteral("A001"), 2);
        addCard(type, QStringLiteral("A002"), 3, 1);
        QCOMPARE(storedValueHeld(2), 1);
        QCOMPARE(storedValueHeld(3), 0);
        QCOMPARE(storedValueHeld(1), 0);

        auto sameName = [&](const QString& name, int id) {
            return dmClient().ExecuteProcByName(QStringLiteral("Pro_checkhassamevipname"),
                                                {QStringLiteral("@vipTypename"), QStringLiteral("@viptypeId")}, {name, id});
        };
        QCOMPARE(sameName(QStringLiteral("金卡"), 0), 1);
        QCOMPARE(sameName(QStringLiteral(" 金卡 "), 0), 1);
        QCOMPARE(sameName(QStringLiteral("金卡"), type), 0);
        QCOMPARE(sameName(QStringLiteral("银卡"), 0), 0);

        TParamObject limited = typeParams(type, QStringLiteral("金卡"));
        limited.Add(QStringLiteral("@PosRange"), 1);
        limited.Add(QStringLiteral("@CanAllPos"), 0);
        QCOMPARE(dmClient().ExecuteProcByName(QStringLiteral("Y_InsVipType"), limited), type);
        for (int store : {3, 1})
            dmClient().ExecuteSQL(QStringLiteral("INSERT INTO PosVipType (PosID, viptype) VALUES (?, ?)"), {store, type});
        QCOMPARE(dmClient().ExecuteProcByName(QStringLiteral("KD_UpdateVipTypePosNames"), {QStringLiteral("@CTypeid")},
                                              {type}),
                 0);
        QCOMPARE(dmClient().OpenSQLAsStr(QStringLiteral("SELECT PosNames FROM viptype WHERE CTypeId = ?"), {type}),
                 QStringLiteral("中山路店;滨江店"));

        ClientDataSet marks;
        dmClient().OpenProcByName(QStringLiteral("P_PosMultSel"), {QStringLiteral("@CTypeId")}, {type}, marks);
        QStringList seen;
        for (; !marks.Eof(); marks.Next())
            seen << marks.FieldByName(QStringLiteral("PosName")).AsString() + marks.FieldByName(QStringLiteral("selname")).AsString();
        QCOMPARE(seen, (QStringList{QStringLiteral("中山路店√"), QStringLiteral("解放路店"), QStringLiteral("滨江店√")}));
        dmClient().OpenProcByName(QStringLiteral("P_PosMultSel"), {QStringLiteral("@CTypeId")}, {0}, marks);
        QCOMPARE(marks.RecordCount(), 3);
        for (; !marks.Eof(); marks.Next())
            QCOMPARE(marks.FieldByName(QStringLiteral("SelName")).AsString(), QString());

        QCOMPARE(saveType(type, QStringLiteral("金卡")), type);
        dmClient().ExecuteProcByName(QStringLiteral("KD_UpdateVipTypePosNames"), {QStringLiteral("@CTypeid")}, {type});
        QCOMPARE(dmClient().OpenSQLAsStr(QStringLiteral("SELECT PosNames FROM viptype WHERE CTypeId = ?"), {type}),
                 QStringLiteral("全部门店"));
    }
};

QTEST_GUILESS_MAIN(CardTypeProceduresTest)
#include "tst_CardTypeProcedures.moc"
