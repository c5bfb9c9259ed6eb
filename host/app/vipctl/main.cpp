#include "host/app/vipctl/Command.h"
#include "host/sdk/DbError.h"

#include <QCoreApplication>
#include <QDir>

namespace {

QString defaultDatabase() {
    return QDir::home().filePath(QStringLiteral(".local/share/vip/vip.sqlite"));
}

int usage(QTextStream& err) {
    err << "用法: vipctl <命令> [--db <SQLite 文件路径 | postgresql://用户@主机/库?schema=模式>] [参数...]\n";
    for (const auto& entry : Command::all())
        err << "  " << entry.name << "\t" << entry.help << "\n";
    return 2;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty())
        return usage(err);
    const Command::Entry* command = Command::find(args.takeFirst());
    if (!command)
        return usage(err);
    CommandContext context{defaultDatabase(), {}, out, err};
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--db") && i + 1 < args.size())
            context.db = args[++i];
        else
            context.args.append(args[i]);
    }
    try {
        return command->run(context);
    } catch (const DbError& e) {
        err << e.message() << "\n";
        return 1;
    }
}
