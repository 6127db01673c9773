#pragma once

#include "core/common/Prompter.h"

#include <QString>

// Answers every question Yes, as a user confirming each step would, and keeps
// the messages shown: in a measurement any message means the operation did not
// do what was measured.
class YesPrompter final : public Prompter
{
public:
    void message(const QString& text, const QString& title, Icon icon) override;
    bool askYesNo(const QString& text, const QString& title, Icon icon) override;

    int messageCount() const { return m_messages; }
    QString lastMessage() const { return m_lastMessage; }
    int questionCount() const { return m_questions; }

private:
    int m_messages = 0;
    int m_questions = 0;
    QString m_lastMessage;
};
