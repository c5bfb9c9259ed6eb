#include "host/sdk/DataModule.h"
#include "host/sdk/DbError.h"
#include "tests/support/DbProbe.h"
#include "tests/support/TestDatabase.h"
#include "tests/support/TestRows.h"
#include "vip/cardtypes/VipCardTypeStore.h"
#include "vip/cardtypes/VipTypePosLists.h"

#include <QTest>
#include <optional>

namespace {

int sql(const QString& text, const QVariantList& params = {}) {
    return dmClient().OpenSQLAsInt(text, params);
}

void addBasics() {
    dmClient().ExecuteSQL(
        QStringLiteral("INSERT INTO pricelist (PriceMode, PriceName) VALUES (17, '会员价'), (2, '零售价')"));
    TestRows::addStores(
        dmClient(),
        {{.code = QStringLiteral("01"), .name = QStringLiteral("中山路店"), .connectType = 0, .rowIndex = 1},
         {.code = QStringLiteral("02"), .name = QStringLiteral("解放路店"), .connectType = 1, .rowIndex = 2},
         {.code = QStringLiteral("03"), .name = QStringLiteral("滨江店"), .connectType = 1, .rowIndex = 3},
         {.code = QStringLiteral("04"), .name = QStringLiteral("西湖店"), .connectType = 1, .rowIndex = 4}});
    TestRows::addProduct(dmClient(), QStringLiteral("00001"), QStringLiteral("P1"), QStringLiteral("矿泉水"));
}

VipTypeRuleRow band(const char* from, const char* to, double rate, const char* base, const char* grant,
                    int prec = 0) {
    const auto money = [](const char* text) { return Money::fromText(QLatin1String(text)); };
    return {money(from), money(to), rate, money(base), money(grant), QString(), prec};
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
    dmClient().OpenSQL(
        QStringLiteral("SELECT DisType FROM vipAutoDiscount WHERE VipTypeId = ? ORDER BY DisType, id"), rows,
        {typeId});
    QList<int> list;
    for (; !rows.Eof(); rows.Next())
        list.append(rows.FieldByName(QStringLiteral("DisType")).AsInteger());
    return list;
}

// Columns of a type as text, joined by '|'.
QString columns(int typeId, const QStringList& names) {
    QStringList values;
    for (const QString& name : names)
        values << dmClient().OpenSQLAsStr(
            QStringLiteral("SELECT %1 FROM viptype WHERE CTypeId = ?").arg(name), {typeId});
    return values.join(QLatin1Char('|'));
}

} // namespace

class VipCardTypeStoreTest : public QObject {
    Q_OBJECT
    std::optional<TestDatabase> db;

private slots:
    void init() {
        db.emplace();
        addBasics();
    }
    void cleanup() { db.reset(); }

    void modesDecideTheDiscountColumnsAndSwitchedOffRulesKeepTheirRows() {
        VipCardTypeSettings s = fullType();
        const int id = s.typeId = VipCardTypeStore().Save(s);
        QCOMPARE(kinds(id), (QList<int>{1, 1, 2, 2, 3, 3}));
        QCOMPARE(columns(id, {"automembertotal", "Discount"}), QStringLiteral("1|0"));

        s.mode = VipCardTypeSettings::MemberPrice;
        QCOMPARE(VipCardTypeStore().Save(s), id);
        QCOMPARE(kinds(id), (QList<int>{2, 2, 3, 3}));

        s.mode = VipCardTypeSettings::MemberDiscount;
        s.discountBands = {band("0", "99999", 90, "0", "0")};
        s.autoIntegral = false;
        s.storedValue = false;
        s.pointBands.clear();
        s.storedValueBands.clear();
        QCOMPARE(VipCardTypeStore().Save(s), id);
        QCOMPARE(kinds(id), (QList<int>{1, 2, 2, 3, 3}));

        // Switched on with the per-product rule: the step bands go, product rows come.
        s.autoIntegral = true;
        s.pointsRule = VipCardTypeSettings::ProductPoints;
        s.productRows = {band("10", "0", 0, "0", "3", sql(QStringLiteral("SELECT rec FROM ptype")))};
        s.otherAmount = Money::fromUnits(20);
        s.otherPoints = Money::fromUnits(1);
        QCOMPARE(VipCardTypeStore().Save(s), id);
        QCOMPARE(kinds(id), (QList<int>{1, 3, 3, 6, 6}));
    }

