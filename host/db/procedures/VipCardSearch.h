#pragma once

#include <QDate>
#include <QString>
#include <QVariantList>

class Dialect;

// The member search for bills and pickers: live cards whose pinyin initials, name,
// telephone, bar code, number or identity number hold the typed text, at most
// MaxRows of them. A text of three or more characters is looked up in the search
// index (the trigram table on SQLite, the trigram index on PostgreSQL) and the
// fields are then checked as typed. A shorter one holding a Chinese character is
// looked up among the names by their characters; any other shorter one (digits,
// Latin letters) reads the cards themselves, and stops at the MaxRows-th match.
class VipCardSearch {
public:
    static constexpr int MaxRows = 1000;
    static constexpr int IndexedLength = 3;

    struct Filter {
        QString text;
        bool notActivated = false; // cards not yet activated (and neither lost nor stopped)
        bool byIdentity = false;   // the text is a whole identity number
        bool usableToday = false;  // activated, neither lost nor stopped, valid today
        bool serviceOnly = false;  // cards with stored-value services
        bool localFields = false;  // initials, name, telephone and number only
        int posId = 0;             // only types that apply in this store; 0 any
        QDate today;
    };

    struct Statement {
        QString sql;
        QVariantList params;
    };

    // The card's columns (a.*) with its type's TypeName, MD and IsOnlyJS. Without
    // useIndex the same match is made by scanning the cards (for comparison).
    static Statement statement(const Dialect& dialect, const Filter& filter, bool useIndex = true);
};
