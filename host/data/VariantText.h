#pragma once

#include <QString>
#include <QVariant>

// The host's conversions between stored values and text: numbers that are no
// numbers read as 0, dates print as "yyyy-mm-dd", flags as 0/1.
namespace VariantText {
QString toText(const QVariant& value);
int toInt(const QVariant& value);
qint64 toInt64(const QVariant& value);
double toDouble(const QVariant& value);
bool toBool(const QVariant& value);
} // namespace VariantText
