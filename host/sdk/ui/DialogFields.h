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

// A rate or multiplier field as it is shown: a negative value becomes 0, the
// number the host's way. Its range is left to the dialog's checks, which name the
// field, rather than cut silently. An empty field stays empty, so the checks can
// say what is missing.
void FormatRate(QLineEdit* field);
// A count field as it is shown: a whole number, at most 'high' (0: no limit), as
// a field that cannot hold more.
void FormatWhole(QLineEdit* field, int high);
// The same, each time the user leaves the field.
void KeepRate(QLineEdit* field);
void KeepWhole(QLineEdit* field, int high);

// Ends the edit of the focused field of 'window' as leaving it would: its
// formatting runs and an open grid cell hands its text to the grid. A confirm
// button pressed by its Alt shortcut leaves the focus where it was, so its
// handler calls this before it checks anything. The field keeps the focus.
void FinishEditing(QWidget* window);

} // namespace DialogFields
