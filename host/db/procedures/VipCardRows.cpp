#include "host/db/procedures/VipCardRows.h"

QString VipCardRows::select() {
    return selectWith({}, {});
}

QString VipCardRows::selectWith(const QString& extraColumns, const QString& extraJoins) {
    // The password itself is never read back; HasPassword tells whether a hash is kept.
    return QStringLiteral(
               "SELECT a.cardid, a.id, a.CardNo, a.VIPBarCode, a.Name, a.Tel, a.Address, a.IdentityCard, "
               "a.\"E-Mail\", a.sex, a.Birthday, a.BirthdayCN, a.BirthType, a.IsLeapMonth, a.Comment, "
               "a.CardType, "
               "COALESCE(t.TypeName, '') AS TypeName, a.Discount, a.AutoDiscount, a.AutoMemberTotal, "
               "a.AutoOneOff, "
               "a.AutoIntegral, COALESCE(t.IfVipPrice, 0) AS ifVipprice, a.BulidDate, a.ValidityDate, "
               "a.Lose, "
               "a.StopUse, a.IsLife, a.IsUse, a.btypeid, a.JSVIPCardID, COALESCE(j.CardNo, '') AS "
               "JSVIPCardNo, "
               "COALESCE(j.Name, '') AS JSVIPName, "
               "(SELECT COUNT(*) FROM vipcard n WHERE n.JSVIPCardID = a.id AND n.JSVIPCardID <> 0 AND "
               "n.deleted = 0) AS "
               "JSNum, "
               "a.IsJSReward, a.PosId, a.ActivatePosId, a.CreatePosId, a.Creator, a.VipCz, a.VipCzService, "
               "a.Cz00, "
               "a.CzTotal, a.Cz, a.UsePass, '' AS Password, "
               "CASE WHEN a.PasswordHash <> '' THEN 1 ELSE 0 END AS HasPassword, a.buyTotal, a.ljIntegral, "
               "a.IntegralTotal") +
           extraColumns +
           QStringLiteral(" FROM vipcard a LEFT JOIN viptype t ON t.CTypeId = a.CardType "
                          "LEFT JOIN vipcard j ON j.id = a.JSVIPCardID AND j.deleted = 0 ") +
           extraJoins;
}
