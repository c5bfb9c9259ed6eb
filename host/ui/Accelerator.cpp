#include "host/sdk/ui/Accelerator.h"

#include <QRegularExpression>

QKeySequence AcceleratorOf(const QString& caption) {
    static const QRegularExpression bracketed(QStringLiteral("\\[&?([A-Za-z0-9])\\]"));
    static const QRegularExpression ampersand(QStringLiteral("&([A-Za-z0-9])"));
    auto match = bracketed.match(caption);
    if (!match.hasMatch())
        match = ampersand.match(caption);
    if (!match.hasMatch())
        return {};
    return QKeySequence(QStringLiteral("Alt+") + match.captured(1).toUpper());
}
