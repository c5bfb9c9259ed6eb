#include "host/services/PasswordHash.h"

#include "host/sdk/DbError.h"

#include <QCryptographicHash>

#include <sodium.h>

namespace {

// Costs that keep a login under a fraction of a second on a till while making a
// stolen table expensive to guess through.
constexpr unsigned long long OpsLimit = crypto_pwhash_OPSLIMIT_INTERACTIVE;
constexpr size_t MemLimit = crypto_pwhash_MEMLIMIT_INTERACTIVE;

const bool sodiumReady = sodium_init() >= 0;

bool isArgon2(const QString& stored) {
    return stored.startsWith(QLatin1String("$argon2id$"));
}

} // namespace

QString PasswordHash::hash(const QString& password) {
    if (!sodiumReady)
        throw DbError(QStringLiteral("密码加密组件无法初始化。"));
    const QByteArray utf8 = password.toUtf8();
    char out[crypto_pwhash_STRBYTES];
    if (crypto_pwhash_str(out, utf8.constData(), static_cast<unsigned long long>(utf8.size()), OpsLimit,
                          MemLimit) != 0)
        throw DbError(QStringLiteral("内存不足，无法计算密码摘要。"));
    return QString::fromLatin1(out);
}

bool PasswordHash::matches(const QString& salt, const QString& stored, const QString& password) {
    const QByteArray utf8 = password.toUtf8();
    if (isArgon2(stored)) {
        const QByteArray text = stored.toLatin1();
        return crypto_pwhash_str_verify(text.constData(), utf8.constData(),
                                        static_cast<unsigned long long>(utf8.size())) == 0;
    }
    const QByteArray legacy =
        QCryptographicHash::hash((salt + password).toUtf8(), QCryptographicHash::Sha256).toHex();
    return !stored.isEmpty() && legacy == stored.toLatin1();
}

bool PasswordHash::needsUpgrade(const QString& stored) {
    if (!isArgon2(stored))
        return true;
    const QByteArray text = stored.toLatin1();
    return crypto_pwhash_str_needs_rehash(text.constData(), OpsLimit, MemLimit) != 0;
}
