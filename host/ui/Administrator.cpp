#include "host/ui/Administrator.h"

#include "host/sdk/DataModule.h"
#include "host/sdk/Ucomvar.h"

bool IsAdministrator() {
    const int user = Ucomvar().nLoginUserRec;
    if (user <= 0)
        return false;
    return dmClient().OpenSQLAsInt(
               QStringLiteral("SELECT COUNT(*) FROM loginuser WHERE rec = ? AND deleted = 0 AND IsAdmin = 1"),
               {user}) > 0;
}
