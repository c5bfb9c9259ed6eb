#pragma once

#include "host/sdk/MessageBox.h"

#include <QList>
#include <QQueue>

// Answers message boxes from a script and records every box shown. Installed for
// its lifetime. A box with no scripted answer is recorded as unanswered and takes
// Cancel/No, so a test that forgot a question fails on what follows.
class ScriptedMessages final : public MessageService {
public:
    struct Box {
        QString text;
        QString caption;
        int style;
    };

    ScriptedMessages() { MessageService::install(this); }
    ~ScriptedMessages() override { MessageService::install(nullptr); }

    void setNextAnswer(int button) { m_answers.enqueue(button); }
    int show(const QString& text, const QString& caption, int style) override;

    const QList<Box>& shown() const { return m_shown; }
    int unanswered() const { return m_unanswered; }
    bool pendingAnswers() const { return !m_answers.isEmpty(); }
    // Boxes a flow left unfinished: shown without an answer, or answers never asked for.
    int unsettled() const { return m_unanswered + int(m_answers.size()); }
    Box last() const { return m_shown.isEmpty() ? Box{} : m_shown.last(); }
    void clear() {
        m_shown.clear();
        m_answers.clear();
        m_unanswered = 0;
    }

private:
    QQueue<int> m_answers;
    QList<Box> m_shown;
    int m_unanswered = 0;
};
