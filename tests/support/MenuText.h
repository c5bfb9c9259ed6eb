#pragma once

#include <QStringList>

class QMenuBar;

// A menu bar as its user reads it: "title: caption, caption, ..." one line per
// menu, separators and shortcut marks left out, so a test compares a whole bar
// in one statement.
QStringList MenuText(const QMenuBar& bar);
