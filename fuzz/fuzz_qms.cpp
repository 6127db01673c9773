// The project settings file (.qms): any bytes either read whole or give
// FileCorrupt with the defaults back in place; what reads writes back and
// reads again to the same settings.
#include "FuzzSupport.h"

#include "core/common/StatusCodes.h"
#include "core/project/ProjectSettings.h"

#include <QBuffer>

#include <cstdlib>

QM_FUZZ_INITIALIZE

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // A path that names no project database: the settings stay in memory and
    // nothing touches the disk.
    CProjectSettings settings(QStringLiteral("memory-only"));
    QByteArray input = fuzz::bytes(data, size);
    QBuffer device(&input);
    device.open(QIODevice::ReadOnly);
    const int status = settings.readFrom(device);
    if (status != Status::Success) {
        if (status != Status::FileCorrupt || !settings.statistics().isEmpty())
            std::abort();
        return 0;
    }
    if (settings.statisticCount() > CProjectSettings::MaxStatistics)
        std::abort();

    QByteArray written;
    QBuffer out(&written);
    out.open(QIODevice::WriteOnly);
    if (settings.writeTo(out) != Status::Success)
        std::abort();
    out.close();
    CProjectSettings again(QStringLiteral("memory-only"));
    QBuffer in(&written);
    in.open(QIODevice::ReadOnly);
    if (again.readFrom(in) != Status::Success || again.statisticCount() != settings.statisticCount() ||
        again.inventoryStyle() != settings.inventoryStyle() || again.created() != settings.created() ||
        again.protectionText() != settings.protectionText())
        std::abort();
    return 0;
}
