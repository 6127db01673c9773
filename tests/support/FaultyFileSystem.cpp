#include "FaultyFileSystem.h"

#include <sqlite3.h>

#include <cstring>

namespace {

constexpr const char* kName = "qm-faulty";

// A file opened through the shim: its own header, then the real file of the
// default file system.
struct FaultyFile
{
    sqlite3_file base;
    FaultyFileSystem* owner;
    sqlite3_file* real() { return reinterpret_cast<sqlite3_file*>(this + 1); }
};

FaultyFile* Of(sqlite3_file* file)
{
    return reinterpret_cast<FaultyFile*>(file);
}

sqlite3_file* Real(sqlite3_file* file)
{
    return Of(file)->real();
}

sqlite3_vfs* Unix()
{
    return sqlite3_vfs_find("unix");
}

int Close(sqlite3_file* file)
{
    return Real(file)->pMethods->xClose(Real(file));
}

int Read(sqlite3_file* file, void* buffer, int amount, sqlite3_int64 offset)
{
    if (const int code = Of(file)->owner->failureFor(FaultyFileSystem::Kind::Read)) {
        // A short read must leave zeros where nothing was read.
        if (code == SQLITE_IOERR_SHORT_READ)
            std::memset(buffer, 0, static_cast<size_t>(amount));
        return code;
    }
    return Real(file)->pMethods->xRead(Real(file), buffer, amount, offset);
}

int Write(sqlite3_file* file, const void* buffer, int amount, sqlite3_int64 offset)
{
    if (const int code = Of(file)->owner->failureFor(FaultyFileSystem::Kind::Write))
        return code;
    return Real(file)->pMethods->xWrite(Real(file), buffer, amount, offset);
}

int Truncate(sqlite3_file* file, sqlite3_int64 size)
{
    if (const int code = Of(file)->owner->failureFor(FaultyFileSystem::Kind::Truncate))
        return code;
    return Real(file)->pMethods->xTruncate(Real(file), size);
}

int Sync(sqlite3_file* file, int flags)
{
    if (const int code = Of(file)->owner->failureFor(FaultyFileSystem::Kind::Sync))
        return code;
    return Real(file)->pMethods->xSync(Real(file), flags);
}

int FileSize(sqlite3_file* file, sqlite3_int64* size)
{
    return Real(file)->pMethods->xFileSize(Real(file), size);
}

int Lock(sqlite3_file* file, int level)
{
    return Real(file)->pMethods->xLock(Real(file), level);
}

int Unlock(sqlite3_file* file, int level)
{
    return Real(file)->pMethods->xUnlock(Real(file), level);
}

int CheckReservedLock(sqlite3_file* file, int* reserved)
{
    return Real(file)->pMethods->xCheckReservedLock(Real(file), reserved);
}

int FileControl(sqlite3_file* file, int op, void* arg)
{
    return Real(file)->pMethods->xFileControl(Real(file), op, arg);
}

int SectorSize(sqlite3_file* file)
{
    return Real(file)->pMethods->xSectorSize(Real(file));
}

int DeviceCharacteristics(sqlite3_file* file)
{
    return Real(file)->pMethods->xDeviceCharacteristics(Real(file));
}

int ShmMap(sqlite3_file* file, int region, int size, int extend, void volatile** map)
{
    return Real(file)->pMethods->xShmMap(Real(file), region, size, extend, map);
}

int ShmLock(sqlite3_file* file, int offset, int n, int flags)
{
    return Real(file)->pMethods->xShmLock(Real(file), offset, n, flags);
}

void ShmBarrier(sqlite3_file* file)
{
    Real(file)->pMethods->xShmBarrier(Real(file));
}

int ShmUnmap(sqlite3_file* file, int deleteFlag)
{
    return Real(file)->pMethods->xShmUnmap(Real(file), deleteFlag);
}

// No page is ever handed out as mapped memory: every read goes through Read.
int Fetch(sqlite3_file*, sqlite3_int64, int, void** pointer)
{
    *pointer = nullptr;
    return SQLITE_OK;
}

int Unfetch(sqlite3_file* file, sqlite3_int64 offset, void* pointer)
{
    return Real(file)->pMethods->xUnfetch(Real(file), offset, pointer);
}

const sqlite3_io_methods kMethods = {3,
                                     Close,
                                     Read,
                                     Write,
                                     Truncate,
                                     Sync,
                                     FileSize,
                                     Lock,
                                     Unlock,
                                     CheckReservedLock,
                                     FileControl,
                                     SectorSize,
                                     DeviceCharacteristics,
                                     ShmMap,
                                     ShmLock,
                                     ShmBarrier,
                                     ShmUnmap,
                                     Fetch,
                                     Unfetch};

int Open(sqlite3_vfs* vfs, const char* name, sqlite3_file* file, int flags, int* outFlags)
{
    FaultyFile* faulty = Of(file);
    faulty->owner = static_cast<FaultyFileSystem*>(vfs->pAppData);
    faulty->real()->pMethods = nullptr;
    const int status = Unix()->xOpen(Unix(), name, faulty->real(), flags, outFlags);
    // SQLite closes the file only when the methods are set, failed open or not.
    faulty->base.pMethods = faulty->real()->pMethods != nullptr ? &kMethods : nullptr;
    return status;
}

int Delete(sqlite3_vfs*, const char* name, int syncDirectory)
{
    return Unix()->xDelete(Unix(), name, syncDirectory);
}

int Access(sqlite3_vfs*, const char* name, int flags, int* result)
{
    return Unix()->xAccess(Unix(), name, flags, result);
}

int FullPathname(sqlite3_vfs*, const char* name, int size, char* out)
{
    return Unix()->xFullPathname(Unix(), name, size, out);
}

} // namespace

FaultyFileSystem::FaultyFileSystem()
{
    sqlite3_vfs* unix = Unix();
    if (unix == nullptr)
        return;
    m_vfs = std::make_unique<sqlite3_vfs>(*unix);
    m_vfs->pNext = nullptr;
    m_vfs->zName = kName;
    m_vfs->pAppData = this;
    m_vfs->szOsFile = static_cast<int>(sizeof(FaultyFile)) + unix->szOsFile;
    m_vfs->xOpen = Open;
    m_vfs->xDelete = Delete;
    m_vfs->xAccess = Access;
    m_vfs->xFullPathname = FullPathname;
    m_registered = sqlite3_vfs_register(m_vfs.get(), 1) == SQLITE_OK;
}

FaultyFileSystem::~FaultyFileSystem()
{
    if (!m_registered)
        return;
    sqlite3_vfs_unregister(m_vfs.get());
    sqlite3_vfs_register(Unix(), 1);
}

void FaultyFileSystem::arm(Kind kind, int nth, int code, bool persistent)
{
    reset();
    m_armed = true;
    m_kind = kind;
    m_nth = nth;
    m_code = code;
    m_persistent = persistent;
    m_injected = 0;
}

void FaultyFileSystem::disarm()
{
    m_armed = false;
}

void FaultyFileSystem::reset()
{
    m_calls.fill(0);
}

int FaultyFileSystem::failureFor(Kind kind)
{
    const int call = ++m_calls[static_cast<std::size_t>(kind)];
    if (!m_armed || kind != m_kind || call < m_nth || (call > m_nth && !m_persistent))
        return 0;
    ++m_injected;
    return m_code;
}
