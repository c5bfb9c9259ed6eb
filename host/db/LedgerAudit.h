#pragma once

#include <QList>
#include <QString>

class Database;

// Every live card's balances against its ledgers: Cz, CzTotal and Cz00 against its
// stored-value change rows (VipCzChange), IntegralTotal and ljIntegral against its
// points change rows (VipChangeInfo), each lot of service uses (vipCardService)
// against its service change rows (VipServiceChange); every live coupon card's
// state, binding and value against its use rows (ETCUse); and every points
// exchange's change row against the rules it used (vipchangeexchange): the points it
// took must be the sum of each rule's points times its units.
class LedgerAudit {
public:
    struct Mismatch {
        QString cardNo;
        QString column;    // the balance column that differs, or the exchange whose rows do
        qint64 held = 0;   // what the card row says (money in ten-thousandths)
        qint64 ledger = 0; // what its rows add up to
        bool money = false;
    };

    static QList<Mismatch> run(Database& db);
    static int liveCards(Database& db);

    // A coupon card whose Flag is no state, whose Used mark disagrees with what a
    // cash coupon has spent, whose binding (unless voided) names no live member card
    // of that number, or whose UsedTotal (or UsedCount) is not what its uses add up
    // to or lies outside 0..Total.
    struct CouponMismatch {
        QString cardNo;
        QString problem; // worded for the person running the check
    };
    static QList<CouponMismatch> couponCards(Database& db);
    static int liveCouponCards(Database& db);

private:
    static QList<Mismatch> serviceLots(Database& db);
};
