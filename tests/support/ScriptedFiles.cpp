#include "tests/support/ScriptedFiles.h"

QString ScriptedFiles::saveFileName(const QString& caption, const QString& suggestedName,
                                    const QString& filters, QString* chosenFilter) {
    m_asked.append(caption);
    m_suggested.append(suggestedName);
    m_offered.append(filters);
    if (m_names.isEmpty()) {
        ++m_unanswered;
        return QString();
    }
    const Answer answer = m_names.dequeue();
    if (chosenFilter && !answer.filter.isEmpty())
        *chosenFilter = answer.filter;
    return answer.name;
}

QString ScriptedFiles::openFileName(const QString& caption, const QString& filters) {
    return saveFileName(caption, QString(), filters, nullptr);
}
