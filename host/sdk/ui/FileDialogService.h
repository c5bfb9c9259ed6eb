#pragma once

#include <QString>

// Where every question for a file name goes: the desktop shows the system's file
// dialog; tests install a script that answers with names it chose, so a flow that
// writes a file runs without anyone at the screen.
class FileDialogService {
public:
    virtual ~FileDialogService() = default;
    // The file to write, or an empty text when the user cancelled. 'filters' are a
    // file dialog's filters, ";;" between them ("CSV 文件 (*.csv)"); 'chosenFilter'
    // names the one chosen first and comes back with the one the user left chosen.
    virtual QString saveFileName(const QString& caption, const QString& suggestedName, const QString& filters,
                                 QString* chosenFilter) = 0;
    // The existing file to read, or an empty text when the user cancelled.
    virtual QString openFileName(const QString& caption, const QString& filters) = 0;

    // The installed service; without one, the system's file dialog.
    static FileDialogService& current();
    static void install(FileDialogService* service);
};
