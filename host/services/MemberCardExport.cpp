#include "host/services/MemberCardExport.h"

#include "host/sdk/ClientDataSet.h"
#include "host/sdk/DataModule.h"
#include "host/sdk/MemberCardImport.h"
#include "host/services/CsvText.h"

QByteArray MemberCardExport::Write(DataModule& data) {
    ClientDataSet cards;
    data.OpenSQL(
        QStringLiteral("SELECT v.CardNo, v.VIPBarCode, v.Name, v.sex, v.Tel, v.IdentityCard, v.Birthday, "
                       "v.\"E-Mail\" AS Email, v.Address, t.TypeName, v.BulidDate, v.ValidityDate, "
                       "v.IsLife, v.VipCz, v.Cz, v.IntegralTotal, v.buyTotal, v.Comment FROM vipcard v "
                       "JOIN viptype t ON t.CTypeId = v.CardType WHERE v.deleted = 0 ORDER BY v.id"),
        cards);
    QList<QStringList> rows = {MemberCardImport::Columns()};
    const auto text = [&](const char* field) { return cards.FieldByName(QLatin1String(field)).AsString(); };
    const auto date = [&](const char* field) {
        return cards.FieldByName(QLatin1String(field)).AsDate().toString(QStringLiteral("yyyy-MM-dd"));
    };
    const auto flag = [&](const char* field) {
        return cards.FieldByName(QLatin1String(field)).AsInteger() > 0 ? QStringLiteral("是")
                                                                       : QStringLiteral("否");
    };
    for (cards.First(); !cards.Eof(); cards.Next()) {
        rows.append({text("CardNo"), text("VIPBarCode"), text("Name"),
                     cards.FieldByName(QStringLiteral("sex")).AsInteger() ? QStringLiteral("女")
                                                                          : QStringLiteral("男"),
                     text("Tel"), text("IdentityCard"), text("Birthday"), text("Email"), text("Address"),
                     text("TypeName"), date("BulidDate"), date("ValidityDate"), flag("IsLife"), flag("VipCz"),
                     cards.FieldByName(QStringLiteral("Cz")).AsMoney().toString(2),
                     QString::number(cards.FieldByName(QStringLiteral("IntegralTotal")).AsInteger()),
                     cards.FieldByName(QStringLiteral("buyTotal")).AsMoney().toString(2), text("Comment")});
    }
    return CsvText::Encode(rows);
}
