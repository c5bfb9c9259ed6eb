#pragma once

#include "host/app/vipdesk/DeskOptions.h"
#include "host/services/ModulePackage.h"
#include "host/ui/DesktopMessages.h"
#include "host/ui/PrintEngine.h"

#include <memory>

class DataModule;
class NoticeOutbox;

// vipdesk from start to end: the database opened and brought to this program's
// schema (a first embedded start gets the demo data), the configuration published
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
    bool prepareFirstStart();
    void applyConfiguration();
    int runDesktop();

    DeskOptions m_options;
    DesktopMessages m_messages;
    // Prints go to a preview on screen; the tour, with no one to look, writes PDFs.
    std::unique_ptr<PrintEngine> m_printer;
    std::unique_ptr<DataModule> m_data;
    std::unique_ptr<NoticeOutbox> m_outbox;
    std::unique_ptr<ModulePackage> m_module;
};
