#include "host/sdk/ui/KeyFilter.h"

#include <QLineEdit>
#include <QRegularExpression>
#include <QRegularExpressionValidator>

namespace {

QString allowedCharacters(KeyFilter filter) {
    switch (filter) {
    case KeyFilter::Digits:
        return QStringLiteral("0-9");
    case KeyFilter::DigitsDot:
        return QStringLiteral("0-9.");
    case KeyFilter::DigitsMinus:
        return QStringLiteral("0-9\\-");
    case KeyFilter::DigitsDotMinus:
        return QStringLiteral("0-9.\\-");
    }
    return QStringLiteral("0-9");
}

} // namespace

void SetKeyFilter(QLineEdit* field, KeyFilter filter) {
    // Only the set of characters is held, not their arrangement: "1.2.3" is the
    // field's own business when it is read, as typed amounts always were.
    const QRegularExpression characters(QStringLiteral("[%1]*").arg(allowedCharacters(filter)));
    const QValidator* previous = field->validator();
    field->setValidator(new QRegularExpressionValidator(characters, field));
    if (previous && previous->parent() == field)
        delete previous;
}
