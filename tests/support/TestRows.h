#pragma once

#include "host/sdk/Money.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QPair>
#include <QString>
#include <QVariant>

class DataModule;

// The rows a test puts into its fresh database: each builder takes what tests vary
// and fills the rest as a store's own data would be, so no test writes its own
// INSERT for a store, a card type, a product or a card.
namespace TestRows {

struct Store {
    QString code;
    QString name;
    int connectType = 0; // 1: a real-time store sharing the head office's data
    int rowIndex = 0;
    int posType = 0;
    bool deleted = false;
};
// The store's posid.
int addStore(DataModule& data, const Store& store);
// The stores' posids, in the order given: a fresh database numbers them from 1.
QList<int> addStores(DataModule& data, const QList<Store>& stores);

// Columns a builder does not name, each with its value, bound as parameters.
using Columns = QList<QPair<QString, QVariant>>;

// The type's CTypeId; the other columns keep the schema's defaults unless 'more'
// sets them (a change stamp written by an import, a deleted type, switches a
// reader must tell apart). A name or discount in 'more' takes the place of the
// one given, so a test can hand over a whole row of its own.
int addCardType(DataModule& data, const QString& name, double discount = 100.0, const Columns& more = {});

// A product (or, with children, a product class) by its tree id; its rec.
int addProduct(DataModule& data, const QString& typeId, const QString& userCode, const QString& fullName,
               const QString& parentId = {}, int children = 0);

// An account of the books (atype) by its tree id, under 'parentId'; its rec.
int addAccount(DataModule& data, const QString& typeId, const QString& parentId, const QString& fullName);

// A warehouse (stock) by its tree id, belonging to a store; its rec.
int addWarehouse(DataModule& data, const QString& typeId, const QString& fullName, int posId);
// Puts 'quantity' of a product on hand in a warehouse.
void addStock(DataModule& data, int warehouse, int prec, double quantity);

// A points exchange rule of a card type (IntegralexchangeSet), alone in its group.
struct ExchangeRule {
    int cardType = 0;
    int changeType = 0; // the way as the rule keeps it: 7 cash, 8 stored value, 9 goods, 13 coupon cards
    int useIntegral = 0;
    double exchangeNum = 0; // money or quantity one unit gives
    double diffprice = 0;
    int prec = 0;
    int etcId = 0;
    QDate from = QDate(2000, 1, 1);
    QDate until = QDate(2099, 12, 31);
    bool deleted = false;
};
// The rule's ExChangeID.
int addExchangeRule(DataModule& data, const ExchangeRule& rule);

// A coupon type (ETCType) of a kind (CouponKind) with its value in units; 'more'
// sets other columns (Flags, VIPType, Enabled, UseCount...). Its ID.
int addCouponType(DataModule& data, int kind, const QString& name, double value, const Columns& more = {});

struct Card {
    QString cardNo;
    int cardType = 0;
    QString barCode;
    int storeId = 0; // PosId: where its stored value is kept (0: the real-time stores)
    bool storedValue = false;
    bool deleted = false;
    QDate issued = QDate(2025, 1, 1);
    QDate validUntil = QDate(2030, 1, 1);
    QDateTime clearDate; // when its points were last cleared (invalid: never)
};
// The card's id.
int addCard(DataModule& data, const Card& card);

// 'count' cards in bulk for list windows, numbered "C000001".., two types made
// here ("金卡" and "银卡", alternating), names "会员000001".. unless 'names' gives
// the first ones. Every 5th card is not activated, every 13th lost, every 17th
// stopped; card i holds i yuan and (i * 7919) % 100003 points.
void addCards(DataModule& data, int count, const QStringList& names = {});

// One movement of a card's uses of a service item (a sale, a consumption, an
// adjustment: StoredValueChange codes), signed.
struct ServiceMove {
    int changeType = 0;
    int times = 0;
    double total = 0; // yuan, signed as the uses
    QDateTime at;
};
// A lot of the card's uses of the service item 'prec' with its ledger rows: the
// lot's remaining uses and money are the sums of the moves, as the service ledger
// keeps them. The lot's id.
int addServiceLot(DataModule& data, int cardId, int prec, const QList<ServiceMove>& moves,
                  const QDate& validUntil = {});
// One step of a service item's ladder: from buyTimes uses on, a use costs
// oncePrice, the sale gives gainTimes more (-1 none), the uses last validityDays
// days (-1 without end).
struct ServiceRule {
    int buyTimes = 1;
    Money oncePrice;
    int gainTimes = -1;
    int validityDays = -1;
};
// Makes the product a service item (VipService) with its list price and ladder.
void addServiceItem(DataModule& data, int prec, Money listPrice, const QList<ServiceRule>& rules = {},
                    int startTimes = 1, int discountType = 1);

} // namespace TestRows
