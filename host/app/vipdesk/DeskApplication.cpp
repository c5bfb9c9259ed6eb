#include "host/app/vipdesk/DeskApplication.h"

#include "host/data/Database.h"
#include "host/db/SchemaMigrator.h"
#include "host/db/demo/DemoData.h"
#include "host/sdk/DataModule.h"
#include "host/sdk/DbError.h"
#include "host/sdk/MessageBox.h"
#include "host/sdk/Ucomvar.h"
#include "host/sdk/ui/ModalResult.h"
#include "host/services/HostConfig.h"
#include "host/services/NoticeOutbox.h"
#include "host/services/UserAdmin.h"
#include "host/ui/DeskMainWindow.h"
#include "host/ui/DeskTour.h"
#include "host/ui/FirstStartDialog.h"
#include "host/ui/LoginDialog.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>

DeskApplication::DeskApplication(DeskOptions options)
    : m_options(std::move(options)) {}

DeskApplication::~DeskApplication() {
    // The module shuts down while everything it might call is still in place.
    m_module.reset();
    PrintService::install(nullptr);
    MessageService::install(nullptr);
    m_outbox.reset();
    if (m_data)
        DataModule::install(nullptr);
}

int DeskApplication::Run() {
    const bool tour = !m_options.tourFolder.isEmpty();
    // Without anyone at the screen a box would wait forever; the tour's boxes go
    // to standard error instead.
    if (!tour)
        MessageService::install(&m_messages);
    m_printer = tour ? std::make_unique<PrintEngine>(PrintEngine::PdfFolder, m_options.tourFolder)
                     : std::make_unique<PrintEngine>(PrintEngine::Preview);
    PrintService::install(m_printer.get());
    try {
        openDatabase();
        if (!prepareFirstStart(tour))
            return 1;
        applyConfiguration();
    } catch (const DbError& error) {
        ShowError(error.message());
        return 1;
    } catch (const AbortAction&) {
        return 1;
    }
    // The back office still runs its own settings without the module.
    QString error;
    m_module = std::make_unique<ModulePackage>();
    if (!m_module->Load(error))
        ShowError(error);
    if (tour)
        return DeskTour(m_options.tourFolder, m_outbox.get()).Run();
    return runDesktop();
}

void DeskApplication::openDatabase() {
    const DbSetting setting = DbSetting::parse(m_options.database);
    if (!setting.isPostgres()) {
        const QFileInfo file(setting.path());
        const bool embeddedDefault =
            file.absoluteFilePath() == QFileInfo(DbSetting::defaultSqlitePath()).absoluteFilePath();
        // Only the embedded default may appear by itself; any other missing file is
        // more likely a typing slip than a wish for an empty database.
        if (!file.exists() && !embeddedDefault &&
            !Question(
                QStringLiteral("数据库文件 %1 不存在。\n要在这里新建一个数据库吗？").arg(setting.display())))
            throw AbortAction();
        m_newDemoDatabase = !file.exists() && embeddedDefault;
        QDir().mkpath(file.absolutePath());
    }
    m_data = std::make_unique<DataModule>(Database::open(setting));
    DataModule::install(m_data.get());
    SchemaMigrator(m_data->database()).upgrade();
}

bool DeskApplication::prepareFirstStart(bool tour) {
    // Only the embedded database the desktop makes for itself is a demo, with the
    // demo's published logins; any other new database gets its administrator's own.
    if (m_newDemoDatabase)
        DemoData::fill(m_data->database());
    if (UserAdmin(*m_data).HasAdministrator())
        return true;
    if (tour) {
        ShowError(QStringLiteral(
            "数据库中还没有系统管理员。\n"
            "请先在桌面程序中设置系统管理员密码，或用“vipctl set-password --user 编号”设置。"));
        return false;
    }
    return FirstStartDialog::EnsureAdministrator();
}

void DeskApplication::applyConfiguration() {
    HostConfig config(*m_data);
    config.Load();
    config.ApplyTo(Ucomvar());
    m_outbox = std::make_unique<NoticeOutbox>(*m_data);
    m_outbox->Apply(config);
}

int DeskApplication::runDesktop() {
    try {
        {
            LoginDialog login;
            if (login.ShowModal() != mrOk)
                return 0;
        }
        DeskMainWindow window(m_outbox.get());
        window.show();
        return QApplication::exec();
    } catch (const DbError& error) {
        ShowError(error.message());
        return 1;
    }
}
