#include "host/app/vipctl/Command.h"

#include "host/data/Database.h"
#include "host/sdk/DbError.h"

#include <QDir>
#include <QFileInfo>

namespace {
QList<Command::Entry>& entries() {
    static QList<Command::Entry> list;
    return list;
}
} // namespace

std::unique_ptr<Database> CommandContext::openDatabase(NewFile newFile) {
    if (!db->isPostgres()) {
        if (newFile == NewFile::Refused && !QFileInfo::exists(db->path()))
            throw DbError(QStringLiteral("数据库文件 %1 不存在；新建数据库请用 vipctl init 或 vipctl demo。")
                              .arg(db->path()));
        QDir().mkpath(QFileInfo(db->path()).absolutePath());
    }
    auto database = Database::open(*db);
    err << "数据库：" << db->display() << "\n";
    err.flush();
    return database;
}

Command::Registration::Registration(const QString& name, const QString& help, bool needsDatabase, Run run,
                                    const QStringList& options, const QString& argument) {
    entries().append(Entry{name, help, needsDatabase, std::move(run), options, argument});
}

const QList<Command::Entry>& Command::all() {
    return entries();
}

const Command::Entry* Command::find(const QString& name) {
    for (const Entry& entry : entries()) {
        if (entry.name == name)
            return &entry;
    }
    return nullptr;
}
