#include "tests/support/RecordingLink.h"

QList<RecordingLink::Call> RecordingLink::calls(const QString& operation) const {
    QList<Call> found;
    for (const Call& call : m_calls) {
        if (call.operation == operation)
            found.append(call);
    }
    return found;
}

QStringList RecordingLink::operations() const {
    QStringList names;
    for (const Call& call : m_calls)
        names.append(call.operation);
    return names;
}

QString RecordingLink::className(TLmConnectClass connectClass) {
    switch (connectClass) {
    case TLmConnectClass::Retail:
        return QStringLiteral("TRetailConnect");
    case TLmConnectClass::VipCard:
        return QStringLiteral("TVipCardConnect");
    case TLmConnectClass::ShopCard:
        return QStringLiteral("TShopCardConnect");
    }
    return QString();
}

void RecordingLink::record(const QString& operation, const QVariantList& arguments) {
    m_calls.append(Call{operation, arguments, {}});
}

int RecordingLink::write(const QString& operation, const QVariantList& arguments) {
    record(operation, arguments);
    return m_results.value(operation, 0).toInt();
}

bool RecordingLink::question(const QString& operation, const QVariantList& arguments) {
    record(operation, arguments);
    return m_results.value(operation, true).toBool();
}

bool RecordingLink::IsConnectUse(TLmConnectClass connectClass) {
    record(QStringLiteral("IsConnectUse"), {className(connectClass)});
    return m_inUse;
}

bool RecordingLink::Connect(TLmConnectClass connectClass) {
    record(QStringLiteral("Connect"), {className(connectClass)});
    return m_inUse && m_connected;
}

bool RecordingLink::Connected(TLmConnectClass connectClass) {
    record(QStringLiteral("GetConnected"), {className(connectClass)});
    return m_inUse && m_connected;
}

QString RecordingLink::ErrorMessage(TLmConnectClass connectClass, const QString& cardNo) {
    record(QStringLiteral("ShowErrorMessage"), {className(connectClass), cardNo});
    return m_error;
}

int RecordingLink::SaveVipInfo(int changeId, int changeKind) {
    return write(QStringLiteral("SaveVipInfo"), {changeId, changeKind});
}

int RecordingLink::SaveVipPassowrd(const QString& cardNo, const QString& password) {
    return write(QStringLiteral("SaveVipPassowrd"), {cardNo, password});
}

bool RecordingLink::GetCenterVipInteGral(const QString& cardNo, bool flag) {
    return question(QStringLiteral("GetCenterVipInteGral"), {cardNo, flag});
}

bool RecordingLink::SvrGetCenterVipCard(int cardId) {
    return question(QStringLiteral("SvrGetCenterVipCard"), {cardId});
}

int RecordingLink::SvrDetailTmpInsert(const QString& batchId, int orderNo, int ptypeRec, int buyTimes,
                                      double oncePrice, int gainTimes, const QVariant& validityPeriod) {
    return write(QStringLiteral("SvrDetailTmpInsert"),
                 {batchId, orderNo, ptypeRec, buyTimes, oncePrice, gainTimes, validityPeriod});
}

int RecordingLink::SvrMainInsert(const QString& batchId, const QString& cardNo, int changeType, Money total,
                                 int userRec, int accountRec, int posId, const QString& comment,
                                 const QString& date, const QString& billCode, int flag, Money amount,
                                 const QString& uniqueBillId) {
    return write(QStringLiteral("SvrMainInsert"),
                 {batchId, cardNo, changeType, QVariant::fromValue(total), userRec, accountRec, posId,
                  comment, date, billCode, flag, QVariant::fromValue(amount), uniqueBillId});
}

int RecordingLink::SvrTimesAdjust(int billId, const QString& cardNo, int changeType, int orderNo,
                                  int ptypeRec, int buyTimes, Money oncePrice, int gainTimes,
                                  const QVariant& validityPeriod, const QString& comment, int posId,
                                  int userRec, const QString& uniqueBillId) {
    return write(QStringLiteral("SvrTimesAdjust"),
                 {billId, cardNo, changeType, orderNo, ptypeRec, buyTimes, QVariant::fromValue(oncePrice),
                  gainTimes, validityPeriod, comment, posId, userRec, uniqueBillId});
}

void RecordingLink::SaveVipCardGS(const QString& cardNo, bool lost) {
    record(QStringLiteral("SaveVipCardGS"), {cardNo, lost});
}

bool RecordingLink::GetCenterVipJSInfo(const QString& introducerCardNo) {
    return question(QStringLiteral("GetCenterVipJSInfo"), {introducerCardNo});
}

int RecordingLink::UpdateVipInfo(const TParamObject& card) {
    m_calls.append(Call{QStringLiteral("UpdateVipInfo"), {}, card});
    return m_results.value(QStringLiteral("UpdateVipInfo"), 0).toInt();
}

int RecordingLink::GetIsJSReward(const QString& cardNo) {
    return write(QStringLiteral("GetIsJSReward"), {cardNo});
}

void RecordingLink::SetETCList(int etcCardId, int mode, const QString& value, int userRec,
                               const QDate& date) {
    QVariantList arguments{etcCardId, mode, value, userRec};
    if (date.isValid())
        arguments.append(date);
    record(QStringLiteral("SetETCList"), arguments);
}
