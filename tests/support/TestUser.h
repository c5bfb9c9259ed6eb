#pragma once

#include "host/sdk/Ucomvar.h"

#include <QList>
#include <QString>

class DataModule;

// A login user made for one test (password "secret"), holding the given rights,
// and logged in as the session's user for the object's lifetime; the session
// values the test found are put back afterwards, whatever the test changed.
class TestUser {
public:
    TestUser(DataModule& data, const QString& code, const QList<int>& rights = {}, bool admin = false);
    ~TestUser();
    TestUser(const TestUser&) = delete;
    TestUser& operator=(const TestUser&) = delete;

    int rec() const { return m_rec; }
    void grantBillRight(int right, int billKind);

    static const QString Password;

private:
    DataModule& m_data;
    TComVar m_saved;
    int m_rec = 0;
};
