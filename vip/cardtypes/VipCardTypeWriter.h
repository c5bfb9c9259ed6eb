#pragma once

#include "host/sdk/TParamObject.h"
#include "vip/cardtypes/VipCardTypeSettings.h"

// Writes a card type with its rule rows and store list in one transaction, so a
// failure anywhere leaves the type as it was.
class VipCardTypeWriter {
public:
    // The type's id, or the negative code of the save procedure (-1 the type is
    // gone, -3 another live type has the name) with nothing written.
    static int write(const VipCardTypeSettings& settings);
    // The save procedure's parameters for these settings.
    static TParamObject typeParams(const VipCardTypeSettings& settings);
    // Weekday names ("星期一".."星期日") as the digits the type stores ("1".."7"), and back.
    static QString weekdaysToDigits(QString list);
    static QString digitsToWeekdays(QString list);

private:
    static void writeRows(int typeId, int kind, const QList<VipTypeRuleRow>& rows, bool withPrec);
    static void deleteRows(int typeId, int kind);
};
