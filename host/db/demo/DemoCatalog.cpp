#include "host/db/demo/DemoCatalog.h"

#include "host/data/Database.h"
#include "host/db/demo/DemoRandom.h"
#include "host/db/demo/DemoRow.h"
#include "host/db/demo/Ean13.h"
#include "host/sdk/Money.h"

namespace {

struct PriceMode {
    int mode;
    const char* name;
    int percentOfRetail; // what the demo charges in this mode
};

const PriceMode PriceModes[] = {
    {1, "零售价", 100},   {2, "批发价", 85},   {3, "预设售价1", 95},  {4, "预设售价2", 90},
    {5, "预设售价3", 88}, {6, "最低售价", 80}, {7, "门店配送价", 75}, {17, "会员价", 92},
    {18, "会员价2", 88},  {19, "会员价3", 85},
};

struct Product {
    const char* name;
    const char* standard;
    const char* unit;
    int retailCents;
};

struct ProductClass {
    const char* name;
    QList<Product> products;
};

struct Department {
    const char* name;
    QList<ProductClass> classes;
};

const QList<Department>& departments() {
    static const QList<Department> list = {
        {"食品",
         {{"休闲零食",
           {{"乐事薯片原味", "70g", "袋", 750},
            {"奥利奥夹心饼干", "97g", "盒", 990},
            {"旺旺雪饼", "84g", "袋", 680},
            {"德芙丝滑牛奶巧克力", "43g", "条", 950},
            {"三只松鼠每日坚果", "25g*7", "盒", 4990}}},
          {"粮油调味",
           {{"金龙鱼调和油", "5L", "桶", 6990},
            {"五常大米", "5kg", "袋", 5990},
            {"海天金标生抽", "500ml", "瓶", 1280},
            {"太太乐鸡精", "200g", "袋", 890}}}}},
        {"饮料酒水",
         {{"饮料",
           {{"农夫山泉饮用天然水", "550ml", "瓶", 200},
            {"可口可乐", "330ml", "罐", 300},
            {"康师傅冰红茶", "500ml", "瓶", 350},
            {"元气森林苏打气泡水", "480ml", "瓶", 550}}},
          {"酒类",
           {{"青岛啤酒经典", "500ml", "罐", 650},
            {"五粮液52度", "500ml", "瓶", 109900},
            {"张裕干红葡萄酒", "750ml", "瓶", 8900}}}}},
        {"日用百货",
         {{"个人护理",
           {{"高露洁牙膏", "140g", "支", 1290},
            {"海飞丝洗发水", "400ml", "瓶", 4590},
            {"舒肤佳香皂", "115g", "块", 590}}},
          {"家居清洁",
           {{"维达抽纸", "3层130抽*6包", "提", 2390},
            {"蓝月亮洗衣液", "3kg", "瓶", 4990},
            {"立白洗洁精", "1.5kg", "瓶", 1590}}}}},
        {"生鲜",
         {{"水果", {{"红富士苹果", "散装", "kg", 1280}, {"海南香蕉", "散装", "kg", 698}}},
          {"乳制品",
           {{"伊利纯牛奶", "250ml*24", "箱", 6990},
            {"蒙牛酸奶", "100g*8", "排", 1990},
            {"光明鲜牛奶", "950ml", "瓶", 1580}}}}},
    };
    return list;
}

// Tree keys of the host: five digits per level, children extend their parent's key.
QString childKey(const QString& parent, int index) {
    return (parent == QLatin1String("00000") ? QString() : parent) +
           QStringLiteral("%1").arg(index, 5, 10, QLatin1Char('0'));
}

constexpr int MemberPriceBit = 2; // bit 1 of ptype.flags

} // namespace

void DemoCatalog::fill(Database& db, DemoRandom& random) {
    fillPriceList(db);
    fillProducts(db, random);
    fillAttributes(db);
}

void DemoCatalog::fillPriceList(Database& db) {
    for (const PriceMode& mode : PriceModes) {
        db.execute(QStringLiteral("INSERT INTO pricelist (PriceMode, PriceName) VALUES (?, ?) "
                                  "ON CONFLICT (PriceMode) DO NOTHING"),
                   {mode.mode, QString::fromUtf8(mode.name)});
    }
}

