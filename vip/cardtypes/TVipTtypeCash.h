#pragma once

#include "host/sdk/ClientDataSet.h"
#include "host/sdk/VipTypeList.h"

#include <QtGlobal>

// The card types' rules as bills need them, read once and kept: a bill asks for
// the rules of a member's card type on every member it sees, so the types are not
// read again until a caller's change stamp shows that a type has changed.
class TVipTtypeCash {
public:
    // Fills the rule record of one card type. A non-zero stamp is the type's change
    // stamp as the caller last read it; a cached row with another stamp is stale
    // and the cache is read again. Stamp 0 takes the cache as it is. An unknown
    // type leaves the record at its defaults (CTypeId 0).
    const TVipTypeList& GetVipTypeList(int typeId, qint64 stamp);

private:
    void load();
    bool locate(int typeId);
    void copyCurrentRow();

    ClientDataSet m_types;
    TVipTypeList m_record;
};
