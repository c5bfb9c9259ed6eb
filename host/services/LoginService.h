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
    // password, so the box does not tell which user codes exist. A disabled user,
    // and a user at a store not among theirs, is refused once the password is right.
    // A wrong password is counted and logged; after MaxFailedLogins in a row the
    // account is locked, and a locked account is refused whatever the password,
    // until an administrator unlocks it. A password kept in an older or cheaper hash
    // is hashed anew at its first good login.
    bool LogIn(const QString& userCode, const QString& password, int posId);
    static void Unlock(DataModule& data, int userRec);
    static constexpr int MaxFailedLogins = 5;
    // How long a login screen waits before it takes the next try after this many
    // failures in a row: nothing after none, then 1, 2, 4, ... seconds, at most 30.
    static int RetryDelaySeconds(int failuresInARow);

    // The logged-in user's own change: refused with a box (and false) when the old
    // password is wrong or the new one breaks the rule.
    bool ChangePassword(const QString& oldPassword, const QString& newPassword);
    // The rule every password chosen from now on follows.
    static constexpr int MinPasswordLength = 6;
    static bool AcceptablePassword(const QString& password);
    static const QString PasswordRuleText;
    // Clears the user and store values; the configuration stays.
    static void LogOut();

private:
    // True when this failure locked the account.
    bool recordFailure(int rec, const QString& code);
    DataModule& m_data;
};
