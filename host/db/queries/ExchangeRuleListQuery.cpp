#include "host/db/queries/ListQueryRegistry.h"

// Window 464: the live exchange rules, what each card type's points buy. @CTypeId
// narrows to one card type and @ChangeType to one exchange way; 0 takes them all.
// Rules of a type whose points were switched off stay listed under their type.
namespace {

const ListQueryRegistration registration(
    464,
    QStringLiteral("SELECT i.ExChangeID, i.groupId, i.groupOrdId, i.CTypeId, v.TypeName, i.ChangeType, "
                   "CASE i.ChangeType WHEN 7 THEN '现金兑换' WHEN 8 THEN '储值兑换' WHEN 9 THEN '商品兑换' "
                   "WHEN 13 THEN '购物卡兑换' ELSE '' END AS ChangeTypeName, "
                   "i.UseIntegral, i.exchangeNum, i.diffprice, i.PRec, "
                   "COALESCE(p.UserCode, '') AS PUserCode, COALESCE(p.FullName, '') AS PFullName, "
                   "i.ETCID, COALESCE(et.TYPE, 0) AS TYPE, COALESCE(et.NAME, '') AS Name, "
                   "CASE et.TYPE WHEN 1 THEN '现金券' WHEN 2 THEN '打折卡' WHEN 3 THEN '优惠券' ELSE '' END "
                   "AS TypeCN, "
                   "i.IsCzAuto, i.SDate, i.EDate, i.Memo "
                   "FROM IntegralexchangeSet i JOIN viptype v ON v.CTypeId = i.CTypeId "
                   "LEFT JOIN ptype p ON p.rec = i.PRec "
                   "LEFT JOIN ETCType et ON et.ID = i.ETCID "
                   "WHERE i.deleted = 0 AND v.deleted = 0 AND (@CTypeId = 0 OR i.CTypeId = @CTypeId) "
                   "AND (@ChangeType = 0 OR i.ChangeType = @ChangeType) "
                   "ORDER BY i.CTypeId, i.ChangeType, i.groupId, i.groupOrdId"));

} // namespace
