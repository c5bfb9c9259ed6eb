#include "host/sdk/ModuleRegistry.h"
#include "tests/support/TestDatabase.h"
#include "vip/cardtypes/TVipTtypeCash.h"
#include "vip/base/ModuleGlobals.h"
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
// the hexadecimal values the host documents for them. Several classes share a
// window number with different rights and editions, so a lookup that stopped at
// the first class of a number shows.
// clang-format off
const Expected queryClasses[] = {
    {"TETCCashQuery", 827, 0x22, 837},                {"TETCDiscountQuery", 828, 0x0, 0},
    {"TETCPreferentialQuery", 829, 0x0, 0},           {"TSelectVIPInfo", 6, 0x0, 0},
    {"TETCCardCash", 830, 0x26, 840},                 {"TETCCardDiscount", 831, 0x0, 0},
    {"TETCCardPreferential", 832, 0x0, 0},            {"TETCCardOPen", 836, 0x26, 843},
    {"TETCCardSelect", 836, 0x0, 0},                  {"TETCCardMultSelect", 836, 0x0, 0},
    {"TETCCount", 837, 0x226, 845},                   {"TETCUseDetail", 838, 0x0, 0},
    {"TETCUseCardDetail", 845, 0x0, 0},               {"TETCCardListByVIP", 870, 0x0, 0},
    {"TVipQuery", 6, 0x12E, 160},                     {"TVipServiceQuery", 889, 0x2E, 902},
    {"TvipCardServiceQuery", 892, 0x2A, 908},         {"TvipCardSrvConsumeQuery", 893, 0x22E, 908},
    {"TvipCardSrvConsumeDQuery", 894, 0x2A, 908},     {"TSelCZUserList", 508, 0x32E, 592},
    {"TSelCZUserListMX", 510, 0x22A, 0},              {"Txfjlcx", 260, 0x0, 0},
    {"TVIPCardIntegralMx", 261, 0x0, 0},              {"TEtypeIntegralMx", 262, 0x0, 0},
    {"TVipCardType", 7, 0x32A, 677},                  {"TVipCardTypeSel", 7, 0x0, 0},
    {"TVipCardTypeSet", 7, 0x12A, 677},               {"TPosMultSel", 265, 0x0, 0},
    {"TCzManage", 273, 0x166, 510},                   {"TCzSaleList", 276, 0x0, 0},
    {"TCzGetBackList", 277, 0x0, 0},                  {"TCzSalePList", 278, 0x0, 0},
    {"TCz00", 401, 0x12A, 155},                       {"TPosMultSelFun", 265, 0x0, 0},
    {"TMachineSel", 916, 0x0, 0},                     {"TPosWithCenterMultSel", 265, 0x0, 0},
    {"TVipExchangeQuery", 464, 0x162, 931},           {"TVipIntroducerIntegralQuery", 911, 0x2A, 945},
    {"TVipConsumeAnalysis", 468, 0x366, 544},         {"TVipDaySale", 470, 0x0, 0},
    {"TVipDaySaleList", 471, 0x0, 0},                 {"TVipDaySaleMX", 472, 0x0, 0},
    {"TVipIntegralUpdateQuery", 475, 0x366, 702},     {"TVIPPOSJFQuery", 724, 0x0, 0},
    {"TVIPPOSJFQueryDetail", 725, 0x0, 0},            {"TJSVipCardList", 834, 0x0, 0},
    {"TSetVipUpgrade", 910, 0x2E, 949},               {"TVipUpgardeQuery", 913, 0x22E, 950},
    {"TVipPriceLimit", 462, 0x1FE, 0},                {"TVipPtypeDis", 474, 0x1FE, 0},
    {"TVipXIntegralSet", 473, 0x4C, 547},
};

const Expected functions[] = {
    {"TFunCard", 0, 0x126, 935},                            {"ShowVipInfoAction", 0, 0x12E, 521},
    {"TETCCardManage.ShowETCCardOpenOne_P", 0, 0x26, 843},  {"IntegralExchage_Cash", 0, 0x12E, 508},
    {"IntegralExchage_Cz", 0, 0x12E, 826},                  {"IntegralExchage_Sp", 0, 0x12E, 827},
    {"IntegralExchage_Gwk", 0, 0x2E, 855},                  {"IntegralVipTotal_Adjust", 0, 0x12E, 828},
    {"ShowCzServiceForReg", 0, 0x2E, 906},                  {"ShowCzServiceConsumeForReg", 0, 0x2E, 907},
};
// clang-format on

constexpr qsizetype QueryClassCount = qsizetype(std::size(queryClasses));
constexpr qsizetype FunctionCount = qsizetype(std::size(functions));

// One Initialize matched by one Finalize, also when a check fails half-way, so
// that no test inherits a started module from another.
class StartedModule {
public:
    StartedModule() { Initialize(); }
    ~StartedModule() { Finalize(); }
    StartedModule(const StartedModule&) = delete;
    StartedModule& operator=(const StartedModule&) = delete;
};

