#include "tests/support/ScriptedFiles.h"

QString ScriptedFiles::saveFileName(const QString& caption, const QString& suggestedName, const QString&) {
    m_asked.append(caption);
    m_suggested.append(suggestedName);
    if (m_names.isEmpty()) {
        ++m_unanswered;
        return QString();
    }
    return m_names.dequeue();
}
