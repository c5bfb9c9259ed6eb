#include "host/db/queries/ListQueryRegistry.h"

// Windows 827, 828 and 829: the coupon types of one kind, cash coupons, discount
// cards and preferential coupons, in the order they were made. Deleted types are
// gone; voided ones stay listed unless the caller asks for types in use only.
//   @Type    the kind (1, 2 or 3).
//   @Enable  1: types in use only; 0: voided ones too.
// The value comes twice, as RangLimit and as Total, the name pickers hand it on
// by. Validity is filled in by the window from the flag bits.
namespace {

const QString Sql = QStringLiteral(
    "SELECT ID, TYPE, CASE TYPE WHEN 1 THEN '现金券' WHEN 2 THEN '打折卡' WHEN 3 THEN '优惠券' ELSE '' END "
    "AS TypeName, NAME, Comment, Flags, SaleStart, UseCount, UseLimit, RangLimit, RangLimit AS Total, "
    "RangType, CASE RangType WHEN 1 THEN '优惠金额' ELSE '优惠比例' END AS RangTypeName, VIPType, "
    "VallidityType, VallidityDate, VallidityDay, '' AS ValidityText, TPosID, TPosName, IntegerType, Enabled, "
    "CASE Enabled WHEN 3 THEN '作废' ELSE '正常' END AS EnabledName "
    "FROM ETCType WHERE TYPE = @Type AND Enabled <> 0 AND (@Enable = 0 OR Enabled = 1) ORDER BY ID");

const ListQueryRegistration cash(827, Sql);
const ListQueryRegistration discount(828, Sql);
const ListQueryRegistration preferential(829, Sql);

} // namespace
