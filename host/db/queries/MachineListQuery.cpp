#include "host/db/queries/ListQueryRegistry.h"

// Window 916, the POS-machine picker: every live machine of a live store, unmarked,
// grouped by store in the stores' own order. @withConnectType1 as for the store
// list: 1 also lists the machines of stores of connection type 1.
namespace {

const ListQueryRegistration registration(
    916, QStringLiteral("SELECT '' AS SelName, m.MachineId, m.MachineCode, m.MachineName, p.posid, p.PosName "
                        "FROM posmachine m JOIN posinfo p ON p.posid = m.PosId "
                        "WHERE m.deleted = 0 AND p.deleted = 0 "
                        "AND (p.ConnectType <> 1 OR @withConnectType1 = 1) "
                        "ORDER BY p.RowIndex, p.posid, m.MachineCode"));

} // namespace
