#include "vip/base/RegistrationRows.h"

// The report area's part of the package's units; nothing of it is built yet.
namespace {

using enum Subsystem;

const RegistrationRows
    memberDetails("Uvipinfo", 30,
                  {
                      QueryClassEntry{"Txfjlcx", 260, editionFlags({}), 0, Reports},
                      QueryClassEntry{"TVIPCardIntegralMx", 261, editionFlags({}), 0, Reports},
                      QueryClassEntry{"TEtypeIntegralMx", 262, editionFlags({}), 0, Reports},
                  });

const RegistrationRows analysis("Uvipinfo", 90,
                                {
                                    QueryClassEntry{"TVipConsumeAnalysis", 468,
                                                    editionFlags({1, 2, 5, 6, 8, 9}), 544, Reports,
                                                    "会员消费分析"},
                                    QueryClassEntry{"TVipDaySale", 470, editionFlags({}), 0, Reports},
                                    QueryClassEntry{"TVipDaySaleList", 471, editionFlags({}), 0, Reports},
                                    QueryClassEntry{"TVipDaySaleMX", 472, editionFlags({}), 0, Reports},
                                });

const RegistrationRows
    storePoints("Uvipinfo", 110,
                {
                    QueryClassEntry{"TVIPPOSJFQuery", 724, editionFlags({}), 0, Reports},
                    QueryClassEntry{"TVIPPOSJFQueryDetail", 725, editionFlags({}), 0, Reports},
                });

} // namespace
