#include "vip/members/VipCardNumberRule.h"

#include <QStringEncoder>

namespace {

const QString SerialMark = QStringLiteral("(流水号)");
const QString ErrorHead = QStringLiteral("错误：\r\n    ");

// The prefix's length as the card number column counts it: Chinese characters
// take two bytes or more in the code page the chain's spreadsheets use.
int byteLength(const QString& text) {
    QStringEncoder encoder("GB18030");
    return int(QByteArray(encoder.encode(text)).size());
}

} // namespace

QString VipCardNumberRule::CardNo(qint64 serial) const {
    const QString padded = QStringLiteral("%1").arg(serial, width, 10, QLatin1Char('0'));
    return QString(prefix + SerialMark).replace(SerialMark, padded);
}

QStringList VipCardNumberRule::Generate() const {
    QStringList numbers;
    qint64 n = start;
    for (qint64 examined = 0; numbers.size() < quantity && examined < MostExamined; ++examined, n += step) {
        const QString digits = QString::number(n);
        if (width < digits.size())
            break;
        const QString padded = digits.rightJustified(width, QLatin1Char('0'));
        bool filtered = false;
        for (const QString& filter : filters)
            filtered = filtered || padded.contains(filter);
        if (!filtered)
            numbers.append(CardNo(n));
    }
    return numbers;
}

QString VipCardNumberRule::PreviewError(qint64 end) const {
    if (QString::number(end).size() > width)
        return ErrorHead + QStringLiteral("流水号位数的值小于到输入框中的数值的位数。");
    if (start > end)
        return ErrorHead + QStringLiteral("流水号的结束值必须大于等于起始值，请修改后重试！");
    if (byteLength(prefix) + width > MostCharacters)
        return ErrorHead + QStringLiteral("会员卡号总位数不能超过30位，请修改后重试！");
    return {};
}

QString VipCardNumberRule::PreviewText(qint64 end) const {
    const QString error = PreviewError(end);
    if (!error.isEmpty())
        return error;
    return QStringList{QStringLiteral("预览:"), CardNo(start), QStringLiteral("..."), QStringLiteral("..."),
                       CardNo(end)}
        .join(QStringLiteral("\r\n"));
}

QStringList VipCardNumberRule::Filters(const QString& text) {
    QStringList filters;
    for (const QString& part : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        if (!part.trimmed().isEmpty())
            filters.append(part.trimmed());
    }
    return filters;
}
