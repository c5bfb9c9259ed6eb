#include "host/app/vipctl/Command.h"
#include "host/data/Database.h"
#include "host/db/SchemaMigrator.h"
#include "host/sdk/DataModule.h"
#include "host/services/UserAdmin.h"

#include <QScopeGuard>
#include <cstdio>

namespace {

const QString UserOption = QStringLiteral("--user");

// The password comes on standard input, never on the command line, where other
// users of the machine could read it in the process list.
int setPassword(CommandContext& context) {
    const QString code = context.options.value(UserOption).trimmed();
    if (code.isEmpty()) {
        context.err << "vipctl: 请用 --user 指定用户编号。\n";
        return 2;
    }
    QTextStream in(stdin);
    const QString password = in.readLine();
    DataModule data(context.openDatabase());
    SchemaMigrator(data.database()).upgrade();
    // The operation log writes through the installed data module.
    DataModule::install(&data);
    const auto uninstall = qScopeGuard([] { DataModule::install(nullptr); });
    const int result = UserAdmin(data).SetPasswordOf(code, password);
    if (result < 0) {
        context.err << "vipctl: " << UserAdmin::Message(result) << "\n";
        return 1;
    }
    context.out << "已设置用户 " << code << " 的密码。\n";
    return 0;
}

const Command::Registration registration(QStringLiteral("set-password"),
                                         QStringLiteral("从标准输入读一行作为用户的新密码（并解除锁定）；"
                                                        "数据库还没有系统管理员时，建立该编号的系统管理员"),
                                         true, setPassword, {UserOption});

} // namespace
