#include "host/sdk/DataModule.h"
#include "host/sdk/DbError.h"
#include "tests/support/TestDatabase.h"
#include "vip/cardtypes/VipCardTypeWriter.h"
#include "vip/cardtypes/VipTypePosLists.h"

#include <QTest>

namespace {

int sql(const QString& text, const QVariantList& params = {}) { return dmClient().OpenSQLAsInt(text, params); }

void addBasics() {
    dmClient().ExecuteSQL(QStringLiteral("INSERT INTO pricelist (PriceMode, PriceName) VALUES (17, '会员价'), (2, '零售价')"));
    const QList<std::tuple<QString, QString, int>> stores = {
        {"01", "中山路店", 0}, {"02", "解放路店", 1}, {"03", "滨江店", 1}, {"04", "西湖店", 1}};
    for (const auto& [code, name, kind] : stores)
        dmClient().ExecuteSQL(QStringLiteral("INSERT INTO posinfo (PosCode, PosName, ConnectType, RowIndex) VALUES (?, ?, ?, ?)"),
                              {code, name, kind, code.toInt()});
    dmClient().ExecuteSQL(QStringLiteral("INSERT INTO ptype (typeId, UserCode, FullName) VALUES ('00001', 'P1', '矿泉水'), "
                                         "('00002', 'P2', '面包')"));
}

VipTypeRuleRow band(const char* from, const char* to, double rate, const char* base, const char* grant) {
    VipTypeRuleRow row;
    row.from = Money::fromText(QString::fromLatin1(from));
    row.to = Money::fromText(QString::fromLatin1(to));
    row.discount = rate;
    row.base = Money::fromText(QString::fromLatin1(base));
    row.grant = Money::fromText(QString::fromLatin1(grant));
    return row;
}

// A member-discount type with every rule family filled in.
VipCardTypeSettings fullType() {
    VipCardTypeSettings s;
    s.name = QStringLiteral("金卡");
    s.mode = VipCardTypeSettings::MemberPriceDiscount;
    s.discountKind = VipCardTypeSettings::SegmentedDiscount;
    s.discountBands = {band("0", "1000", 98, "0", "0"), band("1000", "5000", 95, "0", "0")};
    s.pointsRule = VipCardTypeSettings::StepPoints;
    s.pointBands = {band("0", "100", 7, "10", "1"), band("100", "999999", 0, "10", "2")};
    s.storedValue = true;
    s.storedValueBands = {band("100", "999", 0, "100", "5"), band("1000", "99999", 0, "100", "10.5")};
    return s;
}

QList<int> kinds(int typeId) {
    ClientDataSet rows;
    dmClient().OpenSQL(QStringLiteral("SELECT DisType FROM vipAutoDiscount WHERE VipTypeId = ? ORDER BY DisType, id"), rows,
                       {typeId});
    QList<int> list;
    for (; !rows.Eof(); rows.Next())
        list.append(rows.FieldByName(QStringLiteral("DisType")).AsInteger());
    return list;
}

} // namespace

class VipCardTypeWriterTest : public QObject {
    Q_OBJECT

private slots:
    void modesDecideTheDiscountColumns() {
        TestDatabase db;
        addBasics();
        VipCardTypeSettings s = fullType();
        s.rate = 80;
        const int id = VipCardTypeWriter::write(s);
        QVERIFY(id > 0);
        QCOMPARE(kinds(id), (QList<int>{1, 1, 2, 2, 3, 3}));
        QCOMPARE(sql(QStringLiteral("SELECT automembertotal FROM viptype WHERE CTypeId = ?"), {id}), 1);
        QCOMPARE(sql(QStringLiteral("SELECT Discount FROM viptype WHERE CTypeId = ?"), {id}), 0);
        QCOMPARE(sql(QStringLiteral("SELECT COUNT(*) FROM vipAutoDiscount WHERE DisType <> 1 AND Discount <> 0")), 0);

        s.typeId = id;
        s.mode = VipCardTypeSettings::MemberPrice;
        QCOMPARE(VipCardTypeWriter::write(s), id);
        ClientDataSet type;
        dmClient().OpenSQL(QStringLiteral("SELECT * FROM viptype WHERE CTypeId = ?"), type, {id});
        QCOMPARE(type.FieldByName(QStringLiteral("Discount")).AsFloat(), 100.0);
        QCOMPARE(type.FieldByName(QStringLiteral("AutoDiscount")).AsInteger(), 0);
        QCOMPARE(type.FieldByName(QStringLiteral("IfPromotionPriceDisCount")).AsInteger(), 1);
        QCOMPARE(type.FieldByName(QStringLiteral("automembertotal")).AsInteger(), 0);
        QCOMPARE(type.FieldByName(QStringLiteral("FixedDiscount")).AsInteger(), 0);
        QCOMPARE(kinds(id), (QList<int>{2, 2, 3, 3}));

        s.mode = VipCardTypeSettings::MemberDiscount;
        s.discountKind = VipCardTypeSettings::FixedRate;
        QCOMPARE(VipCardTypeWriter::write(s), id);
        QCOMPARE(sql(QStringLiteral("SELECT Discount FROM viptype WHERE CTypeId = ?"), {id}), 80);
        QCOMPARE(sql(QStringLiteral("SELECT IfVipPrice + IfVipPriceDisCount + 10 * FixedDiscount FROM viptype WHERE CTypeId = ?"),
                     {id}),
                 10);
    }

