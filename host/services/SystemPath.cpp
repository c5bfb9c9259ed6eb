#include "host/sdk/SystemPath.h"

#include "host/sdk/Ucomvar.h"

#include <QDir>
#include <QFileInfo>

#include <link.h>

namespace {

// The folder of the loaded libvip.so, or the build's module folder before the
// module is loaded.
QString moduleFolder() {
    QString found;
    dl_iterate_phdr(
        [](dl_phdr_info* info, size_t, void* data) {
            const QFileInfo file(QString::fromLocal8Bit(info->dlpi_name));
            if (file.fileName() != QLatin1String("libvip.so"))
                return 0;
            *static_cast<QString*>(data) = file.absolutePath();
            return 1;
        },
        &found);
    return found.isEmpty() ? QStringLiteral(VIP_MODULE_DIR) : found;
}

} // namespace

QString GetSystemPath() {
    const QString configured = Ucomvar().szSystemPath.trimmed();
    const QString folder = configured.isEmpty() ? moduleFolder() : configured;
    return QDir::cleanPath(QDir::fromNativeSeparators(folder));
}
