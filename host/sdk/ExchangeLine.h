#pragma once

#include "host/sdk/Money.h"

// What one exchange rule gives for a number of units, worked out the same way by the
// exchange dialog and by the procedures that re-check it. A rule's points are whole;
// its exchangeNum (money or a quantity) and diffprice (money per item) are kept in
// ten-thousandths, like money.
struct ExchangeLine {
    int useIntegral = 0;
    Money exchangeNum;
    Money diffprice;

    qint64 points(int units) const { return qint64(useIntegral) * units; }
    // The money (cash, stored value) or the quantity (goods, cards) the units give.
    Money total(int units) const { return exchangeNum * units; }
    // The price difference the member pays for that quantity, to the cent.
    Money diffTotal(int units) const { return diffprice.timesRate(total(units).toDouble()); }
};