    void switchedOffRulesKeepTheirRows() {
        TestDatabase db;
        addBasics();
        VipCardTypeSettings s = fullType();
        s.typeId = VipCardTypeWriter::write(s);
        s.autoIntegral = false;
        s.storedValue = false;
        s.pointBands.clear();
        s.storedValueBands.clear();
        s.discountBands = {band("0", "99999", 90, "0", "0")};
        QCOMPARE(VipCardTypeWriter::write(s), s.typeId);
        QCOMPARE(kinds(s.typeId), (QList<int>{1, 2, 2, 3, 3}));
        ClientDataSet gift;
        dmClient().OpenSQL(QStringLiteral("SELECT Integral FROM vipAutoDiscount WHERE DisType = 3 ORDER BY id DESC"), gift);
        QCOMPARE(gift.FieldByName(QStringLiteral("Integral")).AsMoney().toString(), QStringLiteral("10.50"));

        // Switched on with the per-product rule: bands go, products and the catch-all row come.
        s.autoIntegral = true;
        s.pointsRule = VipCardTypeSettings::ProductPoints;
        VipTypeRuleRow water;
        water.from = Money::fromUnits(10);
        water.grant = Money::fromUnits(3);
        water.prec = sql(QStringLiteral("SELECT rec FROM ptype WHERE UserCode = 'P1'"));
        s.productRows = {water};
        s.otherAmount = Money::fromUnits(20);
        s.otherPoints = Money::fromUnits(1);
        QCOMPARE(VipCardTypeWriter::write(s), s.typeId);
        QCOMPARE(kinds(s.typeId), (QList<int>{1, 3, 3, 6, 6}));
        ClientDataSet rows;
        dmClient().OpenSQL(QStringLiteral("SELECT * FROM vipAutoDiscount WHERE DisType = 6 ORDER BY prec DESC"), rows);
        QCOMPARE(rows.FieldByName(QStringLiteral("BuyTotalEnd")).AsMoney(), Money::fromUnits(10));
        QCOMPARE(rows.FieldByName(QStringLiteral("IntegralQuotiety")).AsMoney(), Money::fromUnits(1));
        rows.Next();
        QCOMPARE(rows.FieldByName(QStringLiteral("prec")).AsInteger(), 0);
        QCOMPARE(rows.FieldByName(QStringLiteral("Comment")).AsString(), QStringLiteral("其它商品"));
    }

