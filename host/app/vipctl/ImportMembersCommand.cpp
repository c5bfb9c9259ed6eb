#include "host/app/vipctl/Command.h"
#include "host/data/Database.h"
#include "host/db/SchemaMigrator.h"
#include "host/sdk/DataModule.h"
#include "host/sdk/MemberCardImport.h"

namespace {

constexpr int RowsRefused = 1;
constexpr int Usage = 2;
// The head office issues what a script imports.
constexpr int HeadOffice = 0;

int importMembers(CommandContext& context) {
    if (context.args.size() != 1) {
        context.err << "vipctl: 请给出要导入的 CSV 文件。\n";
        return Usage;
    }
    const MemberCardImport::File file = MemberCardImport::ReadFile(context.args.first());
    DataModule data(context.openDatabase());
    SchemaMigrator(data.database()).upgrade();
    for (const QString& column : file.ignoredColumns)
        context.err << "vipctl: 忽略不认识的列“" << column << "”。\n";
    const MemberCardImport::Outcome outcome = MemberCardImport(data, HeadOffice, 0).Run(file, true);
    for (const MemberCardImport::Refusal& r : outcome.refused)
        context.out << "第" << r.line << "行 会员卡号[" << r.cardNo << "]：" << r.reason << "\n";
    context.out << "导入会员卡 " << outcome.imported << " 张，拒绝 " << outcome.refused.size() << " 行。\n";
    return outcome.refused.isEmpty() && outcome.imported > 0 ? 0 : RowsRefused;
}

const Command::Registration
    registration(QStringLiteral("import-members"),
                 QStringLiteral("从 CSV 文件（UTF-8 或 GB18030，按列名对应）导入会员卡；"
                                "有被拒绝的行或一张也没有导入时退出码为 1"),
                 true, importMembers, {}, QStringLiteral("<CSV 文件>"));

} // namespace
