#pragma once

#include <QDate>

class Database;

// The points clears each card has had (VipClearJF): a card is cleared up to a date
// once; a clear up to that date or an earlier one finds it done.
class VipClearHistory {
public:
    // 0 when the live card may be cleared up to 'date', else a PointsClearCheck
    // code; 'lastDate' receives the latest date the card was cleared up to. With
    // 'hold' the card's row stays locked until the caller's transaction ends.
    static int check(Database& db, int cardId, const QDate& date, bool hold, QDate* lastDate = nullptr);

    // "YYYY-MM-DD" as the list window passes it; empty is today. Throws DbError for
    // any other text.
    static QDate clearDate(const QString& text);
};
