#include "host/db/procedures/CardIdList.h"

#include "host/sdk/DbError.h"

#include <QSet>

QList<int> CardIdList::parse(const QString& text) {
    QList<int> ids;
    QSet<int> seen;
    for (const QString& part : text.split(QLatin1Char(','))) {
        bool ok = false;
        const int id = part.trimmed().toInt(&ok);
        if (!ok || id <= 0)
            throw DbError(QStringLiteral("会员卡列表“%1”无效。").arg(text.left(100)));
        if (!seen.contains(id)) {
            seen.insert(id);
            ids.append(id);
        }
    }
    return ids;
}
