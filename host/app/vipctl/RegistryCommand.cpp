#include "host/app/vipctl/Command.h"
#include "host/sdk/ModuleRegistry.h"
#include "host/services/ModulePackage.h"

// vipctl registry: loads the member-card module the way the desktop does, runs its
// start-up code and prints what it registered, one tab-separated line per entry:
// name, window number (empty for functions), edition word, rights number, the
// subsystem's menu title and the entry's caption (empty for helper windows).
// The registries live in hostcore, which this program has already loaded, so the
// module registers into the very registries printed here. --db is accepted like
// every command's; registration reads no database.
namespace {

QString editionWord(EditionFlags editions) {
    return QStringLiteral("0x") + QString::number(editions, 16).toUpper();
}

int registry(CommandContext& context) {
    ModulePackage module;
    QString error;
    if (!module.Load(error)) {
        context.err << error << "\n";
        return 1;
    }
    for (const QueryClassEntry& entry : gQueryClassFactory().Entries())
        context.out << entry.className << '\t' << entry.windowNo << '\t' << editionWord(entry.editions)
                    << '\t' << entry.rights << '\t' << SubsystemTitle(entry.subsystem) << '\t'
                    << entry.caption << '\n';
    for (const ComClassEntry& entry : ComClassReg().Entries())
        context.out << entry.name << "\t\t" << editionWord(entry.editions) << '\t' << entry.rights << '\t'
                    << SubsystemTitle(entry.subsystem) << '\t' << entry.caption << '\n';
    context.out.flush();
    return 0;
}

const Command::Registration registration(QStringLiteral("registry"),
                                         QStringLiteral("列出会员卡模块注册的窗口和功能"), false, registry);

} // namespace
