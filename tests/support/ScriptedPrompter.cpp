#include "ScriptedPrompter.h"

void ScriptedPrompter::message(const QString& text, const QString& title, Icon icon)
{
    m_log.append({text, title, icon, false});
}

bool ScriptedPrompter::askYesNo(const QString& text, const QString& title, Icon icon)
{
    m_log.append({text, title, icon, true});
    return m_answers.isEmpty() ? false : m_answers.takeFirst();
}

QStringList ScriptedPrompter::texts() const
{
    QStringList out;
    for (const Entry& entry : m_log)
        out.append(entry.text);
    return out;
}
