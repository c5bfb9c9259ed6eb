#pragma once

class QLineEdit;

// What a number field lets the user type. Editing keys and shortcuts always pass;
// text pasted or dropped in is held to the same characters.
enum class KeyFilter {
    Digits,         // 0-9
    DigitsDot,      // 0-9 and "."
    DigitsMinus,    // 0-9 and "-"
    DigitsDotMinus, // 0-9, "." and "-"
};

// Applies a filter to one field, replacing any filter it had.
void SetKeyFilter(QLineEdit* field, KeyFilter filter);
