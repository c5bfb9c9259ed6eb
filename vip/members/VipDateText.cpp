#include "vip/members/VipDateText.h"

#include <QRegularExpression>

namespace VipDateText {

namespace {

const QDate FirstDay(1900, 1, 1);
const QDate LastDay(2100, 12, 31);

} // namespace

QString ConvertDate(const QString& text) {
    const QString trimmed = text.trimmed();
    static const QRegularExpression separated(QStringLiteral("^(\\d{4})[-./](\\d{1,2})[-./](\\d{1,2})$"));
    static const QRegularExpression packed(QStringLiteral("^(\\d{4})(\\d{2})(\\d{2})$"));
    QRegularExpressionMatch match = separated.match(trimmed);
    if (!match.hasMatch())
        match = packed.match(trimmed);
    if (!match.hasMatch())
        return text;
    const QDate date(match.captured(1).toInt(), match.captured(2).toInt(), match.captured(3).toInt());
    return date.isValid() ? date.toString(QStringLiteral("yyyy-MM-dd")) : text;
}

QDate ToDate(const QString& text) {
    QString iso = text.trimmed();
    iso.replace(QLatin1Char('/'), QLatin1Char('-'));
    const QDate date = QDate::fromString(iso, QStringLiteral("yyyy-MM-dd"));
    if (!date.isValid() || date < FirstDay || date > LastDay)
        return {};
    return date;
}

bool IsBlankMask(const QString& text) {
    for (const QChar ch : text) {
        if (ch.isDigit())
            return false;
    }
    return true;
}

QString MaskText(const QDate& date) {
    return date.toString(QStringLiteral("yyyy/MM/dd"));
}

} // namespace VipDateText
