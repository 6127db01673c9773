#pragma once

#include <QByteArray>

#include <memory>

struct sqlite3_vfs;

// A file system for SQLite that hands every call to the default one, except
// that runs of adjacent writes are gathered into blocks of 124 KiB and
// written at once. A backup writes its new file a page per call from the first
// page to the last; gathered, the copy goes out in as few writes as a plain
// file copy. Whatever reads, sizes, truncates, syncs or closes the file first
// writes what is gathered, so the file reads as written; ask the file's size
// before closing it to learn whether the last block was written. Only for files one
// connection writes alone with no journal, as a backup's copy is.
//
// Each instance registers under a name of its own over the file system that is
// the default when it is made, and unregisters when it goes; open the
// connection with name() and close it before.
class GatheringFileSystem
{
public:
    GatheringFileSystem();
    ~GatheringFileSystem();
    GatheringFileSystem(const GatheringFileSystem&) = delete;
    GatheringFileSystem& operator=(const GatheringFileSystem&) = delete;

    // Null when it could not be registered; the default serves then.
    const char* name() const;

private:
    std::unique_ptr<sqlite3_vfs> m_vfs;
    QByteArray m_name;
    bool m_registered = false;
};
