#pragma once

class Database;

// The change stamp (viptype.MD) that tells the bill side's rule cache a card type
// or one of its rules changed, and that tells a dialog its copy of the type went
// stale. Every procedure that writes a type or its rules gives the type a stamp
// no change ever had, in the same transaction.
class VipTypeStamp {
public:
    static void touch(Database& db, int typeId);
};
