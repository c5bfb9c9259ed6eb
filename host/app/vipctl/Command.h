#pragma once

#include "host/data/DbSetting.h"

#include <QHash>
#include <QStringList>
#include <QTextStream>
#include <functional>
#include <memory>
#include <optional>

class Database;

// What a command is run with. The database setting is parsed before the command
// runs; commands that read no database get none.
struct CommandContext {
    std::optional<DbSetting> db;
    QStringList args;                // what follows the command name, less the options
    QHash<QString, QString> options; // the command's own options ("--user") and their values
    QTextStream& out;
    QTextStream& err;

    // Opens the database the command was given (creating the folder of a new
    // SQLite file) and says which one it is on standard error.
    std::unique_ptr<Database> openDatabase();
};

// One vipctl command. Each command file registers itself with a Command::Registration.
class Command {
public:
    using Run = std::function<int(CommandContext&)>;
    struct Entry {
        QString name;
        QString help;
        bool needsDatabase = true;
        Run run;
        // Options of this command, each taking a value; given after the command's name.
        QStringList options = {};
    };
    struct Registration {
        Registration(const QString& name, const QString& help, bool needsDatabase, Run run,
                     const QStringList& options = {});
    };
    static const QList<Entry>& all();
    static const Entry* find(const QString& name);
};
