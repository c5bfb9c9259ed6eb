#include "host/app/vipctl/Command.h"
#include "host/data/Database.h"
#include "host/db/SchemaMigrator.h"

namespace {

int init(CommandContext& context) {
    auto db = context.openDatabase(CommandContext::NewFile::Created);
    SchemaMigrator migrator(*db);
    const int applied = migrator.upgrade();
    context.out << "数据库结构版本 " << migrator.currentVersion() << "（本次升级 " << applied << " 步）\n";
    return 0;
}

const Command::Registration registration(QStringLiteral("init"), QStringLiteral("创建或升级数据库结构"), true,
                                         init);

} // namespace
