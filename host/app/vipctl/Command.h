#pragma once

#include <QStringList>
#include <QTextStream>
#include <functional>

// One vipctl command. Each command file registers itself with a Command::Registration.
struct CommandContext {
    QString db;        // --db: a SQLite file path or a PostgreSQL URI
    QStringList args;  // what follows the command name, less --db
    QTextStream& out;
    QTextStream& err;
};

class Command {
public:
    using Run = std::function<int(CommandContext&)>;
    struct Entry {
        QString name;
        QString help;
        Run run;
    };
    struct Registration {
        Registration(const QString& name, const QString& help, Run run);
    };
    static const QList<Entry>& all();
    static const Entry* find(const QString& name);
};
