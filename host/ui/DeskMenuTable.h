#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Where the desktop puts each window class and named function a module registers:
// its menu (one per subsystem) and its caption. The registries say what exists;
// this table says how the desktop offers it.
class DeskMenuTable {
public:
    struct Item {
        QString name; // registered class or function name
        QString menu;
        QString caption;
    };

    // The menu for registered entries this table does not know yet: they are still
    // offered, under their registered name.
    static const QString OtherMenu;
    // The host's own entries.
    static const QString SystemMenu;

    // Module menus in the order they appear, the two above last.
    static const QStringList& Menus();
    // Items in the order they appear within their menus.
    static const QList<Item>& Items();
    // Null for a name the table does not know.
    static const Item* Find(const QString& name);
};
