#pragma once

#include "host/sdk/HeadOfficeLink.h"

#include <QHash>
#include <QList>
#include <QStringList>
#include <QVariantList>

// A head-office link for tests: records every call (operation name and arguments
// in order), answers each operation with a configurable result, and can be set in
// use or not and connected or not. Installed for its lifetime.
//
// Defaults: in use, connected, every write accepted (0), every question answered
// true, GetIsJSReward 0. Amounts are recorded as Money, the card of UpdateVipInfo
// as the parameter list itself.
class RecordingLink final : public HeadOfficeLink {
public:
    struct Call {
        QString operation;
        QVariantList arguments;
        TParamObject card; // UpdateVipInfo only
    };

    RecordingLink() { HeadOfficeLink::install(this); }
    ~RecordingLink() override { HeadOfficeLink::install(nullptr); }

    void setInUse(bool inUse) { m_inUse = inUse; }
    void setConnected(bool connected) { m_connected = connected; }
    // The answer of one operation from now on: an integer for writes, a boolean for
    // the questions.
    void setResult(const QString& operation, const QVariant& result) { m_results.insert(operation, result); }
    void setErrorMessage(const QString& text) { m_error = text; }

    const QList<Call>& calls() const { return m_calls; }
    QList<Call> calls(const QString& operation) const;
    QStringList operations() const;
    void clear() { m_calls.clear(); }

    bool IsConnectUse(TLmConnectClass connectClass) override;
    bool Connect(TLmConnectClass connectClass) override;
    bool Connected(TLmConnectClass connectClass) override;
    QString ErrorMessage(TLmConnectClass connectClass, const QString& cardNo) override;

    int SaveVipInfo(int changeId, int changeKind) override;
    int SaveVipPassowrd(const QString& cardNo, const QString& password) override;
    bool GetCenterVipInteGral(const QString& cardNo, bool flag) override;
    bool SvrGetCenterVipCard(int cardId) override;
    int SvrDetailTmpInsert(const QString& batchId, int orderNo, int ptypeRec, int buyTimes, double oncePrice,
                           int gainTimes, const QVariant& validityPeriod) override;
    int SvrMainInsert(const QString& batchId, const QString& cardNo, int changeType, Money total, int userRec,
                      int accountRec, int posId, const QString& comment, const QString& date,
                      const QString& billCode, int flag, Money amount, const QString& uniqueBillId) override;
    int SvrTimesAdjust(int billId, const QString& cardNo, int changeType, int orderNo, int ptypeRec,
                       int buyTimes, Money oncePrice, int gainTimes, const QVariant& validityPeriod,
                       const QString& comment, int posId, int userRec, const QString& uniqueBillId) override;

    void SaveVipCardGS(const QString& cardNo, bool lost) override;
    bool GetCenterVipJSInfo(const QString& introducerCardNo) override;
    int UpdateVipInfo(const TParamObject& card) override;
    int GetIsJSReward(const QString& cardNo) override;

    void SetETCList(int etcCardId, int mode, const QString& value, int userRec, const QDate& date) override;

    static QString className(TLmConnectClass connectClass);

private:
    void record(const QString& operation, const QVariantList& arguments);
    int write(const QString& operation, const QVariantList& arguments);
    bool question(const QString& operation, const QVariantList& arguments);

    bool m_inUse = true;
    bool m_connected = true;
    QString m_error = QStringLiteral("总部拒绝了这次上传。");
    QHash<QString, QVariant> m_results;
    QList<Call> m_calls;
};
