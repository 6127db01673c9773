#pragma once

#include <QString>

// How the engine talks to the user: messages and Yes/No questions. The desktop
// answers with message boxes; tests answer from a script.
class Prompter
{
public:
    enum class Icon { None, Information, Exclamation, Question, Stop };

    virtual ~Prompter() = default;

    virtual void message(const QString& text, const QString& title, Icon icon) = 0;
    // True when the user answered Yes.
    virtual bool askYesNo(const QString& text, const QString& title, Icon icon = Icon::Question) = 0;
};
