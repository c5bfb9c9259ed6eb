#pragma once

#include "host/sdk/DataModule.h"
#include "host/sdk/Money.h"
#include "host/sdk/VipCodes.h"

#include <QDate>
#include <QList>
#include <QPair>
#include <QString>
#include <optional>

// Everything the database holds of stored value for the stored-value area: the one
// place of the area that speaks SQL or calls procedures.
class VipCzStore {
public:
    // What the recharge procedure answers; the dialog turns each code into a message.
    enum Result {
        Saved = 0,
        CardRefused = -1,     // gone, not activated, stored value off, lost or stopped
        AboveBalance = -2,    // the refund exceeds what the card holds now
        NotPositive = -3,     // the amount is not above 0
        AboveMost = -4,       // the amount is above the most one save may move
        WrongGift = -5,       // the card type's rules changed since the gift was shown
        NoAccount = -6,       // the account is gone
        Locked = -7,          // the card's stored value is locked after wrong passwords
        OperationReused = -8, // the operation id was used for another operation
    };
    // What the password procedures answer.
    enum PasswordResult { PasswordRight = 0, PasswordWrong = 1, PasswordLocked = 2, PasswordCardGone = -1 };

    // The card row the recharge dialog works on.
    struct Card {
        int id = 0;
        QString cardNo;
        QString name;
        QString identityCard;
        Money cz;
        bool isLife = false;
        bool vipCz = false;
        int posId = 0;
        bool deleted = false;
        bool lose = false;
        bool stopUse = false;
        bool usePass = false;
        bool locked = false;
        int cardType = 0;
    };
    struct Operation {
        QString cardNo;
        int changeType = 0; // StoredValueChange::Recharge or Refund
        Money amount;
        Money gift;
        int userRec = 0;
        int accountRec = 0;
        int posId = 0;
        QString memo;
        QString date; // "yyyy-mm-dd"
        QString operationId;
    };
    struct Outcome {
        int result = Saved;
        int changeId = 0;
        QString billCode;
        Money balanceAfter;
    };

    explicit VipCzStore(DataModule& data = dmClient());

    // The live card with the number; with 'onlyStore' set, only a card of that store
    // or, while the chain shares stored value (sysdata vipConnect), of the chain.
    std::optional<Card> LoadCard(const QString& cardNo, std::optional<int> onlyStore);
    // Whether cards of the type may be used in the store (its store range).
    bool CanUseInPos(int cardType, int posId);
    Money GiftFor(Money amount, int cardType);
    // The account's record number and name by its tree id; 0 and "" when there is none.
    int AccountRec(const QString& typeId);
    QString AccountName(const QString& typeId);

    Outcome Operate(const Operation& operation);

    // Service uses. The card row the service dialogs work on.
    struct ServiceCard {
        int id = 0;
        QString cardNo;
        QString typeName;
        QString name;
        QString tel;
        int posId = 0;
        bool isLife = false;
        bool lose = false;
        bool stopUse = false;
        bool vipCz = false;
        bool vipCzService = false;
        bool usePass = false;
    };
    // The live cards whose number or bar code is 'cardNo' (kd_GetVipCardCount).
    QList<ServiceCard> FindServiceCards(const QString& cardNo, int posId);
    // Writes off the card's uses past their last day (kd_RefreshVipCardService).
    void RefreshServices(int cardId);
    // Whether the store keeps its own members (an independent store).
    bool IsIndependentStore(int posId);
    // What 'count' uses of the item cost today by its ladder (kd_GetVipServicePrice).
    struct ServicePrice {
        Money oncePrice;
        int gainTimes = -1; // -1: no gift
        QString lastDay;    // "yyyy-mm-dd", empty without end
    };
    std::optional<ServicePrice> PriceService(int prec, int count);
    // The uses of the card's item still valid today, and the money behind them.
    struct HeldUses {
        int times = 0;
        Money total;
    };
    HeldUses UsesHeld(int cardId, int prec);
    // The items of which the card holds valid uses.
    QList<int> ItemsHeld(int cardId);

    // One row of a service sale or consumption and the save itself.
    struct ServiceRow {
        int prec = 0;
        int count = 0;
        Money oncePrice;
        int gainTimes = -1;
        QString lastDay;
    };
    struct ServiceSave {
        QString cardNo;
        int changeType = 0; // StoredValueChange::ServiceSale or ServiceConsumption
        Money total;
        int userRec = 0;
        int accountRec = 0;
        int posId = 0;
        QString memo;
        QString date;
        QString batchId;
        QString uniqueBillId;
    };
    struct ServiceOutcome {
        int result = 0;       // XF_CzServiceMainInsert's code, or a staging row's
        bool staging = false; // the staging of a row failed
        QString billCode;
        int billId = 0;
    };
    ServiceOutcome SaveServices(const ServiceSave& save, const QList<ServiceRow>& rows);
    // A hand adjustment of one card's uses of one item (XF_CzServiceDetailInsert).
    struct UsesAdjustment {
        QString cardNo;
        int changeType = 0; // StoredValueChange::UsesAdded or UsesRemoved
        int prec = 0;
        int count = 0;
        QString validity; // "yyyy-mm-dd 00:00:00" or empty
        QString comment;
        int posId = 0;
        int userRec = 0;
        QString uniqueBillId;
    };
    int AdjustUses(const UsesAdjustment& adjustment);
    PasswordResult CheckPassword(const QString& cardNo, const QString& password);
    PasswordResult ChangePassword(int cardId, const QString& oldPassword, const QString& newPassword);

    // A service item as its rules dialog edits it; its id is the product's record number.
    struct ServiceItem {
        int prec = 0;
        QString code;
        QString name;
        int startTimes = 1; // 0 where the item stores none
        Money oncePrice;
        int discountType = ServiceGiftMode::PerMultiple;
    };
    // One step of an item's ladder; 0 gift uses or days for none.
    struct ServiceRule {
        int buyTimes = 0;
        Money oncePrice;
        int gainTimes = 0;
        int validityDays = 0;
    };
    // What saving an item answers: the item's id, or the refusal of the item's
    // procedure (atRule false) or of a rule's (atRule true), ServiceItemRefusal codes.
    struct ServiceSaved {
        int result = 0;
        bool atRule = false;
    };
    // kd_DelVipService's answers.
    enum ServiceDeleteResult { ServiceInUse = -1, ServiceGone = 0, ServiceDeleted = 1 };

    // The product as a service item; none when it has no service row.
    std::optional<ServiceItem> LoadServiceItem(int prec);
    // The item's ladder by count, as QueryVipServiceRule gives it to grids.
    void ServiceRuleRows(int prec, ClientDataSet& rows);
    QList<ServiceRule> ServiceRules(int prec);
    // The item and its whole ladder in one transaction: a new item (isNew) or the
    // item's fields and a ladder replacing the old one. Rules with a count of 0 are
    // no rules. Nothing is written unless everything is.
    ServiceSaved SaveServiceItem(const ServiceItem& item, bool isNew, const QList<ServiceRule>& rules);
    ServiceDeleteResult DeleteServiceItem(int prec);
    // The service items the card (0: any card) holds uses of, (record number, name) by
    // record number.
    QList<QPair<int, QString>> CardServiceItems(int cardId);
    // Uses of the item (0: of all) the card numbered cardNo held before the day 'begin'.
    int UsesBefore(const QString& cardNo, int prec, const QDate& begin, const QDate& end);

private:
    DataModule& m_data;
};
