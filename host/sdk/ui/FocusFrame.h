#pragma once

class QWidget;

// Marks the control that has the focus in a window, so the user always sees where
// a key goes: fields, lists and grids get a blue frame, buttons a blue frame on a
// tinted ground, check boxes and radio buttons a tinted ground and blue text. Dialogs and list windows get it
// from their base; the windows they open inherit it.
void ShowFocusFrame(QWidget* window);
