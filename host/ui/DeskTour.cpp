#include "host/ui/DeskTour.h"

#include "host/sdk/DataModule.h"
#include "host/sdk/MessageBox.h"
#include "host/sdk/ModuleRegistry.h"
#include "host/sdk/ui/GuardedHandler.h"
#include "host/sdk/ui/ModalResult.h"
#include "host/sdk/ui/ModalService.h"
#include "host/services/LoginService.h"
#include "host/ui/DeskMainWindow.h"
#include "host/ui/HostSettingsDialog.h"
#include "host/ui/LoginDialog.h"

#include <QCoreApplication>
#include <QDialog>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QTextStream>

namespace {
const QString DemoAdministrator = QStringLiteral("admin");
const QString DemoPassword = QStringLiteral("admin");
} // namespace

// Stands in for the user at a modal dialog: takes its picture and cancels it.
class DeskTour::PicturingModal final : public ModalService {
public:
    explicit PicturingModal(DeskTour& tour)
        : m_tour(tour) {}
    int showModal(QDialog& dialog) override {
        dialog.show();
        settle();
        m_tour.save(dialog, name);
        dialog.hide();
        return mrCancel;
    }
    QString name;

private:
    DeskTour& m_tour;
};

DeskTour::DeskTour(const QString& folder, NoticeOutbox* outbox)
    : m_folder(folder)
    , m_outbox(outbox) {}

void DeskTour::settle() {
    // Layouts, fonts and deferred deletions all arrive as posted events.
    for (int round = 0; round < 5; ++round)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

void DeskTour::save(QWidget& widget, const QString& name) {
    const QString path = m_folder.filePath(name + QStringLiteral(".png"));
    if (widget.grab().save(path, "PNG"))
        m_saved.append(path);
    else
        m_failed.append(path);
}

int DeskTour::Run() {
    QTextStream out(stdout);
    QTextStream err(stderr);
    if (!m_folder.mkpath(QStringLiteral("."))) {
        err << "无法创建截图目录：" << m_folder.absolutePath() << "\n";
        return 1;
    }
    if (!LoginService(dmClient()).LogIn(DemoAdministrator, DemoPassword, 0))
        return 1;

    DeskMainWindow window(m_outbox);
    window.show();
    settle();
    save(window, QStringLiteral("main"));

    int menuNo = 0;
    for (QAction* action : window.menuBar()->actions()) {
        QMenu* menu = action->menu();
        if (!menu)
            continue;
        menu->popup(window.mapToGlobal(window.menuBar()->actionGeometry(action).bottomLeft()));
        settle();
        save(*menu, QStringLiteral("menu-%1").arg(++menuNo));
        menu->hide();
    }

    // Helper windows opened without their caller's parameters may refuse; they are
    // named on standard error, while the windows of the host itself must show.
    QStringList refused;
    for (const QueryClassEntry& entry : gQueryClassFactory().Entries()) {
        if (!entry.create)
            continue;
        const bool opened = RunGuarded([&] {
            if (!window.OpenWindow(entry.className))
                throw AbortAction();
            settle();
            save(window, QStringLiteral("window-") + entry.className);
        });
        if (!opened)
            refused.append(entry.className);
    }

    // The named functions that open a dialog (issuing a card, the device settings):
    // each dialog is pictured where it would wait for the user, then given up.
    PicturingModal picturing(*this);
    ModalService::install(&picturing);
    for (const ComClassEntry& entry : ComClassReg().Entries()) {
        if (!entry.function)
            continue;
        picturing.name = QStringLiteral("function-") + entry.name;
        if (!RunGuarded([&] { window.RunFunction(entry.name); }))
            refused.append(entry.name);
    }
    ModalService::install(nullptr);

    if (!RunGuarded([&] {
            HostSettingsDialog settings(&window);
            settings.show();
            settle();
            save(settings, QStringLiteral("settings"));
        }))
        m_failed.append(m_folder.filePath(QStringLiteral("settings.png")));
    if (!RunGuarded([&] {
            LoginDialog login;
            login.show();
            settle();
            save(login, QStringLiteral("login"));
        }))
        m_failed.append(m_folder.filePath(QStringLiteral("login.png")));

    for (const QString& path : std::as_const(m_saved))
        out << path << "\n";
    for (const QString& className : std::as_const(refused))
        err << "窗口未能打开：" << className << "\n";
    for (const QString& path : std::as_const(m_failed))
        err << "截图未能保存：" << path << "\n";
    return m_failed.isEmpty() ? 0 : 1;
}
