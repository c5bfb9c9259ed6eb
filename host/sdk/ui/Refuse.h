#pragma once

#include "host/sdk/MessageBox.h"

#include <QString>

class QWidget;

// How a dialog turns down what the user entered. The message names the field;
// the field is brought to the front, with every tab page that holds it, and takes
// the focus; the action is abandoned through AbortAction, which the dialog base
// and the list-window framework end silently. Everything typed stays as it was.
[[noreturn]] void Refuse(QWidget* field, const QString& text, const QString& caption = QStringLiteral("提示"),
                         int icon = MB::IconInformation);
// The same without a message, for a question about the field the user answered No.
[[noreturn]] void AbandonAt(QWidget* field);
// Raises the tab pages holding a field and gives it the focus.
void ShowField(QWidget* field);
