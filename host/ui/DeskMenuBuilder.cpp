#include "host/ui/DeskMenuBuilder.h"

#include "host/sdk/Limit.h"
#include "host/sdk/Ucomvar.h"
#include "host/sdk/ui/Accelerator.h"
#include "host/sdk/ui/GuardedHandler.h"

#include <QAction>
#include <QMap>
#include <QMenu>
#include <QMenuBar>
#include <algorithm>

namespace {

const char* const RightsProperty = "deskRights";
const char* const AvailableProperty = "deskAvailable";

struct Item {
    QString name;
    QString caption;
    int rights = 0;
    bool available = false;
    bool window = false;
    int sequence = 0;
};

bool offered(EditionFlags editions, int edition) {
    return editions != 0 && DeskMenuBuilder::InEdition(editions, edition);
}

// The items of the current edition by subsystem, windows and functions together in
// the order they were registered.
QMap<Subsystem, QList<Item>> collect() {
    const int edition = MEDVERSION();
    QMap<Subsystem, QList<Item>> menus;
    for (const QueryClassEntry& entry : gQueryClassFactory().Entries()) {
        if (offered(entry.editions, edition))
            menus[entry.subsystem].append(
                {entry.className, entry.caption, entry.rights, bool(entry.create), true, entry.sequence});
    }
    for (const ComClassEntry& entry : ComClassReg().Entries()) {
        if (offered(entry.editions, edition))
            menus[entry.subsystem].append(
                {entry.name, entry.caption, entry.rights, bool(entry.function), false, entry.sequence});
    }
    for (QList<Item>& items : menus)
        std::stable_sort(items.begin(), items.end(),
                         [](const Item& a, const Item& b) { return a.sequence < b.sequence; });
    return menus;
}

void addItem(QMenu& menu, const Item& item, const DeskMenuBuilder::Handlers& handlers) {
    // An entry registered without a caption is still offered, under its name.
    QAction* action = menu.addAction(item.caption.isEmpty() ? item.name : item.caption);
    action->setObjectName(item.name);
    action->setProperty(RightsProperty, item.rights);
    action->setProperty(AvailableProperty, item.available);
    const auto& handler = item.window ? handlers.openWindow : handlers.runFunction;
    const QString name = item.name;
    QObject::connect(action, &QAction::triggered, &menu,
                     [handler, name] { RunGuarded([&] { handler(name); }); });
}

} // namespace

const QString DeskMenuBuilder::NotAvailable = QStringLiteral("该功能尚未提供");
const QString DeskMenuBuilder::NoRight = QStringLiteral("您没有当前操作的权限");
const QString DeskMenuBuilder::NeedsRight = QStringLiteral("需要权限：%1 %2");

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
    // QMap keeps its keys in order, which is the subsystems' order.
    const QMap<Subsystem, QList<Item>> menus = collect();
    for (auto it = menus.cbegin(); it != menus.cend(); ++it) {
        const QString title = SubsystemTitle(it.key());
        QMenu* menu = bar.addMenu(title);
        menu->setObjectName(title);
        menu->setToolTipsVisible(true);
        for (const Item& item : it.value())
            addItem(*menu, item, handlers);
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
        QString why;
        if (!action->property(AvailableProperty).toBool())
            why = NotAvailable;
        else if (rights.toInt() != 0 && !HasLimit(rights.toInt()))
            why = NeedsRight.arg(rights.toInt()).arg(WithoutAccelerator(action->text()));
        action->setEnabled(why.isEmpty());
        action->setToolTip(why);
        action->setStatusTip(why);
    }
}
