#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Every setting the administrator changes in the settings window, in the words the
// window shows: its group, its Chinese name and one line on what it changes. The
// window is built from this list alone, so a window that comes to read a setting
// adds one row here. Application flags the list does not name are never shown and
// keep whatever value they hold.
class SettingCatalogue {
public:
    enum class Kind { Flag, Number, Text, Choice };
    // Where a value is kept: a row of the host configuration, one position of the
    // application flags (which share the configuration row "AppClass"), or a column
    // of the current store's posinfo row.
    enum class Home { HostConfig, AppFlag, CurrentStore };

    struct Choice {
        int value = 0;
        QString caption;
    };

    struct Entry {
        // The configuration name; "AppFlag<N>" for application flag N; the posinfo
        // column for a store value. The window names the entry's control by it.
        QString key;
        QString group;
        QString name;
        QString explanation;
        Kind kind = Kind::Flag;
        Home home = Home::HostConfig;
        int position = 0; // the application flag's position
        int low = 0;      // a number's range
        int high = 0;
        int maxLength = 0; // a text's length
        bool required = false;
        QString fallback; // what a value never saved reads as
        QList<Choice> choices;
    };

    // The group titles in the order the window shows them.
    static const QStringList& Groups();
    // The entries in the order the window shows them within their group.
    static const QList<Entry>& Entries();
};
