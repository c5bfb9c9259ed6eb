#pragma once

#include "host/sdk/LmConnect.h"

#include <QVariant>

// The link for member stored value, points and services.
class TRetailConnect : public TLmConnect {
public:
    static constexpr TLmConnectClass ClassType = TLmConnectClass::Retail;

    TRetailConnect()
        : TLmConnect(ClassType) {}

    // changeKind: 0 for a recharge, the dialog's change type for a points adjustment.
    int SaveVipInfo(int changeId, int changeKind);
    int SaveVipPassowrd(const QString& cardNo, const QString& password);
    // Brings the member's points from the head office into the local database.
    bool GetCenterVipInteGral(const QString& cardNo, bool flag);
    // Brings the local copy of the card up to date from the head office.
    bool SvrGetCenterVipCard(int cardId);
    int SvrDetailTmpInsert(const QString& batchId, int orderNo, int ptypeRec, int buyTimes, double oncePrice,
                           int gainTimes, const QVariant& validityPeriod);
    int SvrMainInsert(const QString& batchId, const QString& cardNo, int changeType, Money total, int userRec,
                      int accountRec, int posId, const QString& comment, const QString& date,
                      const QString& billCode, int flag, Money amount, const QString& uniqueBillId);
    int SvrTimesAdjust(int billId, const QString& cardNo, int changeType, int orderNo, int ptypeRec,
                       int buyTimes, Money oncePrice, int gainTimes, const QVariant& validityPeriod,
                       const QString& comment, int posId, int userRec, const QString& uniqueBillId);
};
