#pragma once

#include "core/common/Prompter.h"

#include <QList>
#include <QString>

// A prompter for tests: records every message and question, and answers the
// questions from a script (No once the script runs out).
class ScriptedPrompter final : public Prompter
{
public:
    struct Entry
    {
        QString text;
        QString title;
        Icon icon;
        bool question;
    };

    void message(const QString& text, const QString& title, Icon icon) override;
    bool askYesNo(const QString& text, const QString& title, Icon icon) override;

    // Queues answers for the next questions.
    void answer(std::initializer_list<bool> answers) { m_answers.append(answers); }

    const QList<Entry>& log() const { return m_log; }
    QStringList texts() const;
    QString lastText() const { return m_log.isEmpty() ? QString() : m_log.constLast().text; }
    int pendingAnswers() const { return static_cast<int>(m_answers.size()); }
    void clear() { m_log.clear(); }

private:
    QList<Entry> m_log;
    QList<bool> m_answers;
};
