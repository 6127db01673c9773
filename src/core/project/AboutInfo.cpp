#include "core/project/AboutInfo.h"

#include <QFile>
#include <QStorageInfo>

QString AboutInfo::unavailable()
{
    return QStringLiteral("Unavailable");
}

QString AboutInfo::totalMemory(const QString& meminfoPath)
{
    QFile file(meminfoPath);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return unavailable();
    // Files under /proc report no size, so they are read whole rather than
    // line by line up to their end. "MemTotal:       16315412 kB"
    const QList<QByteArray> lines = file.readAll().split('\n');
    for (const QByteArray& raw : lines) {
        const QByteArray line = raw.simplified();
        if (!line.startsWith("MemTotal:"))
            continue;
        const QList<QByteArray> parts = line.split(' ');
        bool ok = false;
        const qulonglong kilobytes = parts.size() >= 2 ? parts.at(1).toULongLong(&ok) : 0;
        if (!ok || (parts.size() >= 3 && parts.at(2).toLower() != "kb"))
            return unavailable();
        return QStringLiteral("%1 KB").arg(kilobytes);
    }
    return unavailable();
}

QString AboutInfo::freeSpace(const QString& path)
{
    const QStorageInfo storage(path);
    if (!storage.isValid() || !storage.isReady() || storage.bytesAvailable() < 0)
        return unavailable();
    return QStringLiteral("%1 KB Free on %2")
        .arg(static_cast<qulonglong>(storage.bytesAvailable()) / 1024)
        .arg(storage.rootPath());
}
