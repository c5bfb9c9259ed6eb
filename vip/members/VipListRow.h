#pragma once

#include "vip/members/VipCardStore.h"

#include <QDate>
#include <QString>

class TBaseQuery;

// One card of the member list as its actions read it, taken from the list's row
// through the window's cell API (never from its model), so the actions work the
// same whether the rows were loaded at once or page by page.
struct VipListRow {
    int id = 0;
    QString cardGuid;
    QString cardNo;
    QString name;
    QString typeName;
    QString tel;
    int cardType = 0;
    bool lose = false;
    bool stopUse = false;
    int isLife = 0;
    int isUse = 0;
    bool autoIntegral = false;
    bool vipCz = false;
    bool vipCzService = false;
    bool usePass = false;
    int czPosId = 0; // the store of its stored value, 0 all
    int changeIntegralPos = -1;
    int introducerId = 0;
    QDate validityDate;

    // The display row 'row' (-1: the current one).
    static VipListRow At(const TBaseQuery& list, int row = -1);
    // Every field of the row as the card procedure's change ("U") takes them, with
    // the IsUse the list read, so a card changed since the list loaded is refused.
    static VipCardStore::CardFields CardFieldsAt(const TBaseQuery& list, int row);
};
