#pragma once

#include "host/sdk/TParamObject.h"

#include <QString>

// The columns a coupon card is read with wherever card rows are returned (the
// procedures, the list windows, the pickers), so every reader sees the same names.
class ETCCardRows {
public:
    // "SELECT <columns> FROM ETCList e JOIN ETCType t ... LEFT JOIN vipcard v ..." up
    // to, not including, WHERE.
    static QString select();
    // The live cards under the list windows' filters: "@ETCType" (0 all kinds),
    // created from "@BCreateDate" up to, not including, "@ECreateDate" (a day after
    // the last day shown), "@BStartDate".."@EStartDate",
    // "@BEndDate".."@EEndDate" (cards without a date pass), "@ETCName" (type name,
    // empty all), "@Stop" (0 hides stopped cards, -1 shows them), "@Flag" (-1 all,
    // else that Flag) and "@VIPID" (0 all, else the member card's coupon cards).
    static QString filtered();
    // 'params' with every filter of filtered() it lacks set to let all cards pass.
    static TParamObject withOpenFilters(const TParamObject& params);
    // The name users see for a card's state: "作废", "使用完成", "未生效" or "有效".
    static QString flagNameExpression(const QString& alias);
};
