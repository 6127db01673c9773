#pragma once

#include <QString>

class Prompter;
class Project;

// Project-level commands that need no window: copying and compacting the open
// project, and the typed confirmation of a deletion. Every question and
// message goes through the prompter.

// What to tell the user about a name typed for the copy; empty when it will do.
QString ValidateOutputProjectName(const QString& name);

// Copies the open project's files (database, settings, report definitions when
// there are any) to destinationDir/destinationName. Asks before overwriting an
// existing project there; refuses to copy a project onto itself. Each
// destination file is either left as it was or replaced whole. The open
// project is not changed.
bool CopyProject(Project& open, const QString& destinationDir, const QString& destinationName,
                 Prompter& prompter);

// Rewrites the open project's database file without its unused space, after
// asking; true when it was rewritten. The project file is only read until the
// compacted copy replaces it whole. The project is open on its database again
// afterwards (should that reopening fail, it is closed and the user told so),
// and the next order, invoice and receivable records get IDs above every ID
// those tables ever had.
bool CompactDatabase(Project& project, Prompter& prompter);

// Whether the word typed into the delete confirmation confirms the deletion;
// tells the user when it does not.
bool ConfirmDeletion(const QString& typed, Prompter& prompter);

// Copies a file over `target` through a temporary file beside it, so a failure
// leaves the old target whole.
bool CopyFileReplacing(const QString& source, const QString& target);
