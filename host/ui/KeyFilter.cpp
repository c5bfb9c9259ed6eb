#include "host/sdk/ui/KeyFilter.h"

#include <QApplication>
#include <QLineEdit>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QToolTip>

namespace {

// Every text a number of the kind may pass through while it is typed.
QString shapeOf(KeyFilter filter) {
    switch (filter) {
    case KeyFilter::Digits:
        return QStringLiteral("[0-9]*");
    case KeyFilter::DigitsDot:
        return QStringLiteral("[0-9]*\\.?[0-9]*");
    case KeyFilter::DigitsMinus:
        return QStringLiteral("-?[0-9]*");
    case KeyFilter::DigitsDotMinus:
        return QStringLiteral("-?[0-9]*\\.?[0-9]*");
    case KeyFilter::DateText:
        return QStringLiteral("[0-9.\\-]*");
    }
    return QStringLiteral("[0-9]*");
}

QString tipOf(KeyFilter filter) {
    switch (filter) {
    case KeyFilter::Digits:
        return QStringLiteral("此处只能输入整数");
    case KeyFilter::DigitsDot:
        return QStringLiteral("此处只能输入数字，可带一个小数点");
    case KeyFilter::DigitsMinus:
        return QStringLiteral("此处只能输入整数，负号只能在最前面");
    case KeyFilter::DigitsDotMinus:
        return QStringLiteral("此处只能输入数字，可带一个小数点，负号只能在最前面");
    case KeyFilter::DateText:
        return QStringLiteral("此处只能输入日期，如 2000-10-01");
    }
    return {};
}

const char* const TipProperty = "keyFilterTip";

} // namespace

void SetKeyFilter(QLineEdit* field, KeyFilter filter) {
    const QRegularExpression shape(shapeOf(filter));
    const QValidator* previous = field->validator();
    field->setValidator(new QRegularExpressionValidator(shape, field));
    if (previous && previous->parent() == field)
        delete previous;
    // The tip reads the property, so a field filtered again tells its new kind.
    const bool told = field->property(TipProperty).isValid();
    field->setProperty(TipProperty, tipOf(filter));
    if (told)
        return;
    QObject::connect(field, &QLineEdit::inputRejected, field, [field] {
        QApplication::beep();
        const bool full = field->text().size() >= field->maxLength();
        const QString tip = full ? QStringLiteral("此处最多输入%1位").arg(field->maxLength())
                                 : field->property(TipProperty).toString();
        QToolTip::showText(field->mapToGlobal(QPoint(0, field->height())), tip, field);
    });
}
