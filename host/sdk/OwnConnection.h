#pragma once

#include "host/sdk/DataModule.h"

#include <memory>

class DbSetting;

// A connection of its own to the database the host works on, for work done on
// another thread. A connection belongs to the thread that opened it, so the ticket
// is taken on the host's thread and opened on the thread that uses it; the host's
// own connection is never touched from there.
class OwnConnection {
public:
    // The database of the installed data module; throws DbError when there is none.
    static OwnConnection OfCurrent();
    // Opens the connection; throws DbError when the database cannot be reached.
    std::unique_ptr<DataModule> Open() const;

private:
    std::shared_ptr<const DbSetting> m_setting;
};
