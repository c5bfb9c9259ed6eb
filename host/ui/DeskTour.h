#pragma once

#include <QDir>
#include <QString>
#include <QStringList>

class NoticeOutbox;
class QWidget;

// The desktop without anyone at it: logs in as the demo administrator, opens the
// main window, its menus, every list window the registries can build, the settings
// window, the dialogs of the named functions and the login dialog, and saves a
// picture of each as PNG. For checking
// the screens on a machine without a display.
class DeskTour {
public:
    explicit DeskTour(const QString& folder, NoticeOutbox* outbox = nullptr);

    // The process exit code: 0 when the login worked and every picture was saved.
    int Run();

private:
    class PicturingModal;
    void save(QWidget& widget, const QString& name);
    static void settle();

    QDir m_folder;
    NoticeOutbox* m_outbox;
    QStringList m_saved;
    QStringList m_failed;
};