void DemoCatalog::fillProducts(Database& db, DemoRandom& random) {
    const QString root = QStringLiteral("00000");
    int codeNumber = 0;
    for (int d = 0; d < departments().size(); ++d) {
        const Department& department = departments().at(d);
        const QString departmentKey = childKey(root, d + 1);
        DemoRow(QStringLiteral("ptype"))
            .set(QStringLiteral("typeId"), departmentKey)
            .set(QStringLiteral("parid"), root)
            .set(QStringLiteral("sonnum"), department.classes.size())
            .set(QStringLiteral("UserCode"), QStringLiteral("%1").arg(d + 1, 2, 10, QLatin1Char('0')))
            .set(QStringLiteral("FullName"), QString::fromUtf8(department.name))
            .insert(db);
        for (int c = 0; c < department.classes.size(); ++c) {
            const ProductClass& productClass = department.classes.at(c);
            const QString classKey = childKey(departmentKey, c + 1);
            DemoRow(QStringLiteral("ptype"))
                .set(QStringLiteral("typeId"), classKey)
                .set(QStringLiteral("parid"), departmentKey)
                .set(QStringLiteral("sonnum"), productClass.products.size())
                .set(QStringLiteral("UserCode"), QStringLiteral("%1%2")
                                                     .arg(d + 1, 2, 10, QLatin1Char('0'))
                                                     .arg(c + 1, 2, 10, QLatin1Char('0')))
                .set(QStringLiteral("FullName"), QString::fromUtf8(productClass.name))
                .insert(db);
            for (int p = 0; p < productClass.products.size(); ++p) {
                const Product& product = productClass.products.at(p);
                const qint64 retailCents = product.retailCents;
                // Most products take part in member pricing; a few staples never do.
                const bool memberPrice = random.chance(80);
                const int rec = DemoRow(QStringLiteral("ptype"))
                                    .set(QStringLiteral("typeId"), childKey(classKey, p + 1))
                                    .set(QStringLiteral("parid"), classKey)
                                    .set(QStringLiteral("UserCode"),
                                         QStringLiteral("SP%1").arg(++codeNumber, 4, 10, QLatin1Char('0')))
                                    .set(QStringLiteral("FullName"), QString::fromUtf8(product.name))
                                    .set(QStringLiteral("Standard"), QString::fromUtf8(product.standard))
                                    .set(QStringLiteral("Unit"), QString::fromUtf8(product.unit))
                                    .set(QStringLiteral("BarCode"),
                                         Ean13::withCheckDigit(QStringLiteral("69") + random.digits(10)))
                                    .set(QStringLiteral("RetailPrice"),
                                         QVariant::fromValue(Money::fromRaw(retailCents * 100)))
                                    .set(QStringLiteral("flags"), memberPrice ? MemberPriceBit : 0)
                                    .insert(db, QStringLiteral("rec"));
                m_products.append(rec);
                for (const PriceMode& mode : PriceModes) {
                    const bool discounted = mode.mode < MemberPriceMode || memberPrice;
                    // Prices end in whole jiao, as shelf labels do.
                    const qint64 cents =
                        discounted ? (retailCents * mode.percentOfRetail / 100) / 10 * 10 : retailCents;
                    db.execute(QStringLiteral(
                                   "INSERT INTO ptypeprice (PtypeRec, PriceMode, Price) VALUES (?, ?, ?)"),
                               {rec, mode.mode, QVariant::fromValue(Money::fromRaw(cents * 100))});
                }
            }
        }
    }
}

void DemoCatalog::fillAttributes(Database& db) {
    struct Group {
        const char* code;
        const char* name;
        QList<const char*> values;
    };
    const QList<Group> groups = {
        {"YS", "颜色", {"红色", "蓝色", "白色", "黑色"}},
        {"GG", "包装规格", {"小包装", "家庭装", "礼盒装"}},
        {"CD", "产地", {"国产", "进口"}},
    };
    const QString root = QStringLiteral("00000");
    const int rootRec = DemoRow(QStringLiteral("BaseInfoProperty"))
                            .set(QStringLiteral("typeid"), root)
                            .set(QStringLiteral("parid"), 0)
                            .set(QStringLiteral("UserCode"), QStringLiteral("00"))
                            .set(QStringLiteral("FullName"), QStringLiteral("商品属性"))
                            .insert(db, QStringLiteral("rec"));
    for (int g = 0; g < groups.size(); ++g) {
        const QString groupKey = childKey(root, g + 1);
        const int groupRec = DemoRow(QStringLiteral("BaseInfoProperty"))
                                 .set(QStringLiteral("typeid"), groupKey)
                                 .set(QStringLiteral("parid"), rootRec)
                                 .set(QStringLiteral("UserCode"), QString::fromLatin1(groups[g].code))
                                 .set(QStringLiteral("FullName"), QString::fromUtf8(groups[g].name))
                                 .insert(db, QStringLiteral("rec"));
        for (int v = 0; v < groups[g].values.size(); ++v) {
            m_attributes.append(
                DemoRow(QStringLiteral("BaseInfoProperty"))
                    .set(QStringLiteral("typeid"), childKey(groupKey, v + 1))
                    .set(QStringLiteral("parid"), groupRec)
                    .set(QStringLiteral("UserCode"), QStringLiteral("%1%2")
                                                         .arg(QString::fromLatin1(groups[g].code))
                                                         .arg(v + 1, 2, 10, QLatin1Char('0')))
                    .set(QStringLiteral("FullName"), QString::fromUtf8(groups[g].values[v]))
                    .insert(db, QStringLiteral("rec")));
        }
    }
}
