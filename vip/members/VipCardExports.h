#pragma once

#include "vip/base/VipExport.h"

#include <QString>
#include <QVariant>

// The card writes other modules call by their plain names.
extern "C" {
// Writes a card through the card procedure, deriving the other form of the
// birthday from the one entered; the procedure's result: the card's id, or -1
// write failed, -2 repeat-issue limit, -3 number taken, -4 bar code taken.
VIP_EXPORT int Y_InsVipCard(const QString& editType, const QString& cardNo, const QString& name,
                            const QString& tel, const QString& address, const QString& comment,
                            const QString& cardType, double discount, const QString& bulidDate,
                            const QString& validityDate, bool lose, bool stopUse, const QString& autoDiscount,
                            int autoMemberTotal, int autoOneOff, int autoIntegral, bool female,
                            const QString& birthday, const QString& identityCard, const QString& email,
                            const QString& mediFeedback, const QString& caseText, const QString& bulidDate1,
                            const QString& validityDate1, const QString& searchDate,
                            const QString& searchDate1, const QVariant& cardGuid, int btypeId, int isLife,
                            const QString& barCode, int introducerId, int posId, int userRec, int activePosId,
                            bool lunarBirthday, const QString& birthdayCN, double buyTotal,
                            double ljIntegral);
// Settles the introducer reward of a card (change type 1 when it is opened) for the
// current store and user; true when the procedure accepted it.
VIP_EXPORT bool AddJSIntegralTotal(int cardId, int changeType);
}
