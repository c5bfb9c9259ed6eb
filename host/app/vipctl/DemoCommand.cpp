#include "host/app/vipctl/Command.h"
#include "host/data/Database.h"
#include "host/db/SchemaMigrator.h"
#include "host/db/demo/DemoData.h"

namespace {

const QString MembersOption = QStringLiteral("--members");

int demo(CommandContext& context) {
    int members = -1;
    if (context.options.contains(MembersOption)) {
        bool number = false;
        members = context.options.value(MembersOption).trimmed().toInt(&number);
        if (!number || members < 0) {
            context.err << "vipctl: --members 后面应是会员数量（0 或正整数）。\n";
            return 2;
        }
    }
    auto db = context.openDatabase(CommandContext::NewFile::Created);
    SchemaMigrator(*db).upgrade();
    if (members < 0) {
        DemoData::fill(*db);
    } else {
        DemoData::fillAtScale(*db, members, [&](int written) {
            context.err << "已写入会员 " << written << " / " << members << "\n";
            context.err.flush();
        });
    }
    context.out << "演示数据已生成：" << DemoData::summary(*db) << "\n";
    return 0;
}

const Command::Registration registration(QStringLiteral("demo"),
                                         QStringLiteral("建库并填入演示数据（只用于空数据库）；"
                                                        "--members N 改为成批写入 N 个会员"),
                                         true, demo, {MembersOption});

} // namespace
