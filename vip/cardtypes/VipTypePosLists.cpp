#include "vip/cardtypes/VipTypePosLists.h"

#include "host/sdk/DataModule.h"

namespace {

void fillStores(TStringList& list, const QString& sql, const QVariantList& params) {
    ClientDataSet rows;
    dmClient().OpenSQL(sql, rows, params);
    list.Clear();
    for (; !rows.Eof(); rows.Next())
        list.Add(rows.FieldByName(QStringLiteral("posid")).AsString() + QLatin1Char('=') +
                 rows.FieldByName(QStringLiteral("PosName")).AsString());
}

} // namespace

QString GetPosList(TStringList* list, bool allStores, int typeId) {
    if (allStores)
        return QStringLiteral("全部门店");
    if (typeId == 0)
        return QString();
    ClientDataSet rows;
    dmClient().OpenSQL(QStringLiteral("SELECT p.posid, p.PosName FROM posinfo p, PosVipType v WHERE p.posid = v.PosID "
                                      "AND v.viptype = ? AND p.deleted = 0 ORDER BY p.RowIndex, p.posid"),
                       rows, {typeId});
    if (list)
        list->Clear();
    QStringList names;
    for (; !rows.Eof(); rows.Next()) {
        const QString name = rows.FieldByName(QStringLiteral("PosName")).AsString();
        if (list)
            list->Add(rows.FieldByName(QStringLiteral("posid")).AsString() + QLatin1Char('=') + name);
        names.append(name);
    }
    return names.join(QLatin1Char(';'));
}

void GetChangeIntegralPosList(TStringList* list, int typeId, const TStringList* filter) {
    if (!list)
        return;
    if (typeId != 0) {
        fillStores(*list,
                   QStringLiteral("SELECT p.posid, p.PosName FROM posinfo p, PosVipType v WHERE p.posid = v.PosID "
                                  "AND p.ConnectType = 1 AND v.viptype = ? AND p.deleted = 0 ORDER BY p.RowIndex, p.posid"),
                   {typeId});
        return;
    }
    QString sql = QStringLiteral("SELECT posid, PosName FROM posinfo WHERE deleted = 0 AND ConnectType = 1");
    QVariantList params;
    if (filter && !filter->IsEmpty()) {
        QStringList marks;
        for (int i = 0; i < filter->Count(); ++i) {
            marks.append(QStringLiteral("?"));
            params.append(filter->Names(i).trimmed().toInt());
        }
        sql += QStringLiteral(" AND posid IN (%1)").arg(marks.join(QLatin1Char(',')));
    }
    fillStores(*list, sql + QStringLiteral(" ORDER BY RowIndex, posid"), params);
}

bool VipCanUsePosList(const QString& cardNo, TStringList* list, int cardTypeId) {
    int type = cardTypeId;
    if (type == 0) {
        ClientDataSet card;
        dmClient().OpenSQL(QStringLiteral("SELECT CardType FROM vipcard WHERE deleted = 0 AND CardNo = ?"), card, {cardNo});
        if (card.IsEmpty())
            return false;
        type = card.FieldByName(QStringLiteral("CardType")).AsInteger();
    }
    if (type == 0)
        return false;
    const int allStores =
        dmClient().OpenSQLAsInt(QStringLiteral("SELECT CanAllPos FROM viptype WHERE deleted = 0 AND CTypeId = ?"), {type});
    GetPosList(list, allStores == 1, type);
    if (list) {
        // Each store also by its name alone, carrying its id, for callers that match names.
        const int lines = list->Count();
        for (int i = 0; i < lines; ++i)
            list->Add(list->ValueFromIndex(i), list->Names(i).toInt());
    }
    return true;
}
