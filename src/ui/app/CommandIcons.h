#pragma once

#include <QIcon>
#include <QString>

// The icon of a command: the desktop icon theme's icon of `themeName` (a
// freedesktop name such as "document-open"), else the bundled one of
// `fallbackName` (":/icons/<name>.png"). An empty theme name takes the bundled
// icon only, for commands the naming scheme has no name for.
QIcon CommandIcon(const QString& themeName, const QString& fallbackName);
