#include "host/db/demo/DemoRandom.h"

#include <QUuid>

int DemoRandom::between(int low, int high) {
    return low + static_cast<int>(m_generator.bounded(high - low + 1));
}

QString DemoRandom::digits(int count) {
    QString text;
    text.reserve(count);
    for (int i = 0; i < count; ++i)
        text.append(QChar(u'0' + between(0, 9)));
    return text;
}

QString DemoRandom::mobile() {
    static const QList<QString> prefixes = {
        QStringLiteral("130"), QStringLiteral("133"), QStringLiteral("135"), QStringLiteral("137"),
        QStringLiteral("138"), QStringLiteral("139"), QStringLiteral("150"), QStringLiteral("152"),
        QStringLiteral("158"), QStringLiteral("177"), QStringLiteral("186"), QStringLiteral("189")};
    return pick(prefixes) + digits(8);
}

QString DemoRandom::guid() {
    QByteArray bytes(16, Qt::Uninitialized);
    for (char& byte : bytes)
        byte = static_cast<char>(between(0, 255));
    bytes[6] = static_cast<char>((bytes[6] & 0x0F) | 0x40);
    bytes[8] = static_cast<char>((bytes[8] & 0x3F) | 0x80);
    return QUuid::fromRfc4122(bytes).toString(QUuid::WithBraces).toUpper();
}

Money DemoRandom::amount(int lowYuan, int highYuan) {
    const qint64 cents = between(lowYuan * 100, highYuan * 100);
    return Money::fromRaw(cents * (Money::Scale / 100));
}
