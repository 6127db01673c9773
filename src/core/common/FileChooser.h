#pragma once

#include <QString>

// How the engine and the windows ask the user for a file or a folder. The desktop
// answers with the system's choosers; tests answer from a script. Each answer is
// the chosen path, or an empty string when the user cancelled.
class FileChooser
{
public:
    virtual ~FileChooser() = default;

    // `filter` is in the "Description (*.ext)" form; `defaultSuffix` has no dot.
    virtual QString openFile(const QString& title, const QString& directory, const QString& filter,
                             const QString& defaultSuffix) = 0;
    virtual QString saveFile(const QString& title, const QString& proposedPath, const QString& filter,
                             const QString& defaultSuffix) = 0;
    virtual QString chooseFolder(const QString& title, const QString& directory) = 0;
};
