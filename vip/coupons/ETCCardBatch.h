#pragma once

#include <QList>
#include <QString>

class ETCCardStore;

// A state change over several coupon cards, one card at a time, each in a
// transaction of its own: a refusal is collected and the other cards go on. A
// change the head office hears of (activate, void, bind) is reported after each
// card's commit.
class ETCCardBatch {
public:
    struct Item {
        int id = 0;
        QString cardNo;
        QString value; // the member card number of a binding
    };
    // "编号：" + number + the refusal + a line break, for every card refused.
    static QString Run(ETCCardStore& store, const QList<Item>& cards, int mode);
};
