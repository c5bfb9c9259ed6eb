#include "host/sdk/ModuleRegistry.h"
#include "host/sdk/VipTypeList.h"
#include "tests/support/TestDatabase.h"
#include "vip/cardtypes/TVipTtypeCash.h"
#include "vip/frame/ModuleGlobals.h"
#include "vip/frame/PackageEntry.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTest>

namespace {

struct Expected {
    const char* name;
    int windowNo;
    int editions;
    int rights;
};

// What the host must see after start-up, in registration order, edition words as
// the hexadecimal values the host documents for them.
const Expected queryClasses[] = {
    {"TETCCashQuery", 827, 0x22, 837},
    {"TETCDiscountQuery", 828, 0x0, 0},
    {"TETCPreferentialQuery", 829, 0x0, 0},
    {"TSelectVIPInfo", 6, 0x0, 0},
    {"TETCCardCash", 830, 0x26, 840},
    {"TETCCardDiscount", 831, 0x0, 0},
    {"TETCCardPreferential", 832, 0x0, 0},
    {"TETCCardOPen", 836, 0x26, 843},
    {"TETCCardSelect", 836, 0x0, 0},
    {"TETCCardMultSelect", 836, 0x0, 0},
    {"TETCCount", 837, 0x226, 845},
    {"TETCUseDetail", 838, 0x0, 0},
    {"TETCUseCardDetail", 845, 0x0, 0},
    {"TETCCardListByVIP", 870, 0x0, 0},
    {"TVipQuery", 6, 0x12E, 160},
    {"TVipServiceQuery", 889, 0x2E, 902},
    {"TvipCardServiceQuery", 892, 0x2A, 908},
    {"TvipCardSrvConsumeQuery", 893, 0x22E, 908},
    {"TvipCardSrvConsumeDQuery", 894, 0x2A, 908},
    {"TSelCZUserList", 508, 0x32E, 592},
    {"TSelCZUserListMX", 510, 0x22A, 0},
    {"Txfjlcx", 260, 0x0, 0},
    {"TVIPCardIntegralMx", 261, 0x0, 0},
    {"TEtypeIntegralMx", 262, 0x0, 0},
    {"TVipCardType", 7, 0x32A, 677},
    {"TVipCardTypeSel", 7, 0x0, 0},
    {"TVipCardTypeSet", 7, 0x12A, 677},
    {"TPosMultSel", 265, 0x0, 0},
    {"TCzManage", 273, 0x166, 510},
    {"TCzSaleList", 276, 0x0, 0},
    {"TCzGetBackList", 277, 0x0, 0},
    {"TCzSalePList", 278, 0x0, 0},
    {"TCz00", 401, 0x12A, 155},
    {"TPosMultSelFun", 265, 0x0, 0},
    {"TMachineSel", 916, 0x0, 0},
    {"TPosWithCenterMultSel", 265, 0x0, 0},
    {"TVipExchangeQuery", 464, 0x162, 931},
    {"TVipIntroducerIntegralQuery", 911, 0x2A, 945},
    {"TVipConsumeAnalysis", 468, 0x366, 544},
    {"TVipDaySale", 470, 0x0, 0},
    {"TVipDaySaleList", 471, 0x0, 0},
    {"TVipDaySaleMX", 472, 0x0, 0},
    {"TVipIntegralUpdateQuery", 475, 0x366, 702},
    {"TVIPPOSJFQuery", 724, 0x0, 0},
    {"TVIPPOSJFQueryDetail", 725, 0x0, 0},
    {"TJSVipCardList", 834, 0x0, 0},
    {"TSetVipUpgrade", 910, 0x2E, 949},
    {"TVipUpgardeQuery", 913, 0x22E, 950},
    {"TVipPriceLimit", 462, 0x1FE, 0},
    {"TVipPtypeDis", 474, 0x1FE, 0},
    {"TVipXIntegralSet", 473, 0x4C, 547},
};

const Expected functions[] = {
    {"TFunCard", 0, 0x126, 935},
    {"ShowVipInfoAction", 0, 0x12E, 521},
    {"TETCCardManage.ShowETCCardOpenOne_P", 0, 0x26, 843},
    {"IntegralExchage_Cash", 0, 0x12E, 508},
    {"IntegralExchage_Cz", 0, 0x12E, 826},
    {"IntegralExchage_Sp", 0, 0x12E, 827},
    {"IntegralExchage_Gwk", 0, 0x2E, 855},
    {"IntegralVipTotal_Adjust", 0, 0x12E, 828},
    {"ShowCzServiceForReg", 0, 0x2E, 906},
    {"ShowCzServiceConsumeForReg", 0, 0x2E, 907},
};

const QStringList memberCaptions = {
    QStringLiteral("会员卡号"),   QStringLiteral("发卡日期"),        QStringLiteral("有效期"),
    QStringLiteral("持卡类型"),   QStringLiteral("持卡人"),          QStringLiteral("电话"),
    QStringLiteral("出生年月日"), QStringLiteral("身份证号"),        QStringLiteral("是否启用储值"),
    QStringLiteral("储值密码"),   QStringLiteral("是否启用服务项目")};
const QStringList couponCaptions = {QStringLiteral("卡号"),     QStringLiteral("类型"),
                                    QStringLiteral("绑定会员"), QStringLiteral("门店"),
                                    QStringLiteral("金额"),     QStringLiteral("生效日期")};

// One Initialize matched by one Finalize, also when a check fails half-way, so
// that no test inherits a started module from another.
class StartedModule {
public:
    StartedModule() { Initialize(); }
    ~StartedModule() { Finalize(); }
    StartedModule(const StartedModule&) = delete;
    StartedModule& operator=(const StartedModule&) = delete;
};

QStringList registeredClassNames() {
    QStringList names;
    for (const QueryClassEntry& entry : gQueryClassFactory().Entries())
        names.append(entry.className);
    return names;
}

} // namespace

class PackageFrameTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        // The registries belong to the host and outlive a shut-down; start each
        // test from empty ones so that what is found was registered by this test.
        gQueryClassFactory().Clear();
        ComClassReg().Clear();
    }

    void startUpRegistersTheTablesInOrder() {
        StartedModule module;
        const QList<QueryClassEntry>& classes = gQueryClassFactory().Entries();
        QCOMPARE(classes.size(), qsizetype(std::size(queryClasses)));
        for (qsizetype i = 0; i < classes.size(); ++i) {
            const Expected& want = queryClasses[i];
            QCOMPARE(classes[i].className, QLatin1String(want.name));
            QCOMPARE(classes[i].windowNo, want.windowNo);
            QCOMPARE(int(classes[i].editions), want.editions);
            QCOMPARE(classes[i].rights, want.rights);
        }
        const QList<ComClassEntry>& named = ComClassReg().Entries();
        QCOMPARE(named.size(), qsizetype(std::size(functions)));
        for (qsizetype i = 0; i < named.size(); ++i) {
            QCOMPARE(named[i].name, QLatin1String(functions[i].name));
            QCOMPARE(int(named[i].editions), functions[i].editions);
            QCOMPARE(named[i].rights, functions[i].rights);
        }

        const PackageInfo* info = GetPackageInfoTable();
        QVERIFY(info);
        const QStringList unitOrder = {QStringLiteral("Uczoperator"),    QStringLiteral("Uetctypemanage"),
                                       QStringLiteral("Uvipcash"),       QStringLiteral("Fundev"),
                                       QStringLiteral("Y_vipinfo"),      QStringLiteral("Uetccardbatchadd"),
                                       QStringLiteral("Uetccardmanage"), QStringLiteral("Kvr_vipchangetotal"),
                                       QStringLiteral("Uvipinfo"),       QStringLiteral("Uvippricelimit"),
                                       QStringLiteral("Uvipptypedis"),   QStringLiteral("Uptypeintegralset")};
        QCOMPARE(info->unitCount, int(unitOrder.size()));
        QStringList shutDownUnits;
        for (int i = 0; i < info->unitCount; ++i) {
            QCOMPARE(QLatin1String(info->units[i].name), unitOrder[i]);
            if (info->units[i].hasShutDown)
                shutDownUnits.append(QLatin1String(info->units[i].name));
        }
        // Exactly the units that own something to free or clear have shut-down code.
        QCOMPARE(shutDownUnits, (QStringList{QStringLiteral("Uvipcash"), QStringLiteral("Fundev"),
                                             QStringLiteral("Y_vipinfo"), QStringLiteral("Uetccardmanage")}));
        QVERIFY(info->units[1].hasStartUp);
        QVERIFY(info->units[8].hasStartUp);
    }

    void repeatedStartUpAndShutDownAreCounted() {
        QVERIFY(!VipTtypeCash);
        QVERIFY(!FunCard);
        Finalize(); // without a start-up: must tear nothing down and not upset the count
        {
            StartedModule first;
            TVipTtypeCash* const cache = VipTtypeCash;
            TFunCard* const card = FunCard;
            QVERIFY(cache);
            QVERIFY(card);
            QCOMPARE(ValueCaption, memberCaptions);
            QCOMPARE(FValueCaption, couponCaptions);
            const QStringList namesOnce = registeredClassNames();
            {
                StartedModule second;
                QCOMPARE(VipTtypeCash, cache);
                QCOMPARE(FunCard, card);
                QCOMPARE(registeredClassNames(), namesOnce);
                QCOMPARE(ComClassReg().Entries().size(), qsizetype(std::size(functions)));
            }
            // The second start-up's shut-down leaves the module running for the first.
            QCOMPARE(VipTtypeCash, cache);
            QCOMPARE(FunCard, card);
            QCOMPARE(ValueCaption.size(), memberCaptions.size());
            QCOMPARE(FValueCaption.size(), couponCaptions.size());
        }
        QVERIFY(!VipTtypeCash);
        QVERIFY(!FunCard);
        QVERIFY(ValueCaption.isEmpty());
        QVERIFY(FValueCaption.isEmpty());
        // Registration is the host's to undo, not the module's.
        QCOMPARE(gQueryClassFactory().Entries().size(), qsizetype(std::size(queryClasses)));
        QCOMPARE(ComClassReg().Entries().size(), qsizetype(std::size(functions)));

        // Loaded again after a shut-down: everything comes back, nothing twice.
        StartedModule again;
        QVERIFY(VipTtypeCash);
        QVERIFY(FunCard);
        QCOMPARE(ValueCaption, memberCaptions);
        QCOMPARE(gQueryClassFactory().Entries().size(), qsizetype(std::size(queryClasses)));
        QCOMPARE(ComClassReg().Entries().size(), qsizetype(std::size(functions)));
    }

    void classesSharingAWindowNumberAreFoundByName() {
        StartedModule module;
        // Siblings under one number carry different rights and editions, so a lookup
        // that stopped at the first class of the number would be caught here.
        const Expected siblings[] = {
            {"TVipCardType", 7, 0x32A, 677},     {"TVipCardTypeSel", 7, 0x0, 0},
            {"TVipCardTypeSet", 7, 0x12A, 677},  {"TPosMultSel", 265, 0x0, 0},
            {"TPosMultSelFun", 265, 0x0, 0},     {"TPosWithCenterMultSel", 265, 0x0, 0},
            {"TETCCardOPen", 836, 0x26, 843},    {"TETCCardSelect", 836, 0x0, 0},
            {"TETCCardMultSelect", 836, 0x0, 0}, {"TSelectVIPInfo", 6, 0x0, 0},
            {"TVipQuery", 6, 0x12E, 160},
        };
        for (const Expected& want : siblings) {
            const QueryClassEntry* entry = gQueryClassFactory().Find(QLatin1String(want.name));
            QVERIFY2(entry, want.name);
            QCOMPARE(entry->className, QLatin1String(want.name));
            QCOMPARE(entry->windowNo, want.windowNo);
            QCOMPARE(int(entry->editions), want.editions);
            QCOMPARE(entry->rights, want.rights);
            // The card-type windows and the store pickers are offered; the others are
            // not yet, and the host shows those as unavailable.
            const QByteArray name(want.name);
            QCOMPARE(bool(entry->create), name.startsWith("TVipCardType") || name.startsWith("TPos"));
        }
        QVERIFY(!gQueryClassFactory().Find(QStringLiteral("TVipCardTypeSelect")));
        const ComClassEntry* device = ComClassReg().Find(QStringLiteral("TFunCard"));
        QVERIFY(device);
        QCOMPARE(int(device->editions), 0x126);
    }

    void moduleCacheLivesFromStartUpToShutDown() {
        TestDatabase db;
        const auto addType = [&](const QString& name, double discount) {
            return db.data().OpenSQLAsInt(
                QStringLiteral(
                    "INSERT INTO viptype (TypeName, Discount, MD) VALUES (?, ?, 1) RETURNING CTypeId"),
                {name, discount});
        };
        const int gold = addType(QStringLiteral("金卡"), 88);
        {
            StartedModule module;
            QCOMPARE(VipTtypeCash->GetVipTypeList(gold, 0).Discount, 88.0);
            db.data().ExecuteSQL(QStringLiteral("UPDATE viptype SET Discount = 75 WHERE CTypeId = ?"),
                                 {gold});
            // The running module keeps what it read until a stamp says otherwise.
            QCOMPARE(VipTtypeCash->GetVipTypeList(gold, 0).Discount, 88.0);
        }
        // A module started again starts with an empty cache and reads the types anew.
        StartedModule restarted;
        QCOMPARE(VipTtypeCash->GetVipTypeList(gold, 0).Discount, 75.0);
        QCOMPARE(VipTtypeCash->GetVipTypeList(gold, 0).TypeName, QStringLiteral("金卡"));
    }

    void vipctlPrintsTheRegistries() {
        TestDatabase db;
        const QString vipctl =
            QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("vipctl"));
        QVERIFY2(QFileInfo::exists(vipctl), qPrintable(vipctl));
        QProcess process;
        process.start(vipctl, {QStringLiteral("registry"), QStringLiteral("--db"), db.setting()});
        QVERIFY(process.waitForFinished(60000));
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QVERIFY2(process.exitCode() == 0, process.readAllStandardError().constData());
        const QStringList lines =
            QString::fromUtf8(process.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), qsizetype(std::size(queryClasses) + std::size(functions)));
        QCOMPARE(lines.first(), QStringLiteral("TETCCashQuery\t827\t0x22\t837"));
        QCOMPARE(lines.last(), QStringLiteral("ShowCzServiceConsumeForReg\t\t0x2E\t907"));
        QVERIFY(lines.contains(QStringLiteral("TVipDaySale\t470\t0x0\t0")));
        // Query classes first, then the functions, each list in its own order.
        QCOMPARE(lines.at(std::size(queryClasses) - 1), QStringLiteral("TVipXIntegralSet\t473\t0x4C\t547"));
        QCOMPARE(lines.at(std::size(queryClasses)), QStringLiteral("TFunCard\t\t0x126\t935"));
    }
};

QTEST_GUILESS_MAIN(PackageFrameTest)
#include "tst_PackageFrame.moc"
