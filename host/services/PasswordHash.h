#pragma once

#include <QString>

// Login passwords are kept as Argon2id hashes (libsodium's string form, salt and
// costs included), never as typed. Hashes of the earlier form, a salted SHA-256,
// are still recognised, so their users can log in once and be moved to the new one.
class PasswordHash {
public:
    static QString hash(const QString& password);
    // 'salt' matters only for the earlier form; the new one carries its own.
    static bool matches(const QString& salt, const QString& stored, const QString& password);
    // True for a hash of the earlier form or with costs below today's.
    static bool needsUpgrade(const QString& stored);
};