// Both registries in order, each entry once.
QStringList registered() {
    QStringList names;
    for (const QueryClassEntry& entry : gQueryClassFactory().Entries())
        names.append(entry.className);
    for (const ComClassEntry& entry : ComClassReg().Entries())
        names.append(entry.name);
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

    void startUpRegistersTheTablesInOrderAndFindsEachByName() {
        StartedModule module;
        const QList<QueryClassEntry>& classes = gQueryClassFactory().Entries();
        QCOMPARE(classes.size(), QueryClassCount);
        for (qsizetype i = 0; i < classes.size(); ++i) {
            const Expected& want = queryClasses[i];
            QCOMPARE(classes[i].className, QLatin1String(want.name));
            QCOMPARE(classes[i].windowNo, want.windowNo);
            QCOMPARE(int(classes[i].editions), want.editions);
            QCOMPARE(classes[i].rights, want.rights);
            QCOMPARE(gQueryClassFactory().Find(QLatin1String(want.name)), &classes[i]);
            // The card-type windows and the store and machine pickers are offered; the
            // others are not yet, and the host shows those as unavailable.
            const QByteArray name(want.name);
            QCOMPARE(bool(classes[i].create),
                     name.startsWith("TVipCardType") || name.startsWith("TPos") || name == "TMachineSel");
        }
        QVERIFY(!gQueryClassFactory().Find(QStringLiteral("TVipCardTypeSelect")));
        const QList<ComClassEntry>& named = ComClassReg().Entries();
        QCOMPARE(named.size(), FunctionCount);
        for (qsizetype i = 0; i < named.size(); ++i) {
            QCOMPARE(named[i].name, QLatin1String(functions[i].name));
            QCOMPARE(int(named[i].editions), functions[i].editions);
            QCOMPARE(named[i].rights, functions[i].rights);
            QCOMPARE(ComClassReg().Find(QLatin1String(functions[i].name)), &named[i]);
        }

        const PackageInfo* info = GetPackageInfoTable();
        QVERIFY(info);
        QStringList units;
        QStringList shutDownUnits;
        for (int i = 0; i < info->unitCount; ++i) {
            units.append(QLatin1String(info->units[i].name));
            if (info->units[i].hasShutDown)
                shutDownUnits.append(units.last());
        }
        QCOMPARE(units,
                 QStringLiteral("Uczoperator Uetctypemanage Uvipcash Fundev Y_vipinfo Uetccardbatchadd "
                                "Uetccardmanage Kvr_vipchangetotal Uvipinfo Uvippricelimit "
                                "Uvipptypedis Uptypeintegralset")
                     .split(QLatin1Char(' ')));
        // Exactly the units that own something to free or clear have shut-down code.
        QCOMPARE(shutDownUnits,
                 QStringLiteral("Uvipcash Fundev Y_vipinfo Uetccardmanage").split(QLatin1Char(' ')));
        QVERIFY(info->units[1].hasStartUp);
        QVERIFY(info->units[8].hasStartUp);
    }

    void repeatedStartUpAndShutDownAreCounted() {
        QVERIFY(!VipTtypeCash);
        QVERIFY(!FunCard);
        Finalize(); // without a start-up: must tear nothing down and not upset the count
        QStringList namesOnce;
        {
            StartedModule first;
            TVipTtypeCash* const cache = VipTtypeCash;
            TFunCard* const card = FunCard;
            QVERIFY(cache);
            QVERIFY(card);
            QCOMPARE(ValueCaption.first(), QStringLiteral("会员卡号"));
            QCOMPARE(FValueCaption.size(), qsizetype(6));
            namesOnce = registered();
            QCOMPARE(namesOnce.size(), QueryClassCount + FunctionCount);
            {
                StartedModule second;
                QCOMPARE(VipTtypeCash, cache);
                QCOMPARE(FunCard, card);
                QCOMPARE(registered(), namesOnce);
            }
            // The second start-up's shut-down leaves the module running for the first.
            QCOMPARE(VipTtypeCash, cache);
            QCOMPARE(FunCard, card);
            QCOMPARE(ValueCaption.size(), qsizetype(11));
            QCOMPARE(FValueCaption.size(), qsizetype(6));
        }
        QVERIFY(!VipTtypeCash);
        QVERIFY(!FunCard);
        QVERIFY(ValueCaption.isEmpty());
        QVERIFY(FValueCaption.isEmpty());
        // Registration is the host's to undo, not the module's.
        QCOMPARE(registered(), namesOnce);

        // Loaded again after a shut-down: everything comes back, nothing twice.
        StartedModule again;
        QVERIFY(VipTtypeCash);
        QVERIFY(FunCard);
        QCOMPARE(ValueCaption.size(), qsizetype(11));
        QCOMPARE(registered(), namesOnce);
    }

    void vipctlPrintsTheRegistries() {
        TestDatabase db;
        const QString vipctl =
            QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("vipctl"));
        QVERIFY2(QFileInfo::exists(vipctl), qPrintable(vipctl));
        QProcess process;
        process.start(vipctl, {QStringLiteral("registry"), QStringLiteral("--db"), db.setting().text()});
        QVERIFY(process.waitForFinished(60000));
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QVERIFY2(process.exitCode() == 0, process.readAllStandardError().constData());
        const QStringList lines =
            QString::fromUtf8(process.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        // Query classes first, then the functions (no window number), each in its own order.
        QStringList expected;
        for (const Expected& e : queryClasses)
            expected.append(QStringLiteral("%1\t%2\t0x%3\t%4")
                                .arg(QLatin1String(e.name))
                                .arg(e.windowNo)
                                .arg(QString::number(e.editions, 16).toUpper())
                                .arg(e.rights));
        for (const Expected& e : functions)
            expected.append(QStringLiteral("%1\t\t0x%2\t%3")
                                .arg(QLatin1String(e.name), QString::number(e.editions, 16).toUpper())
                                .arg(e.rights));
        QCOMPARE(lines, expected);
        QCOMPARE(lines.first(), QStringLiteral("TETCCashQuery\t827\t0x22\t837"));
    }
};

QTEST_GUILESS_MAIN(PackageFrameTest)
#include "tst_PackageFrame.moc"
