#pragma once

#include <QString>

// Login passwords are kept as a salted SHA-256, never as typed.
class PasswordHash {
public:
    static QString newSalt();
    static QString hash(const QString& salt, const QString& password);
    static bool matches(const QString& salt, const QString& hash, const QString& password);
};
