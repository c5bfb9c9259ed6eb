#include "host/app/vipctl/Command.h"

namespace {
QList<Command::Entry>& entries() {
    static QList<Command::Entry> list;
    return list;
}
} // namespace

Command::Registration::Registration(const QString& name, const QString& help, Run run) {
    entries().append(Entry{name, help, std::move(run)});
}

const QList<Command::Entry>& Command::all() { return entries(); }

const Command::Entry* Command::find(const QString& name) {
    for (const Entry& entry : entries()) {
        if (entry.name == name)
            return &entry;
    }
    return nullptr;
}
