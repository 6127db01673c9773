#include "YesPrompter.h"

void YesPrompter::message(const QString& text, const QString&, Icon)
{
    ++m_messages;
    m_lastMessage = text;
}

bool YesPrompter::askYesNo(const QString&, const QString&, Icon)
{
    ++m_questions;
    return true;
}
