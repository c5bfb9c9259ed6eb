#pragma once

#include <QString>

class DemoRandom;

// Plausible Chinese personal names with their pinyin initials (the till searches
// members by those), drawn from common surnames and given-name characters.
class ChineseNames {
public:
    struct Name {
        QString fullName;
        QString initials;
    };
    static Name make(DemoRandom& random, bool female);
};
