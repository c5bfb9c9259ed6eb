#include "host/sdk/ModuleRegistry.h"
#include "host/sdk/Ucomvar.h"
#include "host/sdk/ui/Accelerator.h"
#include "host/sdk/ui/TBaseQuery.h"
#include "host/ui/DeskMainWindow.h"
#include "host/ui/DeskMenuBuilder.h"
#include "tests/support/FlowFixture.h"
#include "tests/support/MenuText.h"
#include "tests/support/TestUser.h"
#include "vip/base/ModuleGlobals.h"
#include "vip/cardtypes/CardTypeRuleExports.h"
#include "vip/cardtypes/VipCardTypeSet.h"
#include "vip/cardtypes/VipTypePosLists.h"
#include "vip/devices/DeviceExports.h"
#include "vip/frame/PackageEntry.h"
#include "vip/members/VipAddListShow.h"
#include "vip/members/VipCardImport.h"
#include "vip/members/VipSelectExports.h"
#include "vip/points/PointsExports.h"
#include "vip/storedvalue/ServiceExports.h"
#include "vip/storedvalue/ServiceRuleExports.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QTabWidget>
#include <QTest>
#include <algorithm>

namespace {

using enum Subsystem;

struct Expected {
    const char* name;
    int windowNo; // 0: a named function
    int editions;
    int rights;
    Subsystem subsystem;
    const char* caption;
};

// The named functions that run; the others are registered without one.
const QStringList BuiltFunctions{QStringLiteral("TFunCard"),
                                 QStringLiteral("ShowVipInfoAction"),
                                 QStringLiteral("DoGetPrice"),
                                 QStringLiteral("DoBackPrice"),
                                 QStringLiteral("IntegralVipTotal_Adjust"),
                                 QStringLiteral("TETCCardManage.ShowETCCardOpenOne_P"),
                                 QStringLiteral("ShowCzServiceForReg"),
                                 QStringLiteral("ShowCzServiceConsumeForReg"),
                                 QStringLiteral("IntegralExchage_Cash"),
                                 QStringLiteral("IntegralExchage_Cz"),
                                 QStringLiteral("IntegralExchage_Sp"),
                                 QStringLiteral("IntegralExchage_Gwk")};

// The windows built so far besides the card-type lists and the store pickers.
const QStringList BuiltWindows{
    QStringLiteral("TMachineSel"),
    QStringLiteral("TVipQuery"),
    QStringLiteral("TVipServiceQuery"),
    QStringLiteral("TvipCardServiceQuery"),
    QStringLiteral("TvipCardSrvConsumeDQuery"),
    QStringLiteral("TETCCashQuery"),
    QStringLiteral("TETCDiscountQuery"),
    QStringLiteral("TETCPreferentialQuery"),
    QStringLiteral("TSelectVIPInfo"),
    QStringLiteral("TETCCardCash"),
    QStringLiteral("TETCCardDiscount"),
    QStringLiteral("TETCCardPreferential"),
    QStringLiteral("TETCCardOPen"),
    QStringLiteral("TETCCardSelect"),
    QStringLiteral("TETCCardMultSelect"),
    QStringLiteral("TETCCount"),
    QStringLiteral("TETCUseDetail"),
    QStringLiteral("TETCUseCardDetail"),
    QStringLiteral("TETCCardListByVIP"),
    QStringLiteral("TVipExchangeQuery"),
    QStringLiteral("TvipCardSrvConsumeQuery"),
};

// What the host must see after start-up: windows and functions together in the
// order the units register them, edition words as the hexadecimal values the host
// documents for them. Several classes share a window number with different rights
// and editions, so a lookup that stopped at the first class of a number shows.
// clang-format off
const Expected table[] = {
    {"TETCCashQuery", 827, 0x22, 837, Coupons, "购物卡类型"},
    {"TETCDiscountQuery", 828, 0x0, 0, Coupons, ""},
    {"TETCPreferentialQuery", 829, 0x0, 0, Coupons, ""},
    {"TFunCard", 0, 0x126, 935, Devices, "IC卡设置"},
    {"ShowVipInfoAction", 0, 0x12E, 521, Members, "会员发卡"},
    {"TSelectVIPInfo", 6, 0x0, 0, Coupons, ""},
    {"TETCCardCash", 830, 0x26, 840, Coupons, "购物卡管理"},
    {"TETCCardDiscount", 831, 0x0, 0, Coupons, ""},
    {"TETCCardPreferential", 832, 0x0, 0, Coupons, ""},
    {"TETCCardOPen", 836, 0x26, 843, Coupons, "购物卡发放"},
    {"TETCCardSelect", 836, 0x0, 0, Coupons, ""},
    {"TETCCardMultSelect", 836, 0x0, 0, Coupons, ""},
    {"TETCCount", 837, 0x226, 845, Coupons, "购物卡统计"},
    {"TETCUseDetail", 838, 0x0, 0, Coupons, ""},
    {"TETCUseCardDetail", 845, 0x0, 0, Coupons, ""},
    {"TETCCardListByVIP", 870, 0x0, 0, Coupons, ""},
    {"TETCCardManage.ShowETCCardOpenOne_P", 0, 0x26, 843, Coupons, "购物卡单张发放"},
    {"IntegralExchage_Cash", 0, 0x12E, 508, Points, "积分兑换现金"},
    {"IntegralExchage_Cz", 0, 0x12E, 826, Points, "积分兑换储值"},
    {"IntegralExchage_Sp", 0, 0x12E, 827, Points, "积分兑换商品"},
    {"IntegralExchage_Gwk", 0, 0x2E, 855, Points, "积分兑换购物卡"},
    {"IntegralVipTotal_Adjust", 0, 0x12E, 828, Points, "积分调整"},
    {"TVipQuery", 6, 0x12E, 160, Members, "会员卡管理"},
    {"TVipServiceQuery", 889, 0x2E, 902, StoredValue, "服务项目"},
    {"ShowCzServiceForReg", 0, 0x2E, 906, StoredValue, "服务项目充值"},
    {"ShowCzServiceConsumeForReg", 0, 0x2E, 907, StoredValue, "服务项目消费"},
    {"TvipCardServiceQuery", 892, 0x2A, 908, StoredValue, "会员服务次数"},
    {"TvipCardSrvConsumeQuery", 893, 0x22E, 908, StoredValue, "服务次数使用"},
    {"TvipCardSrvConsumeDQuery", 894, 0x2A, 908, StoredValue, "服务消费记录"},
    {"TSelCZUserList", 508, 0x32E, 592, StoredValue, "充值退款汇总"},
    {"TSelCZUserListMX", 510, 0x22A, 0, StoredValue, "充值退款明细"},
    {"Txfjlcx", 260, 0x0, 0, Reports, ""},
    {"TVIPCardIntegralMx", 261, 0x0, 0, Reports, ""},
    {"TEtypeIntegralMx", 262, 0x0, 0, Reports, ""},
    {"TVipCardType", 7, 0x32A, 677, CardTypes, "会员卡类型查询"},
    {"TVipCardTypeSel", 7, 0x0, 0, CardTypes, ""},
    {"TVipCardTypeSet", 7, 0x12A, 677, CardTypes, "会员卡类型设置"},
    {"TPosMultSel", 265, 0x0, 0, Frame, ""},
    {"TCzManage", 273, 0x166, 510, StoredValue, "储值管理"},
    {"TCzSaleList", 276, 0x0, 0, StoredValue, ""},
    {"TCzGetBackList", 277, 0x0, 0, StoredValue, ""},
    {"TCzSalePList", 278, 0x0, 0, StoredValue, ""},
    {"TCz00", 401, 0x12A, 155, StoredValue, "储值期初"},
    {"DoGetPrice", 0, 0x166, 510, StoredValue, "会员卡充值"},
    {"DoBackPrice", 0, 0x166, 510, StoredValue, "会员卡退款"},
    {"TPosMultSelFun", 265, 0x0, 0, Frame, ""},
    {"TMachineSel", 916, 0x0, 0, Frame, ""},
    {"TPosWithCenterMultSel", 265, 0x0, 0, Frame, ""},
    {"TVipExchangeQuery", 464, 0x162, 931, Points, "积分兑换设置"},
    {"TVipIntroducerIntegralQuery", 911, 0x2A, 945, Points, "介绍人奖励设置"},
    {"TVipConsumeAnalysis", 468, 0x366, 544, Reports, "会员消费分析"},
    {"TVipDaySale", 470, 0x0, 0, Reports, ""},
    {"TVipDaySaleList", 471, 0x0, 0, Reports, ""},
    {"TVipDaySaleMX", 472, 0x0, 0, Reports, ""},
    {"TVipIntegralUpdateQuery", 475, 0x366, 702, Points, "积分变动记录"},
    {"TVIPPOSJFQuery", 724, 0x0, 0, Reports, ""},
    {"TVIPPOSJFQueryDetail", 725, 0x0, 0, Reports, ""},
    {"TJSVipCardList", 834, 0x0, 0, Members, ""},
    {"TSetVipUpgrade", 910, 0x2E, 949, CardTypes, "会员卡升降级设置"},
    {"TVipUpgardeQuery", 913, 0x22E, 950, CardTypes, "会员卡升降级查询"},
    {"TVipPriceLimit", 462, 0x1FE, 0, CardTypes, "会员价限量"},
    {"TVipPtypeDis", 474, 0x1FE, 0, CardTypes, "商品折扣设置"},
    {"TVipXIntegralSet", 473, 0x4C, 547, CardTypes, "商品积分设置"},
};
// clang-format on

constexpr int NamedFunctionCount = 12;
constexpr int QueryClassCount = int(std::size(table)) - NamedFunctionCount;

// One Initialize matched by one Finalize, also when a check fails half-way, so
// that no test inherits a started module from another.
class StartedModule {
public:
    StartedModule() { Initialize(); }
    ~StartedModule() { Finalize(); }
    StartedModule(const StartedModule&) = delete;
    StartedModule& operator=(const StartedModule&) = delete;
};

// Both registries merged in the order the host received their entries.
QStringList registered() {
    QList<QPair<int, QString>> entries;
    for (const QueryClassEntry& entry : gQueryClassFactory().Entries())
        entries.append({entry.sequence, entry.className});
    for (const ComClassEntry& entry : ComClassReg().Entries())
        entries.append({entry.sequence, entry.name});
    std::sort(entries.begin(), entries.end());
    QStringList names;
    for (const auto& entry : std::as_const(entries))
        names.append(entry.second);
    return names;
}

QStringList tableNames() {
    QStringList names;
    for (const Expected& row : table)
        names.append(QLatin1String(row.name));
    return names;
}

// The same menus as the table says they should look in one edition: menus in the
// subsystems' order, entries with edition flags in registration order, the host's
// own menu last.
QStringList expectedMenus(int edition) {
    QStringList menus;
    for (Subsystem subsystem : {Frame, Members, CardTypes, StoredValue, Points, Coupons, Devices, Reports}) {
        QStringList captions;
        for (const Expected& row : table) {
            if (row.subsystem == subsystem && (row.editions >> edition) & 1)
                captions.append(QString::fromUtf8(row.caption));
        }
        if (!captions.isEmpty())
            menus.append(SubsystemTitle(subsystem) + QStringLiteral(": ") +
                         captions.join(QStringLiteral(", ")));
    }
    menus.append(QStringLiteral("系统: 用户管理, 系统设置, 修改密码, 切换用户, 注销, 退出"));
    return menus;
}

QAction* menuEntry(const DeskMainWindow& window, const QString& name) {
    return window.menuBar()->findChild<QAction*>(name);
}

} // namespace

class PackageFrameTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        // The areas' registration objects have run as the library loaded, yet the
        // host's registries stay empty until the host starts the package.
        QVERIFY(gQueryClassFactory().Entries().isEmpty());
        QVERIFY(ComClassReg().Entries().isEmpty());
    }

    void init() {
        // The registries belong to the host and outlive a shut-down; start each
        // test from empty ones so that what is found was registered by this test.
        gQueryClassFactory().Clear();
        ComClassReg().Clear();
    }

    void startUpRegistersTheTableInUnitOrder() {
        StartedModule module;
        QCOMPARE(registered(), tableNames());
        QCOMPARE(gQueryClassFactory().Entries().size(), QueryClassCount);
        for (const Expected& want : table) {
            const QString name = QLatin1String(want.name);
            if (want.windowNo == 0) {
                const ComClassEntry* entry = ComClassReg().Find(name);
                QVERIFY2(entry, want.name);
                QCOMPARE(int(entry->editions), want.editions);
                QCOMPARE(entry->rights, want.rights);
                QCOMPARE(entry->subsystem, want.subsystem);
                QCOMPARE(entry->caption, QString::fromUtf8(want.caption));
                // Functions not built yet have none; the host shows them greyed.
                QCOMPARE(bool(entry->function), BuiltFunctions.contains(name));
                continue;
            }
            const QueryClassEntry* entry = gQueryClassFactory().Find(name);
            QVERIFY2(entry, want.name);
            QCOMPARE(entry->windowNo, want.windowNo);
            QCOMPARE(int(entry->editions), want.editions);
            QCOMPARE(entry->rights, want.rights);
            QCOMPARE(entry->subsystem, want.subsystem);
            QCOMPARE(entry->caption, QString::fromUtf8(want.caption));
            // Windows not built yet have no creator; the host shows them greyed.
            QCOMPARE(bool(entry->create), name.startsWith(QLatin1String("TVipCardType")) ||
                                              name.startsWith(QLatin1String("TPos")) ||
                                              BuiltWindows.contains(name));
        }

        const PackageInfo* info = GetPackageInfoTable();
        QStringList units;
        QStringList startUpUnits;
        QStringList shutDownUnits;
        for (int i = 0; i < info->unitCount; ++i) {
            units.append(QLatin1String(info->units[i].name));
            if (info->units[i].hasStartUp)
                startUpUnits.append(units.last());
            if (info->units[i].hasShutDown)
                shutDownUnits.append(units.last());
        }
        QCOMPARE(units,
                 QStringLiteral("Uczoperator Uetctypemanage Uvipcash Fundev Y_vipinfo Uetccardbatchadd "
                                "Uetccardmanage Kvr_vipchangetotal Uvipinfo Uvippricelimit "
                                "Uvipptypedis Uptypeintegralset")
                     .split(QLatin1Char(' ')));
        // Uczoperator's flag arrives with the recharge dialog; every other unit has work.
        QCOMPARE(startUpUnits, units.mid(1));
        // Exactly the units that own something to free or clear have shut-down code.
        QCOMPARE(shutDownUnits,
                 QStringLiteral("Uvipcash Fundev Y_vipinfo Uetccardmanage").split(QLatin1Char(' ')));
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

    void exportedFunctionsAreFoundByTheirPlainNames() {
        // As a sibling module finds them: the library by its path, each function by name.
        QLibrary module(
            QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../lib/libvip.so")));
        QVERIFY2(module.load(), qPrintable(module.errorString()));
        const QList<QPair<const char*, QFunctionPointer>> exports = {
            {"Initialize", reinterpret_cast<QFunctionPointer>(&Initialize)},
            {"Finalize", reinterpret_cast<QFunctionPointer>(&Finalize)},
            {"GetPackageInfoTable", reinterpret_cast<QFunctionPointer>(&GetPackageInfoTable)},
            {"VipCardTypeSet", reinterpret_cast<QFunctionPointer>(&VipCardTypeSet)},
            {"GetPosList", reinterpret_cast<QFunctionPointer>(&GetPosList)},
            {"GetChangeIntegralPosList", reinterpret_cast<QFunctionPointer>(&GetChangeIntegralPosList)},
            {"VipCanUsePosList", reinterpret_cast<QFunctionPointer>(&VipCanUsePosList)},
            {"GetAutoDiscountSet", reinterpret_cast<QFunctionPointer>(&GetAutoDiscountSet)},
            {"GetVipIntegralSet", reinterpret_cast<QFunctionPointer>(&GetVipIntegralSet)},
            {"ShowVipdaySel", reinterpret_cast<QFunctionPointer>(&ShowVipdaySel)},
            {"ICCardSet", reinterpret_cast<QFunctionPointer>(&ICCardSet)},
            {"ShowReadICCard", reinterpret_cast<QFunctionPointer>(&ShowReadICCard)},
            {"ShowCardInfoSet", reinterpret_cast<QFunctionPointer>(&ShowCardInfoSet)},
            {"ShowVipSoundSet", reinterpret_cast<QFunctionPointer>(&ShowVipSoundSet)},
            {"VIPSelect", reinterpret_cast<QFunctionPointer>(&VIPSelect)},
            {"AdoVIPSelect", reinterpret_cast<QFunctionPointer>(&AdoVIPSelect)},
            {"AddRecord", reinterpret_cast<QFunctionPointer>(&AddRecord)},
            {"ClearVipRecord", reinterpret_cast<QFunctionPointer>(&ClearVipRecord)},
            {"ShowBillVipCardSel", reinterpret_cast<QFunctionPointer>(&ShowBillVipCardSel)},
            {"ShowCzService", reinterpret_cast<QFunctionPointer>(&ShowCzService)},
            {"ShowCzServiceConsume", reinterpret_cast<QFunctionPointer>(&ShowCzServiceConsume)},
            {"ShowCzServiceConsume2", reinterpret_cast<QFunctionPointer>(&ShowCzServiceConsume2)},
            {"IntegralExchageAdjust", reinterpret_cast<QFunctionPointer>(&IntegralExchageAdjust)},
            {"IntegralVipTotal_Adjust", reinterpret_cast<QFunctionPointer>(&IntegralVipTotal_Adjust)},
            {"VipAddListShow", reinterpret_cast<QFunctionPointer>(&VipAddListShow)},
            {"VipCardImport", reinterpret_cast<QFunctionPointer>(&VipCardImport)},
            {"ShowVipServiceRuleEdit", reinterpret_cast<QFunctionPointer>(&ShowVipServiceRuleEdit)},
        };
        for (const auto& [name, function] : exports)
            QVERIFY2(module.resolve(name) == function, name);
    }

    void theDesktopOffersEachAreasWindowsInItsSubsystemsMenu() {
        FlowFixture flow;
        StartedModule module;
        TestUser clerk(flow.data(), QStringLiteral("clerk"));
        DeskMainWindow window;
        for (int edition = 0; edition <= 10; ++edition) {
            Ucomvar().nMedVersion = edition;
            window.RebuildMenus();
            QCOMPARE(MenuText(*window.menuBar()), expectedMenus(edition));
        }

        Ucomvar().nMedVersion = 1;
        window.RebuildMenus();
        // Not built yet: greyed whatever the rights; built but without the right: greyed too.
        QAction* storedValue = menuEntry(window, QStringLiteral("TCzManage"));
        QVERIFY(!storedValue->isEnabled());
        QCOMPARE(storedValue->toolTip(), DeskMenuBuilder::NotAvailable);
        QVERIFY(!menuEntry(window, QStringLiteral("IntegralVipTotal_Adjust"))->isEnabled());
        QAction* typeSet = menuEntry(window, QStringLiteral("TVipCardTypeSet"));
        QCOMPARE(WithoutAccelerator(qobject_cast<QMenu*>(typeSet->parent())->title()),
                 QStringLiteral("卡类型与价格"));
        QVERIFY(!typeSet->isEnabled());
        QCOMPARE(typeSet->toolTip(),
                 DeskMenuBuilder::NeedsRight.arg(677).arg(QStringLiteral("会员卡类型设置")));

        flow.data().ExecuteSQL(QStringLiteral("INSERT INTO userlimit (UserRec, LimitNo) VALUES (?, 677)"),
                               {clerk.rec()});
        window.RebuildMenus();
        typeSet = menuEntry(window, QStringLiteral("TVipCardTypeSet"));
        QVERIFY(typeSet->isEnabled());
        typeSet->trigger();
        QCOMPARE(window.Tabs()->count(), 1);
        auto* page = qobject_cast<TBaseQuery*>(window.Tabs()->currentWidget());
        QVERIFY(page);
        QCOMPARE(page->metaObject()->className(), "TVipCardTypeSet");
        QCOMPARE(window.Tabs()->tabText(0), QStringLiteral("会员卡类型设置"));
        QCOMPARE(flow.unsettled(), 0);
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
        QStringList classes;
        QStringList functions;
        for (const Expected& e : table) {
            const QString line = QStringList{QLatin1String(e.name),
                                             e.windowNo ? QString::number(e.windowNo) : QString(),
                                             QStringLiteral("0x") + QString::number(e.editions, 16).toUpper(),
                                             QString::number(e.rights),
                                             SubsystemTitle(e.subsystem),
                                             QString::fromUtf8(e.caption)}
                                     .join(QLatin1Char('\t'));
            (e.windowNo ? classes : functions).append(line);
        }
        QCOMPARE(lines, classes + functions);
        QCOMPARE(lines.first(), QStringLiteral("TETCCashQuery\t827\t0x22\t837\t购物卡\t购物卡类型"));
    }
};

QTEST_MAIN(PackageFrameTest)
#include "tst_PackageFrame.moc"
