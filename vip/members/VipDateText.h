#pragma once

#include <QDate>
#include <QString>

// How the member editor reads the dates typed into it: the masked issue and
// validity dates ("2026/12/06") and the free birthday text, which the host's
// clerks type as "2000-10-01", "2000.10.1", "2000/10/01" or "20001001".
namespace VipDateText {

// The text as "yyyy-mm-dd" when it names a day in a form clerks type; otherwise
// the text unchanged, so the check that follows refuses it as typed.
QString ConvertDate(const QString& text);
// The day a "yyyy-mm-dd" or masked "yyyy/mm/dd" text names, between 1900 and
// 2100; invalid otherwise.
QDate ToDate(const QString& text);
// A masked date field the user left blank shows only its separators.
bool IsBlankMask(const QString& text);
// How the masked date fields show a day.
QString MaskText(const QDate& date);

} // namespace VipDateText
