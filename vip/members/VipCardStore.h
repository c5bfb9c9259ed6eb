#pragma once

#include "host/sdk/ClientDataSet.h"
#include "host/sdk/DataModule.h"
#include "host/sdk/Money.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// Everything the database holds of member cards for the member area: the one place
// of the area that speaks SQL or calls procedures. The editor opens one Transaction
// around a save and calls WriteCard and the follow-up writes inside it; every
// method works inside a caller's transaction as well as on its own.
class VipCardStore {
public:
    // Why the card procedure turned a card down; nothing was written.
    enum Refusal {
        WriteFailed = -1,  // the card to change is gone, or the write failed
        RepeatLimit = -2,  // the holder's telephone or identity number reached the type's repeat-issue limit
        NumberTaken = -3,  // another live card has the number
        BarCodeTaken = -4, // another live card has the bar code
        ChangedElsewhere = -5 // the card's change counter moved since it was read
    };
    // Why the stored-value write turned the card down.
    enum StoredValueRefusal {
        CardGone = -1,
        BalanceBelowZero = -2,  // lowering the opening balance would leave less than was spent
        BalanceStillHeld = -3,  // stored value switched off while the card holds some
        OpeningNotAllowed = -4, // an opening balance for a franchise store's stored value
    };

    // The card as the card procedure writes it (Y_InsVipCard's parameters).
    struct CardFields {
        QString editType = QStringLiteral("I"); // "I" new card, "U" change a card
        QString cardNo;
        QString name;
        QString tel;
        QString address;
        QString comment;
        int cardType = 0;
        double discount = 100;
        QDate bulidDate;
        QDate validityDate;
        bool lose = false;
        bool stopUse = false;
        bool autoDiscount = false;
        bool autoMemberTotal = false;
        bool autoOneOff = false;
        bool autoIntegral = false;
        bool female = false;
        // The birthday as entered: a solar "yyyy-mm-dd" text, or with lunarBirthday a
        // lunar one; WriteCard derives the other form.
        bool lunarBirthday = false;
        QString birthday;
        QString identityCard;
        QString email;
        QString mediFeedback; // passed empty by the editor
        QString caseText;     // passed empty by the editor
        QString cardGuid;     // "{...}"; a new card gets a fresh one when empty
        int btypeId = 0;
        bool isLife = false;
        QString barCode;
        int introducerId = 0; // JSVIPCardID, 0 none
        int posId = 0;        // current store
        int userRec = 0;      // logged-in user (loginuser.rec)
        int activePosId = -1; // issuing store, -1 none
        Money buyTotal;
        int ljIntegral = 0;
        // "U" only: the IsUse the caller loaded; the change is refused with
        // ChangedElsewhere when it moved. Absent: no comparison.
        std::optional<int> isUseRead;
    };

    // The card's stored-value settings as the editor saves them after the card.
    struct StoredValue {
        bool vipCz = false;
        bool services = false;
        // Whether the opening balance is written (always for a new card; for a
        // changed card only when the host allows changing it). The balance moves by
        // the difference to the old opening balance, recorded as a change row.
        bool setOpening = true;
        Money opening;
        bool usePass = false;
        // The six digits as typed; kept only as a salted hash. Absent with usePass:
        // the card keeps the password it has.
        std::optional<QString> password;
        int czPosId = 0;     // store where the stored value may be used, 0 all
        int isJSReward = -1; // written when above -1
        int posId = 0;       // current store
        int userRec = 0;     // logged-in user
        QString operationId; // keeps a retried save from applying twice; made up when empty
    };

    // A card found by number through kd_GetVipCardCount or P_SelVipCard.
    struct CardLookup {
        int id = 0;
        QString cardNo;
        int cardType = 0;
        bool lose = false;
        bool stopUse = false;
        int isLife = 0;
        QDate bulidDate;
        QDate validityDate;
    };

    // IsLife, IsUse and the issuing store of a live card.
    struct CardState {
        int id = 0;
        QString cardGuid;
        int isLife = 0;
        int isUse = 0;
        int activatePosId = -1;
    };

    // The flags of a card type the editor shows beside a card.
    struct TypeFlags {
        int typeId = 0;
        QString typeName;
        double discount = 100;
        bool fixedDiscount = false;
        bool autoMemberTotal = false;
        bool autoIntegral = false;
        bool ifVipPrice = false;
        bool usePtypeDiscount = false;
        bool autoDiscount = false;
        bool isCzService = false;
        bool isCzPreferential = false;
    };

    struct Store {
        int id = 0;
        QString name;
        int kind = 0; // posinfo.PosType
    };

    // One row of the field configuration: whether a main-page field is shown and required.
    struct FieldSetting {
        QString fieldName;
        bool visible = true;
        bool mustField = false;
    };

    struct CustomField {
        QString name;
        QString displayName;
        bool mustField = false;
        int dataType = 0; // 0 text, 1 integer, 2 number
    };

    // The search of XF_VipQuery; empty dates go as "1900-01-01".
    struct CandidateQuery {
        QString name;
        QString cardNo; // partial
        int cardType = 0;
        int posId = 0;
        bool onlyOne = false;
    };

