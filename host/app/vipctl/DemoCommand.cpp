#include "host/app/vipctl/Command.h"
#include "host/data/Database.h"
#include "host/db/SchemaMigrator.h"
#include "host/db/demo/DemoData.h"

namespace {

int demo(CommandContext& context) {
    auto db = context.openDatabase(CommandContext::NewFile::Created);
    SchemaMigrator(*db).upgrade();
    DemoData::fill(*db);
    context.out << "演示数据已生成：" << DemoData::summary(*db) << "\n";
    return 0;
}

const Command::Registration registration(QStringLiteral("demo"),
                                         QStringLiteral("建库并填入演示数据（只用于空数据库）"), true, demo);

} // namespace
