#pragma once

#include <QString>

class Database;

// One line of the operation log (kind LogKind::CouponCards) written by a coupon
// card procedure in its own transaction, so the line and the change stand or fall
// together.
class ETCCardLog {
public:
    static void write(Database& db, int userRec, int posId, const QString& text);
};
