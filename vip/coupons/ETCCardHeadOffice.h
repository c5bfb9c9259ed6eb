#pragma once

#include <QDate>
#include <QString>

class ETCCardStore;

// Tells the head office of a coupon card change made here, in the editions that
// link stores to a head office: the change is queued for the link (KD_ETCListUP)
// and, in an independent store, handed to the link's shopping-card connection at
// once. Called after the change was committed; a failure never undoes it.
class ETCCardHeadOffice {
public:
    static bool ChainEdition();
    // The queue's refusal, empty when reported or when the edition has no head office.
    static QString Report(ETCCardStore& store, int cardId, int mode, const QString& value,
                          const QDate& date = {});
};
