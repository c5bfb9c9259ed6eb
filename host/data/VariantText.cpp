#include "host/data/VariantText.h"

#include "host/sdk/Money.h"

#include <QDate>
#include <QDateTime>
#include <cmath>

namespace VariantText {

QString toText(const QVariant& value) {
    if (!value.isValid() || value.isNull())
        return QString();
    if (value.metaType() == QMetaType::fromType<Money>())
        return value.value<Money>().toString();
    switch (value.typeId()) {
    case QMetaType::QDate:
        return value.toDate().toString(QStringLiteral("yyyy-MM-dd"));
    case QMetaType::QDateTime:
        return value.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("1") : QStringLiteral("0");
    case QMetaType::Double:
    case QMetaType::Float:
        return QString::number(value.toDouble(), 'g', 15);
    default:
        return value.toString();
    }
}

double toDouble(const QVariant& value) {
    if (!value.isValid() || value.isNull())
        return 0.0;
    if (value.metaType() == QMetaType::fromType<Money>())
        return value.value<Money>().toDouble();
    if (value.typeId() == QMetaType::Bool)
        return value.toBool() ? 1.0 : 0.0;
    bool ok = false;
    const double d =
        value.typeId() == QMetaType::QString ? value.toString().trimmed().toDouble(&ok) : value.toDouble(&ok);
    return ok && std::isfinite(d) ? d : 0.0;
}

qint64 toInt64(const QVariant& value) {
    if (!value.isValid() || value.isNull())
        return 0;
    if (value.typeId() == QMetaType::Bool)
        return value.toBool() ? 1 : 0;
    bool ok = false;
    if (value.typeId() == QMetaType::QString) {
        const QString text = value.toString().trimmed();
        const qint64 n = text.toLongLong(&ok);
        if (ok)
            return n;
        const double d = text.toDouble(&ok);
        return ok && std::isfinite(d) ? static_cast<qint64>(d) : 0;
    }
    const qint64 n = value.toLongLong(&ok);
    return ok ? n : static_cast<qint64>(toDouble(value));
}

int toInt(const QVariant& value) {
    return static_cast<int>(toInt64(value));
}

bool toBool(const QVariant& value) {
    if (!value.isValid() || value.isNull())
        return false;
    if (value.typeId() == QMetaType::QString) {
        const QString text = value.toString().trimmed();
        return text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 || toInt64(value) != 0;
    }
    return toInt64(value) != 0;
}

} // namespace VariantText
