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
    QStringList operations() const {
        QStringList names;
        for (const Call& call : m_calls)
            names.append(call.operation);
        return names;
    }
    void clear() { m_calls.clear(); }

    bool IsConnectUse(TLmConnectClass c) override { return answer(m_inUse, "IsConnectUse", className(c)); }
    bool Connect(TLmConnectClass c) override {
        return answer(m_inUse && m_connected, "Connect", className(c));
    }
    bool Connected(TLmConnectClass c) override {
        return answer(m_inUse && m_connected, "GetConnected", className(c));
    }
    QString ErrorMessage(TLmConnectClass c, const QString& cardNo) override {
        return answer(m_error, "ShowErrorMessage", className(c), cardNo);
    }

    int SaveVipInfo(int changeId, int changeKind) override {
        return write("SaveVipInfo", changeId, changeKind);
    }
    int SaveVipPassowrd(const QString& cardNo, const QString& password) override {
        return write("SaveVipPassowrd", cardNo, password);
    }
    bool GetCenterVipInteGral(const QString& cardNo, bool flag) override {
        return question("GetCenterVipInteGral", cardNo, flag);
    }
    bool SvrGetCenterVipCard(int cardId) override { return question("SvrGetCenterVipCard", cardId); }
    int SvrDetailTmpInsert(const QString& batchId, int orderNo, int ptypeRec, int buyTimes, double oncePrice,
                           int gainTimes, const QVariant& validityPeriod) override {
        return write("SvrDetailTmpInsert", batchId, orderNo, ptypeRec, buyTimes, oncePrice, gainTimes,
                     validityPeriod);
    }
    int SvrMainInsert(const QString& batchId, const QString& cardNo, int changeType, Money total, int userRec,
                      int accountRec, int posId, const QString& comment, const QString& date,
                      const QString& billCode, int flag, Money amount, const QString& uniqueBillId) override {
        return write("SvrMainInsert", batchId, cardNo, changeType, total, userRec, accountRec, posId, comment,
                     date, billCode, flag, amount, uniqueBillId);
    }
    int SvrTimesAdjust(int billId, const QString& cardNo, int changeType, int orderNo, int ptypeRec,
                       int buyTimes, Money oncePrice, int gainTimes, const QVariant& validityPeriod,
                       const QString& comment, int posId, int userRec, const QString& uniqueBillId) override {
        return write("SvrTimesAdjust", billId, cardNo, changeType, orderNo, ptypeRec, buyTimes, oncePrice,
                     gainTimes, validityPeriod, comment, posId, userRec, uniqueBillId);
    }

    void SaveVipCardGS(const QString& cardNo, bool lost) override { record("SaveVipCardGS", cardNo, lost); }
    bool GetCenterVipJSInfo(const QString& introducerCardNo) override {
        return question("GetCenterVipJSInfo", introducerCardNo);
    }
    int UpdateVipInfo(const TParamObject& card) override {
        m_calls.append(Call{QStringLiteral("UpdateVipInfo"), {}, card});
        return m_results.value(QStringLiteral("UpdateVipInfo"), 0).toInt();
    }
    int GetIsJSReward(const QString& cardNo) override { return write("GetIsJSReward", cardNo); }

    // The form without a date records no date.
    void SetETCList(int etcCardId, int mode, const QString& value, int userRec, const QDate& date) override {
        if (date.isValid())
            record("SetETCList", etcCardId, mode, value, userRec, date);
        else
            record("SetETCList", etcCardId, mode, value, userRec);
    }

    static QString className(TLmConnectClass connectClass) {
        return QStringList{"TRetailConnect", "TVipCardConnect", "TShopCardConnect"}.value(int(connectClass));
    }

private:
    template <typename... Args> void record(const char* operation, const Args&... arguments) {
        m_calls.append(Call{QLatin1String(operation), {QVariant::fromValue(arguments)...}, {}});
    }
    template <typename Result, typename... Args>
    Result answer(Result result, const char* operation, const Args&... arguments) {
        record(operation, arguments...);
        return result;
    }
    template <typename... Args> int write(const char* operation, const Args&... arguments) {
        record(operation, arguments...);
        return m_results.value(QLatin1String(operation), 0).toInt();
    }
    template <typename... Args> bool question(const char* operation, const Args&... arguments) {
        record(operation, arguments...);
        return m_results.value(QLatin1String(operation), true).toBool();
    }

    bool m_inUse = true;
    bool m_connected = true;
    QString m_error = QStringLiteral("总部拒绝了这次上传。");
    QHash<QString, QVariant> m_results;
    QList<Call> m_calls;
};