    void memberDaysBirthdaysAndStores() {
        TestDatabase db;
        addBasics();
        VipCardTypeSettings s = fullType();
        s.memberDay = true;
        s.birthday = VipCardTypeSettings::BirthdayMonth;
        s.birthdayDiscount = 88;
        s.birthdayMultiplier = 2;
        s.weekDiscountText = QStringLiteral("九五");
        s.posRange = false;
        s.allStores = false;
        s.markedStores = {2, 3};
        const int id = VipCardTypeWriter::write(s);
        ClientDataSet t;
        dmClient().OpenSQL(QStringLiteral("SELECT * FROM viptype WHERE CTypeId = ?"), t, {id});
        QCOMPARE(t.FieldByName(QStringLiteral("UseVipDay")).AsInteger(), 3);
        QCOMPARE(t.FieldByName(QStringLiteral("WeekVIPDayDisCount")).AsInteger(), 100);
        QCOMPARE(t.FieldByName(QStringLiteral("BirthdyMontyDisCount")).AsInteger(), 88);
        QCOMPARE(t.FieldByName(QStringLiteral("BirthdyDisCount")).AsInteger(), 100);
        QCOMPARE(t.FieldByName(QStringLiteral("BirthdyMonthXIntegral")).AsFloat(), 2.0);
        QCOMPARE(t.FieldByName(QStringLiteral("CanAllPos")).AsInteger(), 1);
        QCOMPARE(t.FieldByName(QStringLiteral("PosNames")).AsString(), QStringLiteral("全部门店"));
        QCOMPARE(sql(QStringLiteral("SELECT COUNT(*) FROM PosVipType")), 0);

        s.typeId = id;
        s.weekDayList = QStringLiteral("星期二,星期日");
        s.posRange = true;
        QCOMPARE(VipCardTypeWriter::write(s), id);
        dmClient().OpenSQL(QStringLiteral("SELECT * FROM viptype WHERE CTypeId = ?"), t, {id});
        QCOMPARE(t.FieldByName(QStringLiteral("UseVipDay")).AsInteger(), 2);
        QCOMPARE(t.FieldByName(QStringLiteral("DayList")).AsString(), QStringLiteral("2,7"));
        QCOMPARE(t.FieldByName(QStringLiteral("PosNames")).AsString(), QStringLiteral("解放路店;滨江店"));
        QCOMPARE(VipCardTypeWriter::digitsToWeekdays(QStringLiteral("2,7")), s.weekDayList);

        TStringList list;
        QCOMPARE(GetPosList(&list, false, id), QStringLiteral("解放路店;滨江店"));
        QCOMPARE(list.Text(), QStringLiteral("2=解放路店\r\n3=滨江店"));
        QCOMPARE(GetPosList(&list, true, id), QStringLiteral("全部门店"));
        QCOMPARE(list.Count(), 2);
        QCOMPARE(GetPosList(nullptr, false, id + 1), QString());

        TStringList independent;
        GetChangeIntegralPosList(&independent, 0, nullptr);
        QCOMPARE(independent.Count(), 3);
        TStringList filter;
        filter.Add(QStringLiteral("4=西湖店"));
        filter.Add(QStringLiteral("1=中山路店"));
        GetChangeIntegralPosList(&independent, 0, &filter);
        QCOMPARE(independent.Text(), QStringLiteral("4=西湖店"));
        GetChangeIntegralPosList(&independent, id, nullptr);
        QCOMPARE(independent.Count(), 2);

        dmClient().ExecuteSQL(QStringLiteral("INSERT INTO vipcard (cardid, CardNo, CardType, BulidDate, ValidityDate) "
                                             "VALUES ('{c1}', 'O''Neil-1', ?, ?, ?)"),
                              {id, QDate(2026, 1, 1), QDate(2030, 1, 1)});
        TStringList usable;
        QVERIFY(VipCanUsePosList(QStringLiteral("O'Neil-1"), &usable, 0));
        QCOMPARE(usable.Count(), 4);
        QCOMPARE(usable.Strings(3), QStringLiteral("滨江店"));
        QCOMPARE(usable.Objects(3).toInt(), 3);
        QVERIFY(!VipCanUsePosList(QStringLiteral("nobody"), &usable, 0));
    }

    void clearingRestartsOnlyWhenSwitchedOn() {
        TestDatabase db;
        addBasics();
        VipCardTypeSettings s = fullType();
        s.typeId = VipCardTypeWriter::write(s);
        const QDateTime old(QDate(2020, 5, 1), QTime(8, 0));
        dmClient().ExecuteSQL(QStringLiteral("INSERT INTO vipcard (cardid, CardNo, CardType, BulidDate, ValidityDate, ClearDate) "
                                             "VALUES ('{c1}', '1', ?, ?, ?, ?)"),
                              {s.typeId, QDate(2026, 1, 1), QDate(2030, 1, 1), old});
        auto clearDate = [] {
            ClientDataSet rows;
            dmClient().OpenSQL(QStringLiteral("SELECT ClearDate FROM vipcard"), rows);
            return rows.FieldByName(QStringLiteral("ClearDate")).AsString();
        };
        s.clearIntegral = true;
        s.clearingWasOn = true;
        VipCardTypeWriter::write(s);
        QCOMPARE(clearDate(), QStringLiteral("2020-05-01 08:00:00"));
        s.clearingWasOn = false;
        VipCardTypeWriter::write(s);
        QVERIFY(clearDate() > QStringLiteral("2026"));
    }

    void aFailedSaveLeavesTheTypeAsItWas() {
        TestDatabase db;
        addBasics();
        VipCardTypeSettings s = fullType();
        s.typeId = VipCardTypeWriter::write(s);
        const QList<int> before = kinds(s.typeId);
        s.name = QStringLiteral("白金卡");
        s.pointsRule = VipCardTypeSettings::ProductPoints;
        VipTypeRuleRow ghost;
        ghost.from = Money::fromUnits(5);
        ghost.grant = Money::fromUnits(1);
        ghost.prec = 9999; // no such product
        s.productRows = {ghost};
        QVERIFY_THROWS_EXCEPTION(DbError, VipCardTypeWriter::write(s));
        QCOMPARE(dmClient().OpenSQLAsStr(QStringLiteral("SELECT TypeName FROM viptype WHERE CTypeId = ?"), {s.typeId}),
                 QStringLiteral("金卡"));
        QCOMPARE(kinds(s.typeId), before);

        VipCardTypeSettings twin = fullType();
        QCOMPARE(VipCardTypeWriter::write(twin), -3);
        QCOMPARE(sql(QStringLiteral("SELECT COUNT(*) FROM viptype")), 1);
    }
};

QTEST_GUILESS_MAIN(VipCardTypeWriterTest)
#include "tst_VipCardTypeWriter.moc"
