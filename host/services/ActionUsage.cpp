#include "host/services/ActionUsage.h"

#include "host/sdk/Ucomvar.h"

#include <QSettings>

namespace {

// By record, not by code: a code may hold characters a settings key cannot.
QString userGroup() {
    return QStringLiteral("ActionUsage/%1").arg(Ucomvar().nLoginUserRec);
}

} // namespace

void ActionUsage::Count(const QString& name) {
    if (Ucomvar().nLoginUserRec == 0)
        return;
    QSettings settings;
    settings.beginGroup(userGroup());
    settings.setValue(name, settings.value(name).toInt() + 1);
}

QHash<QString, int> ActionUsage::Counts() {
    QHash<QString, int> counts;
    if (Ucomvar().nLoginUserRec == 0)
        return counts;
    QSettings settings;
    settings.beginGroup(userGroup());
    for (const QString& name : settings.childKeys())
        counts.insert(name, settings.value(name).toInt());
    return counts;
}
