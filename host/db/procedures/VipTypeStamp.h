#pragma once

class Database;

// The change stamp (viptype.MD) that tells the bill side's rule cache a card type
// or one of its rules changed. Every procedure that writes a type or its rules
// moves the stamp forward in the same transaction.
class VipTypeStamp {
public:
    static void touch(Database& db, int typeId);
};
