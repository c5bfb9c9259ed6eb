#pragma once

#include <QString>

// Member days of the week: the picker and the lists show them by name ("星期一" ..
// "星期日"), the card type stores them as the digits "1" .. "7" (Monday = 1).
class VipWeekdays {
public:
    static QString ToDigits(QString list);
    // Comma text of digits as names; entries that are no weekday stay as they are.
    static QString FromDigits(const QString& list);
};
