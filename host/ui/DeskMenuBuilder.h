#pragma once

#include "host/sdk/ModuleRegistry.h"

#include <QString>
#include <functional>

class QMenu;
class QMenuBar;

// Fills the desktop's menu bar from the host's registries: one menu per subsystem,
// titled and ordered as the subsystems are, entries in the order they were
// registered under their captions. An entry is offered only in the editions its
// flags name; it is enabled only while the user holds its right; one whose window
// or function the module does not provide yet stays in view, greyed, so users see
// what the edition has. Entries without edition flags are helper windows that
// other windows open, never menu entries.
class DeskMenuBuilder {
public:
    struct Handlers {
        std::function<void(const QString& className)> openWindow;
        std::function<void(const QString& functionName)> runFunction;
    };

    static const QString NotAvailable;
    static const QString NoRight;
    // What a greyed entry says in its tip and the status bar: the right and the entry.
    static const QString NeedsRight;

    // Replaces the bar's menus with one menu per subsystem that has entries; the
    // host's own menu is the caller's to append. Throws DbError when the rights
    // cannot be read.
    static void Build(QMenuBar& bar, const Handlers& handlers);
    // Asks the rights again, so a change by the administrator shows the next time
    // the menu opens. A greyed entry's tool tip and status tip say why.
    static void RefreshEnabled(QMenu& menu);
    // Bit n of the word is edition n; editions past the word's width have no entries.
    static bool InEdition(EditionFlags editions, int edition);

private:
    // Empties the bar. Its menus go later, as one of them may be running the handler
    // that asked for the rebuild.
    static void Clear(QMenuBar& bar);
};