    void memberDaysAndStores() {
        VipCardTypeSettings s = fullType();
        s.memberDay = true;
        s.weekDiscountText = QStringLiteral("九五");
        s.posRange = false;
        s.allStores = false;
        s.markedStores = {2, 3};
        const int id = s.typeId = VipCardTypeStore().Save(s);
        // Both day lists empty: a member day on every list. Stores count only with a range.
        QCOMPARE(columns(id, {"UseVipDay", "WeekVIPDayDisCount", "CanAllPos", "PosNames"}),
                 QStringLiteral("3|100|1|全部门店"));
        QCOMPARE(DbProbe::count(dmClient(), QStringLiteral("PosVipType")), 0);

        s.weekDayList = QStringLiteral("星期二,星期日");
        s.posRange = true;
        QCOMPARE(VipCardTypeStore().Save(s), id);
        QCOMPARE(columns(id, {"UseVipDay", "DayList", "PosNames"}), QStringLiteral("2|2,7|解放路店;滨江店"));

        TStringList list;
        QCOMPARE(GetPosList(&list, false, id), QStringLiteral("解放路店;滨江店"));
        QCOMPARE(list.Text(), QStringLiteral("2=解放路店\r\n3=滨江店"));
        QCOMPARE(GetPosList(nullptr, true, id), QStringLiteral("全部门店"));

        TStringList independent;
        GetChangeIntegralPosList(&independent, 0, nullptr);
        QCOMPARE(independent.Count(), 3);
        GetChangeIntegralPosList(&independent, id, nullptr);
        QCOMPARE(independent.Count(), 2);

        TestRows::addCard(dmClient(), {.cardNo = QStringLiteral("O'Neil-1"), .cardType = id});
        TStringList usable;
        QVERIFY(VipCanUsePosList(QStringLiteral("O'Neil-1"), &usable, 0));
        QCOMPARE(usable.Count(), 4);
        QCOMPARE(usable.Objects(3).toInt(), 3);
        QVERIFY(!VipCanUsePosList(QStringLiteral("nobody"), &usable, 0));
    }

    void clearingRestartsOnlyWhenSwitchedOnAndAFailedSaveChangesNothing() {
        VipCardTypeSettings s = fullType();
        s.typeId = VipCardTypeStore().Save(s);
        TestRows::addCard(dmClient(), {.cardNo = QStringLiteral("1"),
                                       .cardType = s.typeId,
                                       .clearDate = QDateTime(QDate(2020, 5, 1), QTime(8, 0))});
        const auto clearDate = [] {
            return dmClient().OpenSQLAsStr(QStringLiteral("SELECT ClearDate FROM vipcard"));
        };
        s.clearIntegral = true;
        s.clearingWasOn = true;
        VipCardTypeStore().Save(s);
        QCOMPARE(clearDate(), QStringLiteral("2020-05-01 08:00:00"));
        s.clearingWasOn = false;
        VipCardTypeStore().Save(s);
        QVERIFY(clearDate() > QStringLiteral("2026"));

        // A rule row the database refuses takes the renamed type back with it.
        const QList<int> before = kinds(s.typeId);
        s.name = QStringLiteral("白金卡");
        s.pointsRule = VipCardTypeSettings::ProductPoints;
        s.productRows = {band("5", "0", 0, "0", "1", 9999)}; // no such product
        QVERIFY_THROWS_EXCEPTION(DbError, VipCardTypeStore().Save(s));
        QCOMPARE(columns(s.typeId, {"TypeName"}), QStringLiteral("金卡"));
        QCOMPARE(kinds(s.typeId), before);
        QCOMPARE(VipCardTypeStore().Save(fullType()), -3);
        QCOMPARE(DbProbe::count(dmClient(), QStringLiteral("viptype")), 1);
    }
};

QTEST_GUILESS_MAIN(VipCardTypeStoreTest)
#include "tst_VipCardTypeStore.moc"
