#pragma once

#include <QHash>
#include <QString>

// How often the logged-in user opened each window and named function, so the start
// page offers the ones they use most. Kept in the user's settings on this
// workstation (QSettings), per login user: opening a window never waits for, or
// fails on, a database write, and the counts need no table.
class ActionUsage {
public:
    // One more use by the session's user; nobody logged in counts nothing.
    static void Count(const QString& name);
    // The session's user's counts by window class or function name.
    static QHash<QString, int> Counts();
};
