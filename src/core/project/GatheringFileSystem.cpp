#include "core/project/GatheringFileSystem.h"

#include <sqlite3.h>

#include <atomic>
#include <cstring>

namespace {

// Blocks of this size go to the disk in one write. The default file system
// writes at most 128 KiB a call: a longer block is taken as a full disk.
constexpr qsizetype kBlockBytes = 124 << 10;

struct GatheringFile
{
    sqlite3_file base; // pMethods: the gathering methods below
    sqlite3_file* real;
    QByteArray* pending;
    sqlite3_int64 pendingAt;
};

GatheringFile* Of(sqlite3_file* file)
{
    return reinterpret_cast<GatheringFile*>(file);
}

int Flush(GatheringFile* file)
{
    if (file->pending->isEmpty())
        return SQLITE_OK;
    const int code = file->real->pMethods->xWrite(file->real, file->pending->constData(),
                                                  static_cast<int>(file->pending->size()), file->pendingAt);
    file->pending->clear();
    return code;
}

int Close(sqlite3_file* raw)
{
    GatheringFile* file = Of(raw);
    const int flushed = Flush(file);
    const int closed = file->real->pMethods->xClose(file->real);
    delete file->pending;
    file->pending = nullptr;
    return flushed != SQLITE_OK ? flushed : closed;
}

int Read(sqlite3_file* raw, void* buffer, int amount, sqlite3_int64 offset)
{
    GatheringFile* file = Of(raw);
    if (const int code = Flush(file); code != SQLITE_OK)
        return code;
    return file->real->pMethods->xRead(file->real, buffer, amount, offset);
}

int Write(sqlite3_file* raw, const void* buffer, int amount, sqlite3_int64 offset)
{
    GatheringFile* file = Of(raw);
    if (!file->pending->isEmpty() && offset != file->pendingAt + file->pending->size()) {
        if (const int code = Flush(file); code != SQLITE_OK)
            return code;
    }
    if (file->pending->isEmpty())
        file->pendingAt = offset;
    file->pending->append(static_cast<const char*>(buffer), amount);
    return file->pending->size() >= kBlockBytes ? Flush(file) : SQLITE_OK;
}

int Truncate(sqlite3_file* raw, sqlite3_int64 size)
{
    GatheringFile* file = Of(raw);
    if (const int code = Flush(file); code != SQLITE_OK)
        return code;
    return file->real->pMethods->xTruncate(file->real, size);
}

int Sync(sqlite3_file* raw, int flags)
{
    GatheringFile* file = Of(raw);
    if (const int code = Flush(file); code != SQLITE_OK)
        return code;
    return file->real->pMethods->xSync(file->real, flags);
}

int FileSize(sqlite3_file* raw, sqlite3_int64* size)
{
    GatheringFile* file = Of(raw);
    if (const int code = Flush(file); code != SQLITE_OK)
        return code;
    return file->real->pMethods->xFileSize(file->real, size);
}

int Lock(sqlite3_file* raw, int level)
{
    return Of(raw)->real->pMethods->xLock(Of(raw)->real, level);
}

int Unlock(sqlite3_file* raw, int level)
{
    return Of(raw)->real->pMethods->xUnlock(Of(raw)->real, level);
}

int CheckReservedLock(sqlite3_file* raw, int* out)
{
    return Of(raw)->real->pMethods->xCheckReservedLock(Of(raw)->real, out);
}

// No write here: the engine takes no notice of what a file control or an
// unlock answers, so a write that failed in them would be lost unseen.
int FileControl(sqlite3_file* raw, int op, void* argument)
{
    return Of(raw)->real->pMethods->xFileControl(Of(raw)->real, op, argument);
}

int SectorSize(sqlite3_file* raw)
{
    return Of(raw)->real->pMethods->xSectorSize(Of(raw)->real);
}

int DeviceCharacteristics(sqlite3_file* raw)
{
    return Of(raw)->real->pMethods->xDeviceCharacteristics(Of(raw)->real);
}

// Version 1: no shared memory and no mapping, which a file without a
// write-ahead log and written by one connection does not need.
const sqlite3_io_methods kMethods = {1,
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
                                     nullptr,
                                     nullptr,
                                     nullptr,
                                     nullptr,
                                     nullptr,
                                     nullptr};

int Open(sqlite3_vfs* vfs, sqlite3_filename name, sqlite3_file* raw, int flags, int* outFlags)
{
    auto* under = static_cast<sqlite3_vfs*>(vfs->pAppData);
    GatheringFile* file = Of(raw);
    file->base.pMethods = nullptr;
    file->real = reinterpret_cast<sqlite3_file*>(file + 1);
    const int code = under->xOpen(under, name, file->real, flags, outFlags);
    if (code != SQLITE_OK || file->real->pMethods == nullptr)
        return code;
    file->pending = new QByteArray;
    file->pending->reserve(kBlockBytes);
    file->pendingAt = 0;
    file->base.pMethods = &kMethods;
    return SQLITE_OK;
}

} // namespace

