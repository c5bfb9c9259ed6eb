#include "host/app/vipctl/Command.h"
#include "host/data/Database.h"
#include "host/sdk/DataModule.h"
#include "host/sdk/DbError.h"
#include "host/services/MemberCardExport.h"

#include <QSaveFile>

namespace {

constexpr int Usage = 2;

int exportMembers(CommandContext& context) {
    if (context.args.size() != 1) {
        context.err << "vipctl: 请给出要写入的 CSV 文件。\n";
        return Usage;
    }
    DataModule data(context.openDatabase());
    const QByteArray bytes = MemberCardExport::Write(data);
    // The file appears whole or not at all.
    QSaveFile file(context.args.first());
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw DbError(QStringLiteral("无法写入文件 %1：%2").arg(context.args.first(), file.errorString()));
    context.out << "已导出会员卡到 " << context.args.first() << "\n";
    return 0;
}

const Command::Registration
    registration(QStringLiteral("export-members"),
                 QStringLiteral("把会员卡写成 CSV 文件（UTF-8，与 import-members 同样的列）"), true,
                 exportMembers, {}, QStringLiteral("<CSV 文件>"));

} // namespace
