#pragma once

#include <QKeySequence>
#include <QString>

// The accelerator a caption announces: "确定[O]" and "发卡[&A]" put the letter in
// brackets, "&Save" marks it with an ampersand; the shortcut is Alt and that key.
// Empty when the caption names none.
QKeySequence AcceleratorOf(const QString& caption);
