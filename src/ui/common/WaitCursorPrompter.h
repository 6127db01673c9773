#pragma once

#include "core/common/Prompter.h"

// A wait cursor for as long as it lives, lifted while the user is asked or told
// something in the middle of the long operation it wraps.
class WaitCursorPrompter final : public Prompter
{
public:
    explicit WaitCursorPrompter(Prompter& prompter);
    ~WaitCursorPrompter() override;
    WaitCursorPrompter(const WaitCursorPrompter&) = delete;
    WaitCursorPrompter& operator=(const WaitCursorPrompter&) = delete;

    void message(const QString& text, const QString& title, Icon icon) override;
    bool askYesNo(const QString& text, const QString& title, Icon icon) override;

private:
    Prompter& m_prompter;
};
