#pragma once

#include "host/sdk/ClientDataSet.h"
#include "host/sdk/DataModule.h"
#include "host/sdk/Money.h"
#include "vip/coupons/ETCCardChangeLog.h"

#include <QDate>
#include <QString>
#include <optional>

// Everything the database holds of coupon cards for the coupon area: the one place
// of the area that speaks SQL or calls procedures.
class ETCCardStore {
public:
    struct Card {
        int id = 0;
        int etcId = 0;
        int kind = 0; // CouponKind
        QString typeName;
        QString cardNo;
        int vipId = 0;
        QString vipCode;
        int flag = 0; // 0 not activated, 1 activated, 3 voided
        Money total;
        Money usedTotal;
        QDate startDate;
        QDate endDate;
        QString posIds;
        QString posNames;
        bool used = false;
        bool stopped = false;
        int flags = 0;
        QString vipType;
    };
    struct Saved {
        int id = 0;
        QString cardNo;
        QString refusal; // the procedure's words, empty when saved
    };

    explicit ETCCardStore(DataModule& data = dmClient());

    std::optional<Card> Load(int id, int kind = 0);
    // Live cards whose number begins with 'prefix', valid in the store, as rows.
    void FindByNumber(const QString& prefix, int storeId, ClientDataSet& rows);
    static Card FromRow(const ClientDataSet& rows);

    // Writes the card (a new one takes the kind's next number when it has none) and
    // the change log against 'before', in one transaction.
    Saved Save(const Card& card, int userRec, const ETCCardChangeLog::Values& before,
               const ETCCardChangeLog::Values& after);
    // A state change (CouponCardMode) in a transaction of its own; the refusal's
    // words, empty when done.
    QString SetState(int id, int mode, const QString& value, int userRec, int posId);
    // Queues a change for the head office (KD_ETCListUP); the refusal's words, empty when queued.
    QString ReportUp(int id, int mode, const QString& value, int userRec, int posId, const QDate& date = {});

private:
    DataModule& m_data;
};
