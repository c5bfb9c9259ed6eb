#pragma once

#include <QString>
#include <QStringList>

// How a batch issue turns its fields into card numbers: the prefix, then the
// serial left-padded with zeros to the serial width. A prefix that holds
// "(流水号)" gets the serial there too.
class VipCardNumberRule {
public:
    QString prefix;
    int width = 1;
    qint64 start = 0;
    qint64 step = 1;
    int quantity = 0;
    QStringList filters; // a serial holding any of these texts is left out

    // Most characters a card number may have.
    static constexpr int MostCharacters = 30;
    // The serial numbers looked at before a filter that leaves out nearly
    // everything ends the list, so the dialog never hangs on it.
    static constexpr qint64 MostExamined = 10'000'000;

    QString CardNo(qint64 serial) const;
    // Up to 'quantity' numbers from 'start' by 'step', skipping filtered serials; the
    // list ends early once a serial outgrows the width.
    QStringList Generate() const;
    // The first of the preview's errors ("错误：..."), empty when there is none;
    // 'end' is the last serial the fields name.
    QString PreviewError(qint64 end) const;
    // The preview memo: the error, or the first and last card number.
    QString PreviewText(qint64 end) const;
    // The comma-separated digits of the filter field.
    static QStringList Filters(const QString& text);
};
