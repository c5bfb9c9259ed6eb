#include "host/app/vipdesk/DeskOptions.h"

#include <QDir>

const QString DeskOptions::Usage = QStringLiteral(
    "用法: vipdesk [--db <SQLite 文件路径 | postgresql://用户@主机/库?schema=模式>] [--tour <截图目录>]");

QString DeskOptions::DefaultDatabase() {
    // The same file vipctl uses when it is given none, so both work on one database.
    return QDir::home().filePath(QStringLiteral(".local/share/vip/vip.sqlite"));
}

bool DeskOptions::Parse(const QStringList& arguments, DeskOptions& options, QString& error) {
    options.database = qEnvironmentVariable("VIP_DB", DefaultDatabase());
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        if (argument == QLatin1String("--db") && hasValue)
            options.database = arguments[++i];
        else if (argument == QLatin1String("--tour") && hasValue)
            options.tourFolder = arguments[++i];
        else {
            error = QStringLiteral("无法识别的参数：%1").arg(argument);
            return false;
        }
    }
    if (options.database.trimmed().isEmpty()) {
        error = QStringLiteral("没有指定数据库。");
        return false;
    }
    return true;
}
