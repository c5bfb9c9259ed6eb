#include "host/app/vipctl/Command.h"
#include "host/sdk/ModuleRegistry.h"
#include "host/sdk/PackageInfo.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>

// vipctl registry: loads the member-card module the way the desktop does, runs its
// start-up code and prints what it registered, one tab-separated line per entry:
// name, window number (empty for functions), edition word, rights number.
// The registries live in hostcore, which this program has already loaded, so the
// module registers into the very registries printed here. --db is accepted like
// every command's; registration reads no database.
namespace {

QString editionWord(EditionFlags editions) {
    return QStringLiteral("0x") + QString::number(editions, 16).toUpper();
}

bool loadModule(QLibrary& module, QTextStream& err) {
    const QStringList folders = {QStringLiteral(VIP_MODULE_DIR),
                                 QCoreApplication::applicationDirPath() + QStringLiteral("/../lib")};
    QStringList failures;
    for (const QString& folder : folders) {
        module.setFileName(QDir(folder).filePath(QStringLiteral("vip")));
        if (module.load())
            return true;
        failures.append(module.errorString());
    }
    err << "无法加载会员卡模块：" << failures.join(QStringLiteral("；")) << "\n";
    return false;
}

int registry(CommandContext& context) {
    QLibrary module;
    if (!loadModule(module, context.err))
        return 1;
    const auto initialize = reinterpret_cast<PackageInitializeProc>(module.resolve("Initialize"));
    const auto finalize = reinterpret_cast<PackageFinalizeProc>(module.resolve("Finalize"));
    if (!initialize || !finalize) {
        context.err << "会员卡模块缺少入口函数 Initialize/Finalize。\n";
        return 1;
    }
    initialize();
    for (const QueryClassEntry& entry : gQueryClassFactory().Entries())
        context.out << entry.className << '\t' << entry.windowNo << '\t' << editionWord(entry.editions)
                    << '\t' << entry.rights << '\n';
    for (const ComClassEntry& entry : ComClassReg().Entries())
        context.out << entry.name << "\t\t" << editionWord(entry.editions) << '\t' << entry.rights << '\n';
    context.out.flush();
    finalize();
    return 0;
}

const Command::Registration registration(QStringLiteral("registry"),
                                         QStringLiteral("列出会员卡模块注册的窗口和功能"), registry);

} // namespace
