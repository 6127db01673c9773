// The report definition file (.irp): any bytes give the complete records before
// the first fault and say how the reading ended; the records read write back
// to bytes that read again to the same records, cleanly.
#include "FuzzSupport.h"

#include "core/common/Archive.h"
#include "core/reports/ReportFile.h"

#include <QBuffer>

#include <cstdlib>

QM_FUZZ_INITIALIZE

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const ReportFile::Contents contents = ReportFile::parse(fuzz::bytes(data, size));
    if (contents.records.size() != contents.starts.size() || contents.end > static_cast<qint64>(size))
        std::abort();
    if (contents.readEnd == ReportFile::ReadEnd::Clean && contents.end != static_cast<qint64>(size))
        std::abort();

    QByteArray written;
    QBuffer out(&written);
    out.open(QIODevice::WriteOnly);
    ArchiveWriter archive(out);
    for (const CReportDefinition& record : contents.records)
        record.Write(archive);
    if (archive.hasError())
        std::abort();
    out.close();
    const ReportFile::Contents again = ReportFile::parse(written);
    if (again.readEnd != ReportFile::ReadEnd::Clean || again.records.size() != contents.records.size())
        std::abort();
    for (qsizetype i = 0; i < again.records.size(); ++i) {
        if (!(again.records.at(i) == contents.records.at(i)))
            std::abort();
    }
    return 0;
}
