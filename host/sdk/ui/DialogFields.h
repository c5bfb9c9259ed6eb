#pragma once

#include "host/sdk/ui/KeyFilter.h"

#include <QString>

class QCheckBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QWidget;

// Builds the controls of a dialog, each under the name the dialog's rules and its
// tests know it by, and gives number fields the way the host shows them.
namespace DialogFields {

QLineEdit* Edit(const char* name, int maxLength = 0);
QLineEdit* NumberEdit(const char* name, KeyFilter filter, int maxLength);
QCheckBox* CheckBox(const char* name, const QString& caption);
QRadioButton* Radio(const char* name, const QString& caption);
QLabel* Label(const QString& caption, const char* name = nullptr);

// A rate or multiplier field as it is shown: the number the host's way ("1.50"
// becomes "1.5"). Text that is no number stays as typed, and an empty field stays
// empty, so the checks can name what is wrong or missing.
void FormatRate(QLineEdit* field);
// A count field as it is shown: a whole number without leading zeros ("007"
// becomes "7"); anything else stays as typed.
void FormatWhole(QLineEdit* field);
// The same, each time the user leaves the field.
void KeepRate(QLineEdit* field);
void KeepWhole(QLineEdit* field);
// Holds the field to low..high, told by its caption (NumberRange): a value outside
// is refused on leaving the field and on confirming the dialog, never cut to fit.
void KeepInRange(QLineEdit* field, const QString& caption, double low, double high);

// Ends the edit of the focused field of 'window' as leaving it would: its
// formatting runs and an open grid cell hands its text to the grid. A confirm
// button pressed by its Alt shortcut leaves the focus where it was, so its
// handler calls this before it checks anything. The field keeps the focus. Then
// every number field of the window is held to its range: the first one outside
// is refused (AbortAction), so nothing out of range reaches the checks or a save.
void FinishEditing(QWidget* window);

} // namespace DialogFields
