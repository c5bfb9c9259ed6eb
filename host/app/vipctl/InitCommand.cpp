#include "host/app/vipctl/Command.h"
#include "host/data/Database.h"
#include "host/db/SchemaMigrator.h"

#include <QDir>
#include <QFileInfo>

namespace {

int init(CommandContext& context) {
    if (!context.db.startsWith(QLatin1String("postgres")))
        QDir().mkpath(QFileInfo(context.db).absolutePath());
    auto db = Database::open(context.db);
    SchemaMigrator migrator(*db);
    const int applied = migrator.upgrade();
    context.out << "数据库结构版本 " << migrator.currentVersion() << "（本次升级 " << applied << " 步）\n";
    return 0;
}

const Command::Registration registration(QStringLiteral("init"), QStringLiteral("创建或升级数据库结构"), init);

} // namespace
