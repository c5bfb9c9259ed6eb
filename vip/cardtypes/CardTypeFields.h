#pragma once

#include "host/sdk/ui/KeyFilter.h"

#include <QString>

class QCheckBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QWidget;

// Builds the controls of the card type dialog's pages, each under the name the
// dialog's rules and tests know it by.
namespace CardTypeFields {

QLineEdit* Edit(const char* name, int maxLength = 0);
QLineEdit* NumberEdit(const char* name, KeyFilter filter, int maxLength);
QCheckBox* CheckBox(const char* name, const QString& caption);
QRadioButton* Radio(const char* name, const QString& caption);
QLabel* Label(const QString& caption, const char* name = nullptr);

// A rate or multiplier field as it is shown: a negative value becomes 0, a value
// above 'high' becomes 'high' (0: no limit), the number in the host's way. An
// empty field stays empty, so the checks can name what is missing.
void FormatRate(QLineEdit* field, double high);
// A count field as it is shown: a whole number, at most 'high' (0: no limit).
void FormatWhole(QLineEdit* field, int high);
// The same, each time the user leaves the field.
void KeepRate(QLineEdit* field, double high);
void KeepWhole(QLineEdit* field, int high);

} // namespace CardTypeFields
