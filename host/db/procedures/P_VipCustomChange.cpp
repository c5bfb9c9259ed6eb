#include "host/data/Database.h"
#include "host/data/StoredProcedure.h"
#include "host/sdk/DbError.h"

// P_VipCustomChange: the custom field values (@C0..@C19) of a record of kind
// @IDFlag (6: the live member card @cardid), replacing what it had. A value must fit
// its field's data type (1 integer, 2 number). Returns 0; -1 when the card is gone.
namespace {

constexpr int MemberCards = 6;
constexpr int Fields = 20;
constexpr int CardGone = -1;

int pVipCustomChange(ProcedureContext& call) {
    Database& db = call.db();
    const int kind = call.integer(QStringLiteral("@IDFlag"));
    const int cardId = call.integer(QStringLiteral("@cardid"));
    if (kind != MemberCards)
        throw DbError(QStringLiteral("自定义信息的类别 %1 无效。").arg(kind));
    if (db.scalar(QStringLiteral("SELECT COUNT(*) FROM vipcard WHERE id = ? AND deleted = 0"), {cardId})
            .toInt() == 0)
        return CardGone;
    ClientDataSet defined;
    db.select(QStringLiteral(
                  "SELECT Name, DataType FROM CustomFieldsDefine WHERE idflag = ? ORDER BY RowIndex, id"),
              {kind}, defined);
    QVariantList values = {kind, cardId};
    for (int i = 0; i < Fields; ++i) {
        const QString value = call.text(QStringLiteral("@C%1").arg(i), 50).trimmed();
        if (!value.isEmpty()) {
            if (i >= defined.RecordCount())
                throw DbError(QStringLiteral("自定义信息 C%1 没有定义。").arg(i));
            const int type = defined.Value(i, QStringLiteral("DataType")).toInt();
            bool ok = true;
            if (type == 1)
                value.toLongLong(&ok);
            else if (type == 2)
                value.toDouble(&ok);
            if (!ok)
                throw DbError(QStringLiteral("自定义信息“%1”必须是数字。")
                                  .arg(defined.Value(i, QStringLiteral("Name")).toString()));
        }
        values.append(value);
    }
    db.execute(QStringLiteral("DELETE FROM VipCustomFields WHERE IDflag = ? AND cardid = ?"), {kind, cardId});
    QStringList columns;
    for (int i = 0; i < Fields; ++i)
        columns.append(QStringLiteral("C%1").arg(i));
    db.execute(QStringLiteral("INSERT INTO VipCustomFields (IDflag, cardid, %1) VALUES (%2)")
                   .arg(columns.join(QStringLiteral(", ")),
                        QStringList(values.size(), QStringLiteral("?")).join(QLatin1Char(','))),
               values);
    return 0;
}

const ProcedureRegistration registration(QStringLiteral("P_VipCustomChange"), pVipCustomChange);

} // namespace
