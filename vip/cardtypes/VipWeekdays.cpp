#include "vip/cardtypes/VipWeekdays.h"

#include <QStringList>

namespace {

const QStringList names = {QStringLiteral("星期一"), QStringLiteral("星期二"), QStringLiteral("星期三"),
                           QStringLiteral("星期四"), QStringLiteral("星期五"), QStringLiteral("星期六"),
                           QStringLiteral("星期日")};

} // namespace

QString VipWeekdays::ToDigits(QString list) {
    for (int i = 0; i < names.size(); ++i)
        list.replace(names[i], QString::number(i + 1));
    return list;
}

QString VipWeekdays::FromDigits(const QString& list) {
    QStringList entries = list.split(QLatin1Char(','), Qt::SkipEmptyParts);
    for (QString& entry : entries) {
        bool ok = false;
        const int day = entry.trimmed().toInt(&ok);
        if (ok && day >= 1 && day <= 7)
            entry = names[day - 1];
    }
    return entries.join(QLatin1Char(','));
}
