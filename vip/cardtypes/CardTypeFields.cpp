#include "vip/cardtypes/CardTypeFields.h"

#include "host/sdk/ui/NumberText.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

namespace CardTypeFields {

QLineEdit* Edit(const char* name, int maxLength) {
    auto* edit = new QLineEdit;
    edit->setObjectName(QLatin1String(name));
    if (maxLength > 0)
        edit->setMaxLength(maxLength);
    return edit;
}

QLineEdit* NumberEdit(const char* name, KeyFilter filter, int maxLength) {
    QLineEdit* edit = Edit(name, maxLength);
    edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    SetKeyFilter(edit, filter);
    return edit;
}

QCheckBox* CheckBox(const char* name, const QString& caption) {
    auto* box = new QCheckBox(caption);
    box->setObjectName(QLatin1String(name));
    return box;
}

QRadioButton* Radio(const char* name, const QString& caption) {
    auto* radio = new QRadioButton(caption);
    radio->setObjectName(QLatin1String(name));
    return radio;
}

QLabel* Label(const QString& caption, const char* name) {
    auto* label = new QLabel(caption);
    if (name)
        label->setObjectName(QLatin1String(name));
    return label;
}

void FormatRate(QLineEdit* field, double high) {
    // An emptied field stays empty: the checks name what is missing.
    if (field->text().trimmed().isEmpty())
        return;
    double value = StringToDouble(field->text());
    if (value < 0)
        value = 0;
    if (high > 0 && value > high)
        value = high;
    field->setText(DoubleToString(value));
}

void FormatWhole(QLineEdit* field, int high) {
    if (field->text().trimmed().isEmpty())
        return;
    int value = StringToInt(field->text());
    if (high > 0 && value > high)
        value = high;
    field->setText(QString::number(value));
}

void KeepRate(QLineEdit* field, double high) {
    QObject::connect(field, &QLineEdit::editingFinished, field, [field, high] { FormatRate(field, high); });
}

void KeepWhole(QLineEdit* field, int high) {
    QObject::connect(field, &QLineEdit::editingFinished, field, [field, high] { FormatWhole(field, high); });
}

} // namespace CardTypeFields
