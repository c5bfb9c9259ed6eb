#include "host/sdk/SysLog.h"

#include "host/sdk/DataModule.h"
#include "host/sdk/Ucomvar.h"

#include <QDateTime>

namespace {

constexpr int LogTextLength = 2000;

// Cut to what the column holds without splitting a character outside the basic
// plane, which the server would refuse as broken text.
QString fitted(const QString& text) {
    if (text.size() <= LogTextLength)
        return text;
    const int end = text.at(LogTextLength - 1).isHighSurrogate() ? LogTextLength - 1 : LogTextLength;
    return text.left(end);
}

} // namespace

void TSysLog::LocalLogOper(int userRec, int kind, const QString& text, int) {
    // A null QString binds as NULL; the log keeps it as an empty line.
    dmClient().ExecuteSQL(
        QStringLiteral("INSERT INTO syslog (LogTime, UserRec, Kind, LogText, PosId) "
                       "VALUES (?, ?, ?, COALESCE(?, ''), ?)"),
        {QDateTime::currentDateTime(), userRec, kind, fitted(text), Ucomvar().lPublicPosid});
}
