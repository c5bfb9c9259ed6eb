#include "host/sdk/ui/DialogFields.h"

#include "host/sdk/ui/NumberRange.h"
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
    bool number = false;
    const double value = field->text().trimmed().toDouble(&number);
    if (number)
        field->setText(DoubleToString(value));
}

void FormatWhole(QLineEdit* field) {
    bool whole = false;
    const qlonglong value = field->text().trimmed().toLongLong(&whole);
    if (whole)
        field->setText(QString::number(value));
}

void KeepRate(QLineEdit* field) {
    QObject::connect(field, &QLineEdit::editingFinished, field, [field] { FormatRate(field); });
}

void KeepWhole(QLineEdit* field) {
    QObject::connect(field, &QLineEdit::editingFinished, field, [field] { FormatWhole(field); });
}

void KeepInRange(QLineEdit* field, const QString& caption, double low, double high) {
    NumberRange::Attach(field, caption, low, high);
}

void FinishEditing(QWidget* window) {
    const QPointer<QWidget> field = window->focusWidget();
    if (field) {
        // The range checks below speak for the field being left.
        const NumberRange::Quiet quiet;
        // Losing the focus is what ends an edit: a line edit formats its text, a
        // grid's cell editor commits and closes.
        field->clearFocus();
        // A closed cell editor cannot take the focus back; the grid holding it does.
        QWidget* back = field;
        while (back && back != window && !(back->isVisible() && back->focusPolicy() != Qt::NoFocus))
            back = back->parentWidget();
        if (back && back != window)
            back->setFocus();
    }
    NumberRange::CheckAll(window);
}

} // namespace DialogFields
