#pragma once

#include <QString>

// The pinyin initials of a holder's name (vipcard.PYZJM), which the till's member
// search matches: one capital letter per Chinese character, Latin letters and digits
// as they are (capitalised), everything else left out. A surname whose family
// reading differs from the character's everyday one (单 Shan, 曾 Zeng, 解 Xie...)
// takes its family reading.
class PinyinInitials {
public:
    static QString of(const QString& name);
};
