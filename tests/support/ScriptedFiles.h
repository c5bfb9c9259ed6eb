#pragma once

#include "host/sdk/ui/FileDialogService.h"

#include <QQueue>
#include <QStringList>

// Answers file-name questions from a script and records the captions asked.
// Installed for its lifetime. A question with no scripted answer is counted and
// answered as cancelled, so a test that forgot one fails on what follows.
class ScriptedFiles final : public FileDialogService {
public:
    ScriptedFiles() { FileDialogService::install(this); }
    ~ScriptedFiles() override { FileDialogService::install(nullptr); }

    // The next answer; an empty text answers as the user cancelling. A filter given
    // is the one the user chose; without one, the filter offered first stays chosen.
    void setNextName(const QString& name, const QString& filter = {}) { m_names.enqueue({name, filter}); }
    QString saveFileName(const QString& caption, const QString& suggestedName, const QString& filters,
                         QString* chosenFilter) override;
    // Files to read are answered from the same script, in turn.
    QString openFileName(const QString& caption, const QString& filters) override;

    const QStringList& asked() const { return m_asked; }
    const QStringList& suggested() const { return m_suggested; }
    // The filters each question offered, ";;" between them.
    const QStringList& offered() const { return m_offered; }
    // Questions left unanswered and answers never asked for.
    int unsettled() const { return m_unanswered + int(m_names.size()); }

private:
    struct Answer {
        QString name;
        QString filter;
    };
    QQueue<Answer> m_names;
    QStringList m_asked;
    QStringList m_suggested;
    QStringList m_offered;
    int m_unanswered = 0;
};
