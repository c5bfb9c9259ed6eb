#include "host/ui/DeskMenuBuilder.h"

#include "host/sdk/Limit.h"
#include "host/sdk/Ucomvar.h"
#include "host/sdk/ui/GuardedHandler.h"
#include "host/ui/DeskMenuTable.h"

#include <QAction>
#include <QHash>
#include <QMenu>
#include <QMenuBar>

namespace {

const char* const RightsProperty = "deskRights";
const char* const AvailableProperty = "deskAvailable";

struct Entry {
    QString name;
    int rights = 0;
    bool available = false;
    bool window = false;
};

// The entries of the current edition, keyed by name, and the order they were registered in.
void collect(QHash<QString, Entry>& entries, QStringList& order) {
    const int edition = MEDVERSION();
    for (const QueryClassEntry& entry : gQueryClassFactory().Entries()) {
        if (entry.editions == 0 || !DeskMenuBuilder::InEdition(entry.editions, edition))
            continue;
        entries.insert(entry.className, Entry{entry.className, entry.rights, bool(entry.create), true});
        order.append(entry.className);
    }
    for (const ComClassEntry& entry : ComClassReg().Entries()) {
        if (!DeskMenuBuilder::InEdition(entry.editions, edition))
            continue;
        entries.insert(entry.name, Entry{entry.name, entry.rights, bool(entry.function), false});
        order.append(entry.name);
    }
}

void addEntry(QMenu& menu, const Entry& entry, const QString& caption,
              const DeskMenuBuilder::Handlers& handlers) {
    QAction* action = menu.addAction(caption);
    action->setObjectName(entry.name);
    action->setProperty(RightsProperty, entry.rights);
    action->setProperty(AvailableProperty, entry.available);
    const auto& handler = entry.window ? handlers.openWindow : handlers.runFunction;
    const QString name = entry.name;
    QObject::connect(action, &QAction::triggered, &menu,
                     [handler, name] { RunGuarded([&] { handler(name); }); });
}

} // namespace

const QString DeskMenuBuilder::NotAvailable = QStringLiteral("该功能尚未提供");
const QString DeskMenuBuilder::NoRight = QStringLiteral("您没有当前操作的权限");

bool DeskMenuBuilder::InEdition(EditionFlags editions, int edition) {
    constexpr int WordBits = sizeof(EditionFlags) * 8;
    return edition >= 0 && edition < WordBits && (editions >> edition) & 1u;
}

void DeskMenuBuilder::Clear(QMenuBar& bar) {
    const QList<QAction*> actions = bar.actions();
    bar.clear();
    for (QAction* action : actions) {
        if (QMenu* menu = action->menu()) {
            menu->setParent(nullptr);
            menu->deleteLater();
        }
    }
}

void DeskMenuBuilder::Build(QMenuBar& bar, const Handlers& handlers) {
    Clear(bar);
    QHash<QString, Entry> entries;
    QStringList order;
    collect(entries, order);

    QHash<QString, QList<QPair<Entry, QString>>> byMenu;
    for (const DeskMenuTable::Item& item : DeskMenuTable::Items()) {
        const auto found = entries.constFind(item.name);
        if (found != entries.constEnd())
            byMenu[item.menu].append({*found, item.caption});
    }
    for (const QString& name : std::as_const(order)) {
        if (!DeskMenuTable::Find(name))
            byMenu[DeskMenuTable::OtherMenu].append({entries.value(name), name});
    }

    for (const QString& title : DeskMenuTable::Menus()) {
        const auto items = byMenu.value(title);
        if (items.isEmpty())
            continue;
        QMenu* menu = bar.addMenu(title);
        menu->setObjectName(title);
        menu->setToolTipsVisible(true);
        for (const auto& [entry, caption] : items)
            addEntry(*menu, entry, caption, handlers);
        RefreshEnabled(*menu);
        QObject::connect(menu, &QMenu::aboutToShow, menu,
                         [menu] { RunGuarded([menu] { RefreshEnabled(*menu); }); });
    }
}

void DeskMenuBuilder::RefreshEnabled(QMenu& menu) {
    for (QAction* action : menu.actions()) {
        const QVariant rights = action->property(RightsProperty);
        if (!rights.isValid())
            continue;
        if (!action->property(AvailableProperty).toBool()) {
            action->setEnabled(false);
            action->setToolTip(NotAvailable);
            continue;
        }
        const bool allowed = rights.toInt() == 0 || HasLimit(rights.toInt());
        action->setEnabled(allowed);
        action->setToolTip(allowed ? QString() : NoRight);
    }
}
