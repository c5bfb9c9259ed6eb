#pragma once

class QLineEdit;

// What a number field lets the user type. Editing keys and shortcuts always pass.
// A key that cannot be part of a number of the field's kind (a letter, a second
// ".", a "-" after the first place, a "." in a whole-number field) is refused as
// it is typed, with a beep and a tip beside the field saying what it takes, so
// the text never changes behind the user's back; text pasted or dropped in is
// held to the same shape.
enum class KeyFilter {
    Digits,         // a whole number: 0-9
    DigitsDot,      // a number with decimals: 0-9 and one "."
    DigitsMinus,    // a whole number, maybe negative: a leading "-", 0-9
    DigitsDotMinus, // a number, maybe negative, with decimals
    DateText,       // no number but a date as typed: 0-9, "-" and "." anywhere ("2000-10-01")
};

// Applies a filter to one field, replacing any filter it had.
void SetKeyFilter(QLineEdit* field, KeyFilter filter);
