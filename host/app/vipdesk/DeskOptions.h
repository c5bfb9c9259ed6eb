#pragma once

#include <QString>
#include <QStringList>

// What vipdesk was started with: the database (--db, else VIP_DB, else the
// embedded file in the user's data folder) and, for --tour, where the pictures go.
struct DeskOptions {
    QString database;
    QString tourFolder;

    // False with the reason in 'error' for an argument vipdesk does not know.
    static bool Parse(const QStringList& arguments, DeskOptions& options, QString& error);
    static QString DefaultDatabase();
    static const QString Usage;
};
