#pragma once

#include <array>
#include <cstddef>
#include <memory>

struct sqlite3_vfs;

// A file system for SQLite that passes every call to the default one ("unix")
// and counts, across every file opened through it (databases, journals,
// temporary files), the reads, writes, syncs and truncations. It can be armed
// to fail the Nth call of a kind with a chosen result code, once or from then
// on, as a disk that has died or filled up would.
//
// While an instance lives it is the default file system, so every connection
// opened meanwhile (Qt's SQLite driver links the same libsqlite3 as the engine)
// goes through it; the destructor makes "unix" the default again. Connections
// opened through it must be closed before it goes. One instance at a time.
class FaultyFileSystem
{
public:
    enum class Kind
    {
        Read,
        Write,
        Sync,
        Truncate
    };
    static constexpr std::size_t kKinds = 4;

    FaultyFileSystem();
    ~FaultyFileSystem();
    FaultyFileSystem(const FaultyFileSystem&) = delete;
    FaultyFileSystem& operator=(const FaultyFileSystem&) = delete;

    // Whether it was registered (false when SQLite has no "unix" file system).
    bool isRegistered() const { return m_registered; }

    // Counts afresh and fails the `nth` call of `kind` from now on with `code`
    // (SQLITE_IOERR_WRITE or SQLITE_FULL for writes, SQLITE_IOERR_FSYNC for
    // syncs, SQLITE_IOERR_READ or SQLITE_IOERR_SHORT_READ for reads); with
    // `persistent` every later call of that kind fails as well. A short read
    // hands back zeros where the bytes were missing, as the engine expects.
    void arm(Kind kind, int nth, int code, bool persistent);
    // Fails nothing more; the counts go on.
    void disarm();
    // Calls of each kind since the last arm() or reset().
    int calls(Kind kind) const { return m_calls[static_cast<std::size_t>(kind)]; }
    // Calls failed since the last arm().
    int injected() const { return m_injected; }
    void reset();

    // Whether the call about to be made fails, and with which code (0: it goes through).
    int failureFor(Kind kind);

private:
    std::unique_ptr<sqlite3_vfs> m_vfs;
    std::array<int, kKinds> m_calls{};
    bool m_armed = false;
    Kind m_kind = Kind::Write;
    int m_nth = 0;
    int m_code = 0;
    bool m_persistent = false;
    int m_injected = 0;
    bool m_registered = false;
};
