#pragma once

#include <QString>

// The names of the points change types, for captions, memos and printing.
class TChangeType {
public:
    // "积分增加", "积分减少", "积分调整", "现金兑换", ...; empty for an unknown id.
    static QString Name(int id);
    // The print template of a change type ("积分增加详情.rwx", ...).
    static QString PrintTemplate(int id);
};
