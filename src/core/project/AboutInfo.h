#pragma once

#include <QString>

// The machine figures shown in the About box. Each reads "Unavailable" when
// the system does not tell.
class AboutInfo
{
public:
    // Total physical memory as "%lu KB", from the MemTotal line of a
    // meminfo file.
    static QString totalMemory(const QString& meminfoPath = QStringLiteral("/proc/meminfo"));
    // Space left to the user on the file system holding `path`, as
    // "%lu KB Free on %s" with the file system's mount point.
    static QString freeSpace(const QString& path);

    static QString unavailable();
};
