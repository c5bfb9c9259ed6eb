#include "vip/coupons/ETCCardChangeLog.h"

#include "vip/base/ModuleGlobals.h"

QStringList ETCCardChangeLog::Lines(const QString& cardNo, const Values& before, const Values& after) {
    const QStringList old = before.list();
    const QStringList now = after.list();
    QStringList lines;
    for (int i = 0; i < old.size() && i < FValueCaption.size(); ++i) {
        if (old.at(i) != now.at(i))
            lines.append(
                QStringLiteral("卡号：%1;%2:%3->%4;").arg(cardNo, FValueCaption.at(i), old.at(i), now.at(i)));
    }
    return lines;
}
