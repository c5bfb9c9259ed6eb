#include "host/data/Database.h"
#include "host/data/StoredProcedure.h"
#include "host/sdk/VipCodes.h"

// KD_ETCTypeQuery @Type, @ID: the coupon type of that kind and id (voided ones
// included, deleted ones not), or with @ID 0 every such type of the kind. The value
// comes twice, as RangLimit and as Total, the name the pickers hand it on by.
namespace {

int kdETCTypeQuery(ProcedureContext& call) {
    const int kind = call.integer(QStringLiteral("@Type"));
    const int id = call.integer(QStringLiteral("@ID"));
    call.returnRows(QStringLiteral("SELECT ID, TYPE, NAME, Comment, Flags, SaleStart, UseCount, UseLimit, "
                                   "RangLimit, RangLimit AS Total, RangType, VIPType, VallidityType, "
                                   "VallidityDate, VallidityDay, TPosID, TPosName, IntegerType, Enabled "
                                   "FROM ETCType WHERE TYPE = ? AND Enabled <> ? AND (? = 0 OR ID = ?) "
                                   "ORDER BY ID"),
                    {kind, CouponTypeState::Deleted, id, id});
    return 0;
}

const ProcedureRegistration registration(QStringLiteral("KD_ETCTypeQuery"), kdETCTypeQuery);

} // namespace
