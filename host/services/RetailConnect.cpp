#include "host/sdk/RetailConnect.h"

int TRetailConnect::SaveVipInfo(int changeId, int changeKind) {
    return link().SaveVipInfo(changeId, changeKind);
}

int TRetailConnect::SaveVipPassowrd(const QString& cardNo, const QString& password) {
    return link().SaveVipPassowrd(cardNo, password);
}

bool TRetailConnect::GetCenterVipInteGral(const QString& cardNo, bool flag) {
    return link().GetCenterVipInteGral(cardNo, flag);
}

bool TRetailConnect::SvrGetCenterVipCard(int cardId) {
    return link().SvrGetCenterVipCard(cardId);
}

int TRetailConnect::SvrDetailTmpInsert(const QString& batchId, int orderNo, int ptypeRec, int buyTimes,
                                       double oncePrice, int gainTimes, const QVariant& validityPeriod) {
    return link().SvrDetailTmpInsert(batchId, orderNo, ptypeRec, buyTimes, oncePrice, gainTimes,
                                     validityPeriod);
}

int TRetailConnect::SvrMainInsert(const QString& batchId, const QString& cardNo, int changeType, Money total,
                                  int userRec, int accountRec, int posId, const QString& comment,
                                  const QString& date, const QString& billCode, int flag, Money amount,
                                  const QString& uniqueBillId) {
    return link().SvrMainInsert(batchId, cardNo, changeType, total, userRec, accountRec, posId, comment, date,
                                billCode, flag, amount, uniqueBillId);
}

int TRetailConnect::SvrTimesAdjust(int billId, const QString& cardNo, int changeType, int orderNo,
                                   int ptypeRec, int buyTimes, Money oncePrice, int gainTimes,
                                   const QVariant& validityPeriod, const QString& comment, int posId,
                                   int userRec, const QString& uniqueBillId) {
    return link().SvrTimesAdjust(billId, cardNo, changeType, orderNo, ptypeRec, buyTimes, oncePrice,
                                 gainTimes, validityPeriod, comment, posId, userRec, uniqueBillId);
}
