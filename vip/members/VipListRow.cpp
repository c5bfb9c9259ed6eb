#include "vip/members/VipListRow.h"

#include "host/sdk/ui/TBaseQuery.h"

VipListRow VipListRow::At(const TBaseQuery& list, int row) {
    const auto number = [&](const char* field) { return list.GDataVar(QLatin1String(field), row).toInt(); };
    const auto text = [&](const char* field) {
        return list.GDataVar(QLatin1String(field), row).toString().trimmed();
    };
    VipListRow r;
    r.id = number("id");
    r.cardGuid = text("cardid");
    r.cardNo = text("CardNo");
    r.name = text("Name");
    r.typeName = text("TypeName");
    r.tel = text("Tel");
    r.cardType = number("CardType");
    r.lose = number("Lose") != 0;
    r.stopUse = number("StopUse") != 0;
    r.isLife = number("IsLife");
    r.isUse = number("IsUse");
    r.autoIntegral = number("AutoIntegral") != 0;
    r.vipCz = number("VipCz") != 0;
    r.vipCzService = number("VipCzService") != 0;
    r.usePass = number("UsePass") != 0;
    r.czPosId = number("PosId");
    r.changeIntegralPos = number("ChangeIntegralPos");
    r.introducerId = number("JSVIPCardID");
    r.validityDate = list.GDataVar(QStringLiteral("ValidityDate"), row).toDate();
    return r;
}

VipCardStore::CardFields VipListRow::CardFieldsAt(const TBaseQuery& list, int row) {
    const auto value = [&](const char* field) { return list.GDataVar(QLatin1String(field), row); };
    const auto text = [&](const char* field) { return value(field).toString(); };
    VipCardStore::CardFields card;
    card.editType = QStringLiteral("U");
    card.cardGuid = text("cardid").trimmed();
    card.cardNo = text("CardNo");
    card.name = text("Name");
    card.tel = text("Tel");
    card.address = text("Address");
    card.comment = text("Comment");
    card.cardType = value("CardType").toInt();
    card.discount = value("Discount").toDouble();
    card.bulidDate = value("BulidDate").toDate();
    card.validityDate = value("ValidityDate").toDate();
    card.lose = value("Lose").toInt() != 0;
    card.stopUse = value("StopUse").toInt() != 0;
    card.autoDiscount = value("AutoDiscount").toInt() != 0;
    card.autoMemberTotal = value("AutoMemberTotal").toInt() != 0;
    card.autoOneOff = value("AutoOneOff").toInt() != 0;
    card.autoIntegral = value("AutoIntegral").toInt() != 0;
    card.female = value("sex").toInt() != 0;
    card.lunarBirthday = value("BirthType").toInt() != 0;
    card.birthday = card.lunarBirthday ? text("BirthdayCN") : text("Birthday");
    card.identityCard = text("IdentityCard");
    card.email = text("E-Mail");
    card.mediFeedback = text("MediFeedback");
    card.caseText = text("Case");
    card.btypeId = value("btypeid").toInt();
    card.isLife = value("IsLife").toInt() != 0;
    card.barCode = text("VIPBarCode");
    card.introducerId = value("JSVIPCardID").toInt();
    card.activePosId = value("ActivatePosId").toInt();
    card.isUseRead = value("IsUse").toInt();
    return card;
}
