#pragma once

#include <QString>

// The columns a member card is read with wherever a procedure returns card rows
// (the member list, the editor's lookups), so every caller reads the same names.
class VipCardRows {
public:
    // "SELECT <columns> FROM vipcard a LEFT JOIN ..." up to, not including, WHERE;
    // the card is "a", its type "t".
    static QString select();
    // The same with more columns (", x AS y", naming "a" and "t" or its own joins)
    // and more joins after the card's own.
    static QString selectWith(const QString& extraColumns, const QString& extraJoins);
};
