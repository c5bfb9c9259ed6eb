#include "host/services/ModulePackage.h"

#include "host/sdk/ModuleRegistry.h"

#include <QCoreApplication>
#include <QDir>

bool ModulePackage::Load(QString& error) {
    const QStringList folders = {QStringLiteral(VIP_MODULE_DIR),
                                 QCoreApplication::applicationDirPath() + QStringLiteral("/../lib")};
    QStringList failures;
    for (const QString& folder : folders) {
        m_library.setFileName(QDir(folder).filePath(QStringLiteral("vip")));
        if (m_library.load())
            break;
        failures.append(m_library.errorString());
    }
    if (!m_library.isLoaded()) {
        error = QStringLiteral("无法加载会员卡模块：%1").arg(failures.join(QStringLiteral("；")));
        return false;
    }
    const auto initialize = reinterpret_cast<PackageInitializeProc>(m_library.resolve("Initialize"));
    const auto finalize = reinterpret_cast<PackageFinalizeProc>(m_library.resolve("Finalize"));
    if (!initialize || !finalize) {
        error = QStringLiteral("会员卡模块缺少入口函数 Initialize/Finalize。");
        return false;
    }
    initialize();
    m_finalize = finalize;
    return true;
}

ModulePackage::~ModulePackage() {
    if (!m_finalize)
        return;
    m_finalize();
    // Registration is the host's to undo.
    gQueryClassFactory().Clear();
    ComClassReg().Clear();
}
