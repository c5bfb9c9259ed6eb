#pragma once

#include "host/sdk/Money.h"
#include "host/sdk/TParamObject.h"

#include <QDate>
#include <QString>
#include <QVariant>

// Which of the link's connection classes a call comes from: member stored value,
// points and services; member card master data; coupon and shopping cards.
enum class TLmConnectClass { Retail, VipCard, ShopCard };

// What stands behind the connection classes: a store's link to its head-office
// server. The connection objects forward every call here; the host installs the
// real link, tests a recording one. Without one, the link is not in use.
class HeadOfficeLink {
public:
    virtual ~HeadOfficeLink() = default;

    virtual bool IsConnectUse(TLmConnectClass connectClass) = 0;
    // Opens the link when it is down; true when it is up afterwards.
    virtual bool Connect(TLmConnectClass connectClass) = 0;
    virtual bool Connected(TLmConnectClass connectClass) = 0;
    // Why the last call failed, worded for the user and naming the card.
    virtual QString ErrorMessage(TLmConnectClass connectClass, const QString& cardNo) = 0;

    // Stored value, points and services. Writes return 0 when the head office took them.
    virtual int SaveVipInfo(int changeId, int changeKind) = 0;
    virtual int SaveVipPassowrd(const QString& cardNo, const QString& password) = 0;
    virtual bool GetCenterVipInteGral(const QString& cardNo, bool flag) = 0;
    virtual bool SvrGetCenterVipCard(int cardId) = 0;
    virtual int SvrDetailTmpInsert(const QString& batchId, int orderNo, int ptypeRec, int buyTimes,
                                   double oncePrice, int gainTimes, const QVariant& validityPeriod) = 0;
    virtual int SvrMainInsert(const QString& batchId, const QString& cardNo, int changeType, Money total,
                              int userRec, int accountRec, int posId, const QString& comment,
                              const QString& date, const QString& billCode, int flag, Money amount,
                              const QString& uniqueBillId) = 0;
    virtual int SvrTimesAdjust(int billId, const QString& cardNo, int changeType, int orderNo, int ptypeRec,
                               int buyTimes, Money oncePrice, int gainTimes, const QVariant& validityPeriod,
                               const QString& comment, int posId, int userRec,
                               const QString& uniqueBillId) = 0;

    // Member card master data.
    virtual void SaveVipCardGS(const QString& cardNo, bool lost) = 0;
    virtual bool GetCenterVipJSInfo(const QString& introducerCardNo) = 0;
    // 0 accepted, -1 link error, -2 phone or identity number over the repeat-issue
    // limit, -3 duplicate card number, -4 duplicate card barcode.
    virtual int UpdateVipInfo(const TParamObject& card) = 0;
    virtual int GetIsJSReward(const QString& cardNo) = 0;

    // Coupon and shopping cards; an invalid date is the form without one.
    virtual void SetETCList(int etcCardId, int mode, const QString& value, int userRec,
                            const QDate& date) = 0;

    // The installed link; without one, a link that is not in use.
    static HeadOfficeLink& current();
    static void install(HeadOfficeLink* link);
};
