#pragma once

#include <QString>
#include <QWidget>

// Driving a dialog's controls as a user would, by their object names. A missing
// control ends the test at once, naming it, rather than crashing further on.
namespace UserInput {

template <typename T> T* get(QWidget& parent, const char* name) {
    T* widget = parent.findChild<T*>(QLatin1String(name));
    if (!widget)
        qFatal("no control %s", name);
    return widget;
}

// Text as a user enters it: Latin keys one by one, Chinese through the input
// method, which hands over each character it composed.
void enter(QWidget* widget, const QString& value);

// Typed as a user types: the old text selected away, then the new; with 'leave'
// the field is left with Tab, so its exit handler runs.
void type(QWidget& dialog, const char* name, const QString& value, bool leave = false);

// Buttons are clicked on their indicator or caption start, where a check box takes
// a click even when its layout stretches it.
void click(QWidget& dialog, const char* name);

} // namespace UserInput
