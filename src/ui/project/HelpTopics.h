#pragma once

#include <QString>

class Prompter;

// Opens the help page of a help context (0 for the contents) in the user's
// browser when help is installed with the application; otherwise says that
// none is.
void ShowHelpTopic(Prompter& prompter, int context);

// The installed help page for a context, its own page before the contents;
// empty when no help is installed. Looked for in helpDirectory, or where the
// application installs it when that is empty.
QString FindHelpPage(int context, const QString& helpDirectory = QString());
