#include "vip/members/VipCardChangeLog.h"

#include "vip/base/ModuleGlobals.h"

QStringList VipCardChangeLog::Lines(const QString& cardNo, const QStringList& values) const {
    QStringList lines;
    for (int i = 0; i < ValueCaption.size() && i < values.size(); ++i) {
        const QString before = m_old.value(i);
        if (values.at(i) == before)
            continue;
        lines.append(QStringLiteral("会员卡号:[") + cardNo + QStringLiteral("]") + ValueCaption.at(i) +
                     QStringLiteral(":") + before + QStringLiteral(",修改为：") + values.at(i));
    }
    return lines;
}

QString VipCardChangeLog::YesNo(bool on) {
    return on ? QStringLiteral("是") : QStringLiteral("否");
}
