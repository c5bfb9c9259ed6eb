#include "host/db/demo/DemoCardTypes.h"

#include "host/data/Database.h"
#include "host/db/demo/DemoCatalog.h"
#include "host/db/demo/DemoRandom.h"
#include "host/db/demo/DemoRow.h"
#include "host/db/demo/DemoStores.h"
#include "host/sdk/ClientDataSet.h"
#include "host/sdk/Money.h"

#include <QStringList>

namespace {

enum DisType {
    SegmentedDiscount = 1,
    PointBands = 2,
    StoredValueBonus = 3,
    PointsPerAmount = 4,
    PointsPerPurchase = 5,
    PointsPerProduct = 6,
    PointsPerAttribute = 7,
    Upgrade = 8,
    Downgrade = 9
};

// Member-day types honour all four non-member-day switches (bits 1, 2, 4 and 6).
constexpr int AllNonMemberDaySwitches = (1 << 1) | (1 << 2) | (1 << 4) | (1 << 6);

QVariant yuan(double amount) {
    return QVariant::fromValue(Money::fromDouble(amount));
}

DemoRow rule(int disType, double from, double to, double base, double grant, const QString& comment,
             double discount = 0) {
    DemoRow row(QStringLiteral("vipAutoDiscount"));
    row.set(QStringLiteral("DisType"), disType)
        .set(QStringLiteral("BuyToTalBegin"), yuan(from))
        .set(QStringLiteral("BuyTotalEnd"), yuan(to))
        .set(QStringLiteral("Discount"), discount)
        .set(QStringLiteral("IntegralQuotiety"), yuan(base))
        .set(QStringLiteral("Integral"), yuan(grant))
        .set(QStringLiteral("Comment"), comment);
    return row;
}

DemoRow productRule(int disType, int rec, double amount, double points, const QString& comment) {
    return rule(disType, amount, amount, 1, points, comment).set(QStringLiteral("prec"), rec);
}

// The thresholds of one grade: what lifts a member to it, and what keeps them there.
struct Grade {
    int grade;
    double purchases;
    int points;
    double storedValue;
    double minimumPurchases;
    int minimumPoints;
};

QList<DemoRow> gradeRules(const Grade& grade) {
    const QString comment = QStringLiteral("会员等级");
    DemoRow up = rule(Upgrade, 0, 0, 0, 0, comment);
    up.set(QStringLiteral("SCumulativeMoney"), yuan(grade.purchases))
        .set(QStringLiteral("SCumulativeIntegral"), grade.points)
        .set(QStringLiteral("StoreMoney"), yuan(grade.storedValue));
    DemoRow down = rule(Downgrade, 0, 0, 0, 0, comment);
    down.set(QStringLiteral("JCycle"), grade.grade > 1 ? 12 : 0)
        .set(QStringLiteral("ComsuLower"), yuan(grade.minimumPurchases))
        .set(QStringLiteral("IntegralLower"), grade.minimumPoints);
    return {up, down};
}

// A card type as the type dialog saves a new one, before its own choices.
DemoRow newType(const QString& name, const QString& comment) {
    DemoRow row(QStringLiteral("viptype"));
    row.set(QStringLiteral("TypeName"), name)
        .set(QStringLiteral("Comment"), comment)
        .set(QStringLiteral("RepeatNum"), 2)
        .set(QStringLiteral("IfVipPrice"), 1)
        .set(QStringLiteral("AutoDiscount"), 0)
        .set(QStringLiteral("IfVipPriceDisCount"), 1)
        .set(QStringLiteral("IfPromotionPriceDisCount"), 1)
        .set(QStringLiteral("vipPriceType"), DemoCatalog::MemberPriceMode)
        .set(QStringLiteral("Discount"), 100.0)
        .set(QStringLiteral("FixedDiscount"), 0)
        .set(QStringLiteral("IsSaleLimit"), 1)
        .set(QStringLiteral("AutoIntegral"), 1)
        .set(QStringLiteral("FixedIntegral"), 1)
        .set(QStringLiteral("ChangeIntegralPos"), -1)
        .set(QStringLiteral("CanAllPos"), 1);
    return row;
}

void memberDiscount(DemoRow& row, double rate) {
    row.set(QStringLiteral("IfVipPrice"), 0)
        .set(QStringLiteral("AutoDiscount"), 1)
        .set(QStringLiteral("IfVipPriceDisCount"), 0)
        .set(QStringLiteral("IfPromotionPriceDisCount"), 0)
        .set(QStringLiteral("FixedDiscount"), rate > 0 ? 1 : 0)
        .set(QStringLiteral("Discount"), rate);
}

void memberPriceAndDiscount(DemoRow& row, int priceMode, double rate) {
    row.set(QStringLiteral("IfVipPrice"), 1)
        .set(QStringLiteral("AutoDiscount"), 1)
        .set(QStringLiteral("IfVipPriceDisCount"), 1)
        .set(QStringLiteral("IfPromotionPriceDisCount"), 0)
        .set(QStringLiteral("vipPriceType"), priceMode)
        .set(QStringLiteral("FixedDiscount"), 1)
        .set(QStringLiteral("Discount"), rate);
}

void pointsRule(DemoRow& row, const QString& column) {
    for (const char* flag :
         {"FixedIntegral", "TimesIntegral", "StepIntegral", "PtypeIntegral", "PtypePTIntegral"})
        row.set(QString::fromLatin1(flag), 0);
    row.set(column, 1);
}

// The card-issuing facts are read back from the saved row, so they cannot drift
// from what the type really says.
void readBack(Database& db, DemoCardTypes::Type& type) {
    ClientDataSet row;
    db.select(
        QStringLiteral("SELECT Discount, AutoDiscount, automembertotal, AutoIntegral, IsCZPreferential, "
                       "IsCZService, ClearIntegral, CanUseRemainTotal, IsIntroduceJS, IntroducerJSgainType, "
                       "IntroducerJS, LimitDays, IntroduceJSLimitNum FROM viptype WHERE CTypeId = ?"),
        {type.id}, row);
    type.discount = row.FieldByName(QStringLiteral("Discount")).AsFloat();
    type.autoDiscount = row.FieldByName(QStringLiteral("AutoDiscount")).AsInteger();
    type.autoMemberTotal = row.FieldByName(QStringLiteral("automembertotal")).AsInteger();
    type.autoIntegral = row.FieldByName(QStringLiteral("AutoIntegral")).AsInteger();
    type.storedValue = row.FieldByName(QStringLiteral("IsCZPreferential")).AsBoolean();
    type.services = row.FieldByName(QStringLiteral("IsCZService")).AsBoolean();
    type.clearsPoints = row.FieldByName(QStringLiteral("ClearIntegral")).AsBoolean();
    type.carriesRemainder = row.FieldByName(QStringLiteral("CanUseRemainTotal")).AsBoolean();
    // Rewards set per new member's type are granted elsewhere; only the unified rule pays here.
    if (row.FieldByName(QStringLiteral("IsIntroduceJS")).AsBoolean() &&
        row.FieldByName(QStringLiteral("IntroducerJSgainType")).AsInteger() == 0)
        type.introducerReward = static_cast<int>(row.FieldByName(QStringLiteral("IntroducerJS")).AsFloat());
    type.introducerDays = row.FieldByName(QStringLiteral("LimitDays")).AsInteger();
    type.introducerLimit = row.FieldByName(QStringLiteral("IntroduceJSLimitNum")).AsInteger();
}

struct Draft {
    DemoCardTypes::Type type;
    DemoRow row;
    QList<DemoRow> rules;
};

Draft draft(const QString& name, int weight, const QString& comment) {
    Draft d{{}, newType(name, comment), {}};
    d.type.name = name;
    d.type.weight = weight;
    return d;
}

// Anyone may have one: member prices, points per amount, stored value with bonus bands.
Draft standardCard() {
    Draft d = draft(QStringLiteral("普通卡"), 40, QStringLiteral("消费即可办理"));
    d.row.set(QStringLiteral("RepeatNum"), 3)
        .set(QStringLiteral("CanUseRemainTotal"), 1)
        .set(QStringLiteral("IsCZPreferential"), 1)
        .set(QStringLiteral("Grade"), 1);
    d.rules = {rule(PointsPerAmount, 0, 0, 10, 1, QStringLiteral("单次消费积分")),
               rule(StoredValueBonus, 0, 500, 100, 5, QStringLiteral("储值满100送5元")),
               rule(StoredValueBonus, 500, 2000, 100, 8, QStringLiteral("储值满100送8元")),
               rule(StoredValueBonus, 2000, 100000, 100, 10, QStringLiteral("储值满100送10元"))};
    d.rules += gradeRules({1, 0, 0, 0, 0, 0});
    return d;
}

// A fixed discount, points per purchase, monthly member days and birthday benefits.
Draft silverCard() {
    Draft d = draft(QStringLiteral("银卡"), 25, QStringLiteral("累计消费满2000元升级"));
    memberDiscount(d.row, 95);
    pointsRule(d.row, QStringLiteral("TimesIntegral"));
    d.row.set(QStringLiteral("UseVipDay"), 1)
        .set(QStringLiteral("VIPDayOrder"), 1)
        .set(QStringLiteral("MonthDayList"), QStringLiteral("8,18,28"))
        .set(QStringLiteral("XIntegral"), 2.0)
        .set(QStringLiteral("vipdayDisCount"), 90)
        .set(QStringLiteral("UseDisAndVipPrice"), 1)
        .set(QStringLiteral("NotVIPDayFlags"), AllNonMemberDaySwitches)
        .set(QStringLiteral("usebirthday"), 1)
        .set(QStringLiteral("BirthdyDisCount"), 88)
        .set(QStringLiteral("BirthdyXIntegral"), 2.0)
        .set(QStringLiteral("BirthdyMontyDisCount"), 100)
        .set(QStringLiteral("Grade"), 2);
    d.rules = {rule(PointsPerPurchase, 0, 0, 50, 5, QStringLiteral("消费次数积分"))};
    d.rules += gradeRules({2, 2000, 200, 1000, 1000, 100});
    return d;
}

// Member price and discount together, points by amount bands, both member-day lists,
// a birthday month, stored value with services, introducer rewards and points clearing.
Draft goldCard() {
    Draft d = draft(QStringLiteral("金卡"), 15, QStringLiteral("会员价再享九折"));
    memberPriceAndDiscount(d.row, 18, 90);
    pointsRule(d.row, QStringLiteral("StepIntegral"));
    d.row.set(QStringLiteral("RepeatNum"), 2)
        .set(QStringLiteral("UseVipDay"), 3)
        .set(QStringLiteral("VIPDayOrder"), 1)
        .set(QStringLiteral("MonthDayList"), QStringLiteral("18"))
        .set(QStringLiteral("DayList"), QStringLiteral("6,7"))
        .set(QStringLiteral("XIntegral"), 2.0)
        .set(QStringLiteral("vipdayDisCount"), 88)
        .set(QStringLiteral("UseDisAndVipPrice"), 1)
        .set(QStringLiteral("UseVipPrice"), 1)
        .set(QStringLiteral("WeekVIPDayXIntegral"), 1.5)
        .set(QStringLiteral("WeekVIPDayDisCount"), 95)
        .set(QStringLiteral("WeekVIPDayUseDis"), 1)
        .set(QStringLiteral("WeekVIPDayUseVipPrice"), 1)
        .set(QStringLiteral("NotVIPDayFlags"), AllNonMemberDaySwitches)
        .set(QStringLiteral("usebirthday"), 2)
        .set(QStringLiteral("BirthdyDisCount"), 100)
        .set(QStringLiteral("BirthdyMontyDisCount"), 85)
        .set(QStringLiteral("BirthdyMonthXIntegral"), 2.0)
        .set(QStringLiteral("IsCZPreferential"), 1)
        .set(QStringLiteral("IsCZService"), 1)
        .set(QStringLiteral("CZIntegerType"), 1)
        .set(QStringLiteral("IsIntroduceJS"), 1)
        .set(QStringLiteral("IntroduceJSLimitNum"), 10)
        .set(QStringLiteral("LimitDays"), 365)
        .set(QStringLiteral("IntroducerJS"), 100.0)
        .set(QStringLiteral("NewMemberJS"), 50.0)
        .set(QStringLiteral("IntroducerJSfirstPer"), 10.0)
        .set(QStringLiteral("IntroducerJSPer"), 5.0)
        .set(QStringLiteral("ClearIntegral"), 1)
        .set(QStringLiteral("ClearCycle"), 12)
        .set(QStringLiteral("Grade"), 3);
    d.rules = {rule(PointBands, 0, 1000, 10, 1, QStringLiteral("1000元以内")),
               rule(PointBands, 1000, 5000, 10, 2, QStringLiteral("1000至5000元")),
               rule(PointBands, 5000, 999999, 10, 3, QStringLiteral("5000元以上")),
               rule(StoredValueBonus, 0, 1000, 500, 30, QStringLiteral("储值满500送30元")),
               rule(StoredValueBonus, 1000, 5000, 1000, 100, QStringLiteral("储值满1000送100元")),
               rule(StoredValueBonus, 5000, 100000, 1000, 150, QStringLiteral("储值满1000送150元"))};
    d.rules += gradeRules({3, 10000, 1000, 5000, 5000, 500});
    return d;
}

// Segmented discounts by purchase amount and points per product.
Draft diamondCard(const QList<int>& products) {
    Draft d = draft(QStringLiteral("钻石卡"), 5, QStringLiteral("消费越多折扣越大"));
    memberDiscount(d.row, 0);
    pointsRule(d.row, QStringLiteral("PtypeIntegral"));
    d.row.set(QStringLiteral("automembertotal"), 1)
        .set(QStringLiteral("RepeatNum"), 1)
        .set(QStringLiteral("Grade"), 4);
    d.rules = {rule(SegmentedDiscount, 0, 1000, 0, 0, QStringLiteral("1000元以内"), 98),
               rule(SegmentedDiscount, 1000, 5000, 0, 0, QStringLiteral("1000至5000元"), 95),
               rule(SegmentedDiscount, 5000, 9999999, 0, 0, QStringLiteral("5000元以上"), 90)};
    for (int i = 0; i < 6 && i < products.size(); ++i)
        d.rules.append(productRule(PointsPerProduct, products.at(i * 3 % products.size()), 10, 2, QString()));
    d.rules.append(productRule(PointsPerProduct, 0, 10, 1, QStringLiteral("其它商品")));
    d.rules += gradeRules({4, 50000, 5000, 20000, 20000, 2000});
    return d;
}

// Product discounts only, no points, valid only in the given stores.
Draft staffCard(const QList<int>& stores) {
    Draft d = draft(QStringLiteral("员工卡"), 5, QStringLiteral("仅限内部员工使用"));
    memberDiscount(d.row, 0);
    d.row.set(QStringLiteral("UsePtypeDisCount"), 1)
        .set(QStringLiteral("AutoIntegral"), 0)
        .set(QStringLiteral("RepeatNum"), 1)
        .set(QStringLiteral("PosRange"), 1)
        .set(QStringLiteral("CanAllPos"), 0);
    d.type.stores = stores;
    return d;
}

// A third member price, points per product attribute, only in the franchise stores.
Draft franchiseCard(const QList<int>& stores, int pointsStore, const QList<int>& attributes) {
    Draft d = draft(QStringLiteral("加盟联名卡"), 5, QStringLiteral("加盟店专享"));
    pointsRule(d.row, QStringLiteral("PtypePTIntegral"));
    d.row.set(QStringLiteral("vipPriceType"), 19)
        .set(QStringLiteral("IsCZPreferential"), 1)
        .set(QStringLiteral("PosRange"), 1)
        .set(QStringLiteral("CanAllPos"), 0)
        .set(QStringLiteral("ChangeIntegralPos"), pointsStore);
    for (int i = 0; i < 4 && i < attributes.size(); ++i)
        d.rules.append(productRule(PointsPerAttribute, attributes.at(i), 20, 2, QString()));
    d.rules.append(productRule(PointsPerAttribute, 0, 10, 1, QStringLiteral("其它属性")));
    d.type.stores = stores;
    return d;
}

// Pays with stored value only; the store range is on but covers every store.
Draft storedValueCard() {
    Draft d = draft(QStringLiteral("储值卡"), 10, QStringLiteral("只能用储值结算"));
    d.row.set(QStringLiteral("AutoIntegral"), 0)
        .set(QStringLiteral("IsCZPreferential"), 1)
        .set(QStringLiteral("IsCZService"), 1)
        .set(QStringLiteral("IsOnlyJS"), 1)
        .set(QStringLiteral("CZIntegerType"), 2)
        .set(QStringLiteral("RepeatNum"), 5)
        .set(QStringLiteral("PosRange"), 1);
    d.rules = {rule(StoredValueBonus, 0, 100000, 1000, 100, QStringLiteral("储值满1000送100元"))};
    return d;
}

} // namespace

