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

    // Whether a command may start a new SQLite file where none is.
    enum class NewFile { Refused, Created };
    // Opens the database the command was given and says which one it is on standard
    // error. Only the commands that build a database create a missing SQLite file (and
    // its folder): for the others a missing file is a mistyped path, refused with a
    // DbError rather than answered from an empty database.
    std::unique_ptr<Database> openDatabase(NewFile newFile = NewFile::Refused);
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
        // The name of the one argument the command takes ("FILE"); empty: none.
        QString argument = {};
    };
    struct Registration {
        Registration(const QString& name, const QString& help, bool needsDatabase, Run run,
                     const QStringList& options = {}, const QString& argument = {});
    };
    static const QList<Entry>& all();
    static const Entry* find(const QString& name);
};
