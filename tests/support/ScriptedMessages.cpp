#include "tests/support/ScriptedMessages.h"

int ScriptedMessages::show(const QString& text, const QString& caption, int style) {
    m_shown.append(Box{text, caption, style});
    if (!m_answers.isEmpty())
        return m_answers.dequeue();
    const int buttons = style & MB::ButtonMask;
    if (buttons == MB::Ok)
        return IDOK;
    ++m_unanswered;
    return buttons == MB::OkCancel ? IDCANCEL : IDNO;
}
