#include "host/app/vipctl/Command.h"
#include "host/sdk/DbError.h"
#include "host/sdk/MessageBox.h"

#include <QCoreApplication>

namespace {

constexpr int UsageError = 2;

void usage(QTextStream& stream) {
    stream << "用法: vipctl <命令> --db <SQLite 文件路径 | postgresql://用户@主机/库?schema=模式> [参数...]\n"
              "      --db 可放在命令前后；不给时读环境变量 VIP_DB。\n"
              "命令:\n";
    for (const auto& entry : Command::all()) {
        stream << "  " << entry.name;
        for (const QString& option : entry.options)
            stream << " " << option << " <值>";
        if (!entry.argument.isEmpty())
            stream << " " << entry.argument;
        stream << "\t" << entry.help << "\n";
    }
    stream.flush();
}

int refuse(QTextStream& err, const QString& text) {
    err << "vipctl: " << text << "\n"
        << "用 vipctl --help 查看用法。\n";
    return UsageError;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const QStringList args = app.arguments().mid(1);

    QString commandName;
    QString dbArgument;
    QStringList rest;
    QHash<QString, QString> options;
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            usage(out);
            return 0;
        }
        if (arg == QLatin1String("--db")) {
            if (i + 1 >= args.size() || args[i + 1].startsWith(QLatin1String("--")))
                return refuse(err, QStringLiteral("选项 --db 后面缺少数据库设置。"));
            dbArgument = args[++i];
        } else if (arg.startsWith(QLatin1String("--db="))) {
            dbArgument = arg.mid(5);
        } else if (arg.startsWith(QLatin1Char('-'))) {
            const Command::Entry* named = Command::find(commandName);
            if (!named || !named->options.contains(arg))
                return refuse(err, QStringLiteral("无法识别的选项：%1").arg(arg));
            if (i + 1 >= args.size() || args[i + 1].startsWith(QLatin1String("--")))
                return refuse(err, QStringLiteral("选项 %1 后面缺少值。").arg(arg));
            options.insert(arg, args[++i]);
        } else if (commandName.isEmpty()) {
            commandName = arg;
        } else {
            rest.append(arg);
        }
    }
    if (commandName.isEmpty())
        return refuse(err, QStringLiteral("没有给出命令。"));
    const Command::Entry* command = Command::find(commandName);
    if (!command)
        return refuse(err, QStringLiteral("未知命令：%1").arg(commandName));
    if (rest.size() > (command->argument.isEmpty() ? 0 : 1))
        return refuse(err,
                      QStringLiteral("命令 %1 不接受参数：%2").arg(commandName, rest.join(QLatin1Char(' '))));

    CommandContext context{std::nullopt, rest, options, out, err};
    try {
        if (command->needsDatabase) {
            if (dbArgument.isNull() && qEnvironmentVariableIsEmpty("VIP_DB"))
                return refuse(err,
                              QStringLiteral("命令 %1 需要数据库：请用 --db 指定，或设置环境变量 VIP_DB。")
                                  .arg(commandName));
            context.db = DbSetting::parse(DbSetting::chosen(dbArgument));
        }
        const int result = command->run(context);
        out.flush();
        return result;
    } catch (const DbError& e) {
        out.flush();
        err << "vipctl: " << e.message() << "\n";
        return 1;
    } catch (const AbortAction&) {
        return 1;
    }
}
