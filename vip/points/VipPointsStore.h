#pragma once

#include "host/sdk/ClientDataSet.h"
#include "host/sdk/DataModule.h"
#include "vip/points/ExchangeRule.h"

#include <QPair>
#include <QString>

// Everything the database holds of points for the points area: the card as the
// adjustment and exchange dialogs look it up, the store check and the points
// change record. The one place of the area that speaks SQL or calls procedures.
class VipPointsStore {
public:
    // Why InsertVipTotalChangeInfo turned a change down; nothing was written.
    enum Refusal {
        CardGone = -1,     // no live card has the number
        TooFewPoints = -2, // the card holds fewer points than are taken
    };

    explicit VipPointsStore(DataModule& data = dmClient());

    // The live card with its type's columns and the type's name as CardTypeCN;
    // empty when there is none.
    void LoadCard(const QString& cardNo, ClientDataSet& row);
    // QueryVipPosType: whether the card may be used in the store.
    bool UsableInStore(int cardId, int posId);
    // InsertVipTotalChangeInfo: the change row's id, or a Refusal.
    int AddChange(const QString& cardNo, int changeType, int points, const QString& userCode, int posId,
                  const QString& memo);

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
    DataModule& m_data;
};
