#pragma once

#include <QStringList>

// What a modify of a member card changed, worded for the operation log: the texts
// of the logged fields as the editor showed them at open, compared with the texts
// at save. The fields and their labels are the module's ValueCaption, in order.
class VipCardChangeLog {
public:
    void Remember(const QStringList& values) { m_old = values; }
    const QStringList& Remembered() const { return m_old; }

    // One line per field whose text differs from the remembered one:
    // "会员卡号:[card]电话:old,修改为：new".
    QStringList Lines(const QString& cardNo, const QStringList& values) const;

    static QString YesNo(bool on);

private:
    QStringList m_old;
};
