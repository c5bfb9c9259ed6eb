#include "host/sdk/ui/DialogFields.h"

#include "host/sdk/ui/NumberText.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QRadioButton>

namespace DialogFields {

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

void FormatRate(QLineEdit* field) {
    if (field->text().trimmed().isEmpty())
        return;
    field->setText(DoubleToString(std::max(0.0, StringToDouble(field->text()))));
}

void FormatWhole(QLineEdit* field, int high) {
    if (field->text().trimmed().isEmpty())
        return;
    int value = StringToInt(field->text());
    if (high > 0 && value > high)
        value = high;
    field->setText(QString::number(value));
}

void KeepRate(QLineEdit* field) {
    QObject::connect(field, &QLineEdit::editingFinished, field, [field] { FormatRate(field); });
}

void KeepWhole(QLineEdit* field, int high) {
    QObject::connect(field, &QLineEdit::editingFinished, field, [field, high] { FormatWhole(field, high); });
}

void FinishEditing(QWidget* window) {
    const QPointer<QWidget> field = window->focusWidget();
    if (!field)
        return;
    // Losing the focus is what ends an edit: a line edit formats its text, a grid's
    // cell editor commits and closes.
    field->clearFocus();
    // A closed cell editor cannot take the focus back; the grid holding it does.
    QWidget* back = field;
    while (back && back != window && !(back->isVisible() && back->focusPolicy() != Qt::NoFocus))
        back = back->parentWidget();
    if (back && back != window)
        back->setFocus();
}

} // namespace DialogFields
