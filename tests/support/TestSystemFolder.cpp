#include "tests/support/TestSystemFolder.h"

#include "host/sdk/Ucomvar.h"

#include <QDir>
#include <QFile>

namespace {

void copy(const QString& from, const QString& to) {
    QDir().mkpath(QFileInfo(to).absolutePath());
    if (!QFile::copy(from, to))
        qFatal("TestSystemFolder: cannot copy %s to %s", qPrintable(from), qPrintable(to));
}

} // namespace

TestSystemFolder::TestSystemFolder()
    : m_savedPath(Ucomvar().szSystemPath) {
    Ucomvar().szSystemPath = m_dir.path();
}

TestSystemFolder::~TestSystemFolder() {
    Ucomvar().szSystemPath = m_savedPath;
}

QString TestSystemFolder::AddFakeCardLibrary() {
    const QString path = m_dir.filePath(QStringLiteral("Card_dll.so"));
    copy(QStringLiteral(VIP_FAKE_DEVICES_DIR "/card/Card_dll.so"), path);
    return path;
}

void TestSystemFolder::AddFakePlugLibrary() {
    copy(QStringLiteral(VIP_FAKE_DEVICES_DIR "/plug/QnCardInfo.so"),
         m_dir.filePath(QStringLiteral("PlugCard/QnCardInfo.so")));
}
