#pragma once

#include <QString>

// The columns a member card is read with wherever a procedure returns card rows
// (the member list, the editor's lookups), so every caller reads the same names.
class VipCardRows {
public:
    // "SELECT <columns> FROM vipcard a LEFT JOIN ..." up to, not including, WHERE;
    // the card is "a", its type "t".
    static QString select();
};