    // The member search for bills and pickers (P_VipSelect).
    struct MemberSearch {
        QString text;
        bool notActivated = false;
        bool byIdentity = false;
        bool usableToday = false;
        bool serviceOnly = false;
        bool localFields = false; // initials, name, telephone and number only
        int posId = 0;            // only types that apply in this store; 0 any
    };

    static constexpr int CustomFieldCount = 20;

    explicit VipCardStore(DataModule& data = dmClient());

    // The card with the columns the member list shows (cardid, id, CardNo, TypeName,
    // JSVIPCardNo, JSNum, Cz, ...); empty rows when there is no live card.
    void LoadCard(int cardId, ClientDataSet& row);
    void LoadCardByGuid(const QString& cardGuid, ClientDataSet& row);
    // The GUID of a live card in braces, empty when there is none.
    QString CardGuid(int cardId);
    std::optional<CardState> State(int cardId);
    std::optional<CardState> StateByGuid(const QString& cardGuid);

    // kd_GetVipCardCount: the live cards whose number or bar code is the text.
    QList<CardLookup> CardsWithNumber(const QString& cardNo, int posId);
    // XF_VipQuery: the candidates, with the same columns as LoadCard.
    void Candidates(const CandidateQuery& query, ClientDataSet& rows);
    // P_SelVipCard "S": the live card with exactly this number.
    std::optional<CardLookup> FindCard(const QString& cardNo);
    // P_SelVipCard "S" with the card's row; true when exactly one live card has the number.
    bool LoadCardByNumber(const QString& cardNo, ClientDataSet& row);
    // P_VipSelect: at most 1000 live cards (a.* with TypeName, MD, IsOnlyJS).
    void SearchMembers(const MemberSearch& search, ClientDataSet& rows);
    // The card type's change stamp (viptype.MD), 0 when there is no such type.
    qint64 TypeStamp(int typeId);

    std::optional<TypeFlags> Type(int typeId);
    // kd_IsOnlyVipCardTypeDZ: whether the type's cards may carry a stored-value password.
    bool PasswordAllowed(int typeId);

    // The stores a card may be issued in (cbxActivePos), in list order.
    QList<Store> IssuingStores();
    QString StoreName(int posId);
    // posinfo.PosType of a store, 0 when there is none.
    int StoreKind(int posId);
    // The stores where a type's stored value may be used (cbCzPos): "实时应用" (0)
    // and the type's independent stores.
    QList<Store> StoredValueStores(int typeId);

    QList<FieldSetting> FieldSettings();
    QList<CustomField> CustomFields();
    // CustomFieldCount texts, empty where the card has none.
    QStringList CustomValues(int cardId);
    void SaveCustomValues(int cardId, const QStringList& values);

    // Y_InsVipCard: the card's id or a Refusal.
    int WriteCard(const CardFields& card);
    // The stored-value settings, opening balance and password of a card: 0 or a
    // StoredValueRefusal.
    int WriteStoredValue(int cardId, const StoredValue& value);
    // InsertVipTotalChangeInfo: the points change row's id, 0 when refused (card gone,
    // points would go below zero).
    int ChangePoints(const QString& cardNo, int changeType, int points, const QString& userCode, int posId,
                     const QString& memo);
    // kd_VIPAddJSIntegralTotal: true when the introducer reward was settled (or
    // there was nothing to reward).
    bool RewardIntroducer(int cardId, int changeType, int posId, int userRec);
    // The change log, one line of kind 9 each.
    void WriteChangeLog(const QStringList& lines, int userRec);

    // The largest BillId of the card's creation rows, 0 when none.
    int CreationBillId(int cardId);
    // The largest BillId of the introducer's reward rows for the new card, 0 when none.
    int IntroducerRewardBillId(int introducerId, int newCardId);

    // The member list's card actions, each one procedure call (its own transaction
    // unless the caller holds one).
    // Y_InsVipCard "D": the card's id or a CardDeleteRefusal.
    int DeleteCard(const QString& cardNo, int posId, int userRec);
    // P_ActiveCard: 0 or a CardActivation code.
    int ActivateCard(int cardId, int userRec, int posId);
    // QueryVipPosType: whether the card may be used in the store.
    bool UsableInStore(int cardId, int posId);
    // kd_CheckClearVipDate: 0 or a PointsClearCheck code; 'lastDate' the date the
    // card was last cleared up to. 'date' "YYYY-MM-DD", empty: today.
    int CheckClearDate(int cardId, const QString& date, QString& lastDate);
    // P_ClearVipJF: the number of cards cleared; 'skipped' those the procedure passed over.
    struct PointsClear {
        QString date; // "YYYY-MM-DD"; empty clears everything
        bool buyTotal = false;
        bool memberPriceTotal = false;
        bool points = true;
        int userRec = 0;
        int posId = 0;
    };
    int ClearPoints(const QList<int>& cardIds, const PointsClear& clear, int& skipped);
    // P_ModifValidityDate: the number of cards changed; 'skipped' those passed over.
    int SetValidityDate(const QList<int>& cardIds, const QDate& date, int& skipped);

    // The business partners a card may be linked to (the editor's partner picker):
    // live partners that are not classes, in code order. 'kind' holds 0.
    QList<Store> Partners();

private:
    CardLookup lookup(const ClientDataSet& rows) const;
    std::optional<CardState> state(const QString& where, const QVariant& key);

    DataModule& m_data;
};
