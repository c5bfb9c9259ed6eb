#include "host/services/PasswordHash.h"

#include <QCryptographicHash>
#include <QRandomGenerator>

QString PasswordHash::newSalt() {
    QByteArray bytes(16, Qt::Uninitialized);
    QRandomGenerator::system()->generate(bytes.begin(), bytes.end());
    return QString::fromLatin1(bytes.toHex());
}

QString PasswordHash::hash(const QString& salt, const QString& password) {
    return QString::fromLatin1(
        QCryptographicHash::hash((salt + password).toUtf8(), QCryptographicHash::Sha256).toHex());
}

bool PasswordHash::matches(const QString& salt, const QString& hash, const QString& password) {
    return PasswordHash::hash(salt, password) == hash;
}
