#include "ui/common/WaitCursorPrompter.h"

#include <QApplication>

WaitCursorPrompter::WaitCursorPrompter(Prompter& prompter) : m_prompter(prompter)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

WaitCursorPrompter::~WaitCursorPrompter()
{
    QApplication::restoreOverrideCursor();
}

void WaitCursorPrompter::message(const QString& text, const QString& title, Icon icon)
{
    QApplication::restoreOverrideCursor();
    m_prompter.message(text, title, icon);
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

bool WaitCursorPrompter::askYesNo(const QString& text, const QString& title, Icon icon)
{
    QApplication::restoreOverrideCursor();
    const bool yes = m_prompter.askYesNo(text, title, icon);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    return yes;
}
