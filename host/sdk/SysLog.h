#pragma once

#include <QString>

// The host's operation log: who changed what, when, in which store.
class TSysLog {
public:
    // Appends one line for the user at the current store. The last argument is part
    // of the host's call shape and carries nothing today. Text longer than a log
    // line holds (2000 characters) is cut rather than failing the caller's save.
    static void LocalLogOper(int userRec, int kind, const QString& text, int reserved = 0);
};
