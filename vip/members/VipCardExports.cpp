#include "vip/members/VipCardExports.h"

#include "host/sdk/Ucomvar.h"
#include "vip/members/VipCardStore.h"

#include <QDate>
#include <cmath>

namespace {

QDate dateOf(const QString& text) {
    const QString day = text.trimmed().left(10);
    const QDate date = QDate::fromString(day, QStringLiteral("yyyy-MM-dd"));
    return date.isValid() ? date : QDate::fromString(day, QStringLiteral("yyyy/MM/dd"));
}

} // namespace

int Y_InsVipCard(const QString& editType, const QString& cardNo, const QString& name, const QString& tel,
                 const QString& address, const QString& comment, const QString& cardType, double discount,
                 const QString& bulidDate, const QString& validityDate, bool lose, bool stopUse,
                 const QString& autoDiscount, int autoMemberTotal, int autoOneOff, int autoIntegral,
                 bool female, const QString& birthday, const QString& identityCard, const QString& email,
                 const QString& mediFeedback, const QString& caseText, const QString&, const QString&,
                 const QString&, const QString&, const QVariant& cardGuid, int btypeId, int isLife,
                 const QString& barCode, int introducerId, int posId, int userRec, int activePosId,
                 bool lunarBirthday, const QString& birthdayCN, double buyTotal, double ljIntegral) {
    VipCardStore::CardFields card;
    card.editType = editType;
    card.cardNo = cardNo;
    card.name = name;
    card.tel = tel;
    card.address = address;
    card.comment = comment;
    card.cardType = cardType.trimmed().toInt();
    card.discount = discount;
    card.bulidDate = dateOf(bulidDate);
    card.validityDate = dateOf(validityDate);
    card.lose = lose;
    card.stopUse = stopUse;
    card.autoDiscount = autoDiscount.trimmed() == QLatin1String("1");
    card.autoMemberTotal = autoMemberTotal == 1;
    card.autoOneOff = autoOneOff == 1;
    card.autoIntegral = autoIntegral == 1;
    card.female = female;
    card.lunarBirthday = lunarBirthday;
    card.birthday = lunarBirthday ? birthdayCN : birthday;
    card.identityCard = identityCard;
    card.email = email;
    card.mediFeedback = mediFeedback;
    card.caseText = caseText;
    card.cardGuid = cardGuid.toString();
    card.btypeId = btypeId;
    card.isLife = isLife == 1;
    card.barCode = barCode;
    card.introducerId = introducerId;
    card.posId = posId;
    card.userRec = userRec;
    card.activePosId = activePosId;
    card.buyTotal = Money::fromDouble(buyTotal);
    card.ljIntegral = static_cast<int>(std::lround(ljIntegral));
    return VipCardStore().WriteCard(card);
}

bool AddJSIntegralTotal(int cardId, int changeType) {
    return VipCardStore().RewardIntroducer(cardId, changeType, Ucomvar().lPublicPosid,
                                           Ucomvar().nLoginUserRec);
}