GatheringFileSystem::GatheringFileSystem()
{
    sqlite3_vfs* under = sqlite3_vfs_find(nullptr);
    if (under == nullptr)
        return;
    static std::atomic<int> counter{0};
    m_name = QByteArrayLiteral("qm-gathering-").append(QByteArray::number(++counter));
    m_vfs = std::make_unique<sqlite3_vfs>();
    sqlite3_vfs& vfs = *m_vfs;
    vfs.iVersion = 1;
    vfs.szOsFile = static_cast<int>(sizeof(GatheringFile)) + under->szOsFile;
    vfs.mxPathname = under->mxPathname;
    vfs.zName = m_name.constData();
    vfs.pAppData = under;
    vfs.xOpen = Open;
    vfs.xDelete = [](sqlite3_vfs* self, const char* path, int syncDir) {
        auto* below = static_cast<sqlite3_vfs*>(self->pAppData);
        return below->xDelete(below, path, syncDir);
    };
    vfs.xAccess = [](sqlite3_vfs* self, const char* path, int flags, int* out) {
        auto* below = static_cast<sqlite3_vfs*>(self->pAppData);
        return below->xAccess(below, path, flags, out);
    };
    vfs.xFullPathname = [](sqlite3_vfs* self, const char* path, int size, char* out) {
        auto* below = static_cast<sqlite3_vfs*>(self->pAppData);
        return below->xFullPathname(below, path, size, out);
    };
    vfs.xDlOpen = nullptr;
    vfs.xDlError = nullptr;
    vfs.xDlSym = nullptr;
    vfs.xDlClose = nullptr;
    vfs.xRandomness = [](sqlite3_vfs* self, int size, char* out) {
        auto* below = static_cast<sqlite3_vfs*>(self->pAppData);
        return below->xRandomness(below, size, out);
    };
    vfs.xSleep = [](sqlite3_vfs* self, int microseconds) {
        auto* below = static_cast<sqlite3_vfs*>(self->pAppData);
        return below->xSleep(below, microseconds);
    };
    vfs.xCurrentTime = [](sqlite3_vfs* self, double* now) {
        auto* below = static_cast<sqlite3_vfs*>(self->pAppData);
        return below->xCurrentTime(below, now);
    };
    vfs.xGetLastError = [](sqlite3_vfs* self, int size, char* out) {
        auto* below = static_cast<sqlite3_vfs*>(self->pAppData);
        return below->xGetLastError ? below->xGetLastError(below, size, out) : 0;
    };
    m_registered = sqlite3_vfs_register(m_vfs.get(), 0) == SQLITE_OK;
}

GatheringFileSystem::~GatheringFileSystem()
{
    if (m_registered)
        sqlite3_vfs_unregister(m_vfs.get());
}

const char* GatheringFileSystem::name() const
{
    return m_registered ? m_name.constData() : nullptr;
}
