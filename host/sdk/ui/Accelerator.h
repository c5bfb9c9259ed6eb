#pragma once

#include <QKeySequence>
#include <QString>

class QMenu;
class QMenuBar;

// The accelerator a caption announces: "确定[O]" and "发卡[&A]" put the letter in
// brackets, "&Save" marks it with an ampersand; the shortcut is Alt and that key.
// Empty when the caption names none.
QKeySequence AcceleratorOf(const QString& caption);

// Gives every menu of the bar an &-shortcut of its own among the bar's titles, and
// every entry one of its own within its menu (submenus alike). A letter a caption
// already marks is kept while it is free; otherwise the caption's first free Latin
// letter or digit is marked ("确定[O]" becomes "确定[&O]"), and a caption without
// one, as Chinese ones are, gets the first free letter after it: "会员列表(&A)".
// Run again after entries are added: the letters already given stay.
void AssignAccelerators(QMenuBar& bar);
void AssignAccelerators(QMenu& menu);
// A caption as it reads without its shortcut: "会员列表(&A)" is "会员列表", "S&top"
// is "Stop" ("&&" stays one "&"), for a caption shown elsewhere than in its menu.
QString WithoutAccelerator(const QString& caption);