void DemoCardTypes::fill(Database& db, const DemoStores& stores, const DemoCatalog& catalog) {
    QList<int> directRealTime;
    QList<int> franchise;
    int independentFranchise = 0;
    for (const DemoStores::Store& store : stores.stores()) {
        if (store.connectType == 0 && store.posType == 0)
            directRealTime.append(store.id);
        if (store.posType == 2) {
            franchise.append(store.id);
            if (store.connectType == 1)
                independentFranchise = store.id;
        }
    }

    QList<Draft> drafts = {standardCard(),
                           silverCard(),
                           goldCard(),
                           diamondCard(catalog.products()),
                           staffCard(directRealTime),
                           franchiseCard(franchise, independentFranchise, catalog.attributes()),
                           storedValueCard()};

    for (Draft& draft : drafts) {
        Type& type = draft.type;
        QStringList names;
        for (int storeId : type.stores)
            names.append(stores.store(storeId).name);
        draft.row.set(QStringLiteral("PosNames"),
                      type.stores.isEmpty() ? QStringLiteral("全部门店") : names.join(QLatin1Char(';')));
        // Every save stamps a type anew; the rule cache compares these stamps.
        draft.row.set(QStringLiteral("MD"), m_types.size() + 1);
        type.id = draft.row.insert(db, QStringLiteral("CTypeId"));
        readBack(db, type);
        for (DemoRow& rule : draft.rules)
            rule.set(QStringLiteral("VipTypeId"), type.id).insert(db);
        for (int storeId : type.stores)
            db.execute(QStringLiteral("INSERT INTO PosVipType (PosID, viptype) VALUES (?, ?)"),
                       {storeId, type.id});
        m_types.append(type);
    }
}

const DemoCardTypes::Type& DemoCardTypes::pick(DemoRandom& random) const {
    int total = 0;
    for (const Type& type : m_types)
        total += type.weight;
    int draw = random.between(1, total);
    for (const Type& type : m_types) {
        draw -= type.weight;
        if (draw <= 0)
            return type;
    }
    return m_types.last();
}
