#pragma once

#include "host/app/vipdesk/DeskOptions.h"
#include "host/services/ModulePackage.h"
#include "host/ui/DesktopMessages.h"
#include "host/ui/PrintEngine.h"

#include <memory>

class DataModule;
class NoticeOutbox;

// vipdesk from start to end: the database opened and brought to this program's
// schema (a first embedded start gets the demo data, any other database without an
// administrator has one set up before anything else), the configuration published
// into the session, boxes and notices installed, the module loaded; then the login
// and the main window, or the headless tour.
class DeskApplication {
public:
    explicit DeskApplication(DeskOptions options);
    ~DeskApplication();
    DeskApplication(const DeskApplication&) = delete;
    DeskApplication& operator=(const DeskApplication&) = delete;

    // The process exit code.
    int Run();

private:
    void openDatabase();
    // A new demo database gets its data; a database without an administrator asks
    // for one first. False when the desktop cannot go on.
    bool prepareFirstStart(bool tour);
    void applyConfiguration();
    int runDesktop();

    DeskOptions m_options;
    DesktopMessages m_messages;
    // Prints go to a preview on screen; the tour, with no one to look, writes PDFs.
    std::unique_ptr<PrintEngine> m_printer;
    std::unique_ptr<DataModule> m_data;
    std::unique_ptr<NoticeOutbox> m_outbox;
    std::unique_ptr<ModulePackage> m_module;
    bool m_newDemoDatabase = false;
};
