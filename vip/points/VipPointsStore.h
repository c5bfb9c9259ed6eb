#pragma once

#include "host/sdk/ClientDataSet.h"
#include "host/sdk/DataModule.h"
#include "host/sdk/Money.h"
#include "vip/points/ExchangeRule.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

// Everything the database holds of points for the points area: the card as the
// adjustment and exchange dialogs look it up, the store check, the points change
// record, the exchange rules and the exchange itself. The one place of the area
// that speaks SQL or calls procedures.
class VipPointsStore {
public:
    // Why InsertVipTotalChangeInfo turned a change down; nothing was written.
    enum Refusal {
        CardGone = -1,     // no live card has the number
        TooFewPoints = -2, // the card holds fewer points than are taken
    };
    // What P_VipTotalChangeexchangePost answers (P_InsertVipTotalChangeexchange
    // refuses a row with BillRefused).
    enum PostResult {
        Posted = 0,
        OutOfStock = -1,   // the warehouse holds less than is given
        BeforePeriod = -6, // the day lies before the current period
        NoStockRow = -100, // the warehouse holds none of a product
        BillRefused = -101,
        NotAStore = -102,   // goods outside a live store or from no live warehouse
        CardRefused = -103, // the card may no longer exchange points
    };

    // One rule an exchange uses.
    struct ExchangeRow {
        int exchangeId = 0;
        int units = 0;
        int prec = 0;
        Money diffTotal{};
        QString cardList{}; // coupon card numbers handed out, joined by ","
    };
    // A coupon card handed out with a shopping-card exchange.
    struct CouponCard {
        int id = 0;
        QString cardNo;
    };
    struct Exchange {
        QString cardNo;
        int changeType = 0; // PointsChange::Cash, StoredValue, Goods or ShoppingCards
        int points = 0;
        QString userCode;
        int userRec = 0;
        int posId = 0;
        QString memo;
        Money total; // the money (cash, stored value) or the points (goods, cards) the dialog totals
        QList<ExchangeRow> rows;
        Money diffTotal{};
        Money quantity;
        int accountRec = 0;
        int warehouseRec = 0;
        int period = 0;
        QString comment;
        QString pzComment;
        QList<CouponCard> couponCards;
        bool reportCards = false; // the chain editions record each card change for the head office
    };
    struct ExchangeOutcome {
        int newId = 0;            // the points change row, > 0 once everything was written
        int changeRefusal = 0;    // a Refusal of the points change
        int postResult = Posted;  // a PostResult
        QStringList cardRefusals; // "编号：" + card number + why, for cards that could not be handed out
    };

    explicit VipPointsStore(DataModule& data = dmClient());

    // The live card with its type's columns and the type's name as CardTypeCN;
    // empty when there is none.
    void LoadCard(const QString& cardNo, ClientDataSet& row);
    // QueryVipPosType: whether the card may be used in the store.
    bool UsableInStore(int cardId, int posId);
    // InsertVipTotalChangeInfo: the change row's id, or a Refusal.
    int AddChange(const QString& cardNo, int changeType, int points, const QString& userCode, int posId,
                  const QString& memo, Money total = Money());

    // kd_QueryIntegralexchangeSet: today's rules of the card type for an exchange type.
    void LoadRules(int cardType, int changeType, int available, ClientDataSet& rows);
    // The live warehouse with the tree id; 0 when there is none.
    int WarehouseRec(const QString& typeId);
    // KD_ETCListQuery: the live coupon cards whose number begins with 'prefix' and
    // that may be used in the store; the one card with the id.
    void FindCouponCards(const QString& prefix, int posId, ClientDataSet& rows);
    void LoadCouponCard(int id, ClientDataSet& row);
    // The points change, its rule rows, the post and, for shopping cards, each card
    // bound to the member and activated, in one transaction: all of it or nothing.
    ExchangeOutcome SaveExchange(const Exchange& exchange);

    // Why P_InsertIntegralexchangeSet turned a rule down; the group was left as it was.
    enum ExchangeRefusal {
        RuleTypeGone = -1,   // the card type was deleted or its points switched off
        RuleWayUnknown = -2, // no such exchange way
        RulePointsOutOfRange = -3,
        RuleGivesNothing = -4, // one unit gives no amount or quantity
        RuleNegativeDifference = -5,
        RuleProductGone = -6,    // the product was deleted
        RuleCouponTypeGone = -7, // the coupon type was deleted or voided
        RuleDatesReversed = -8,
    };
    struct ExchangeSave {
        int result = 0; // 0 saved, else an ExchangeRefusal
        int rule = -1;  // the refused rule's place in the group
    };

    // The card types that earn points, by id: the types exchange rules are set for.
    QList<QPair<int, QString>> PointsCardTypes();
    // A live group with its rules in their order; a group no longer live reads as a
    // new one of the given way.
    ExchangeGroup LoadExchangeGroup(const QString& groupId, int changeType);
    // Writes the group's rules in place of its live ones, keeping its id (a new group
    // is given one, written back into 'group'), in one transaction: a refused rule or
    // a database error leaves every rule of the group as it was.
    ExchangeSave SaveExchangeGroup(ExchangeGroup& group, int userRec);
    // Switches one live stored-value rule's automatic exchange; false when the rule
    // is no longer live.
    bool SetExchangeCzAuto(int exchangeId, bool automatic);
    // Whether an exchange has already used the rule.
    bool ExchangeRuleInUse(int exchangeId);
    void DeleteExchangeRule(int exchangeId);

private:
    bool handOut(const Exchange& exchange, QStringList& refusals);
    DataModule& m_data;
};
