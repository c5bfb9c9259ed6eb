#pragma once

#include <QString>

class DataModule;

// Logs a user in at a store: checks the code and password against loginuser and
// the store against posinfo, then fills the session's user and store values.
class LoginService {
public:
    explicit LoginService(DataModule& data)
        : m_data(data) {}

    // posId 0 is the head office. A refusal is shown as one box and leaves the
    // session as it was; the same words answer an unknown user and a wrong
    // password, so the box does not tell which user codes exist.
    bool LogIn(const QString& userCode, const QString& password, int posId);
    // Clears the user and store values; the configuration stays.
    static void LogOut();

private:
    DataModule& m_data;
};
