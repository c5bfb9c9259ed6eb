#pragma once

#include <QString>
#include <QTemporaryDir>

// A system folder of the test's own, the host's "SystemPath" while it lives (the
// session's earlier value comes back afterwards). It starts empty: no card-device
// library, no plug library; the test copies in the stand-ins it needs, each under
// the name the module loads it by.
class TestSystemFolder {
public:
    TestSystemFolder();
    ~TestSystemFolder();
    TestSystemFolder(const TestSystemFolder&) = delete;
    TestSystemFolder& operator=(const TestSystemFolder&) = delete;

    QString Path() const { return m_dir.path(); }
    // The card-device stand-in as Card_dll.so; its path, for the test's own handle.
    QString AddFakeCardLibrary();
    // The identity-card plug library as PlugCard/QnCardInfo.so.
    void AddFakePlugLibrary();

private:
    QTemporaryDir m_dir;
    QString m_savedPath;
};
