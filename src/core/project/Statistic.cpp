#include "core/project/Statistic.h"

#include "core/common/Archive.h"

namespace {

// Written with every record; readers accept any value.
constexpr double kRecordVersion = 3.51;

} // namespace

void CStatistic::Write(ArchiveWriter& archive) const
{
    archive.writeDouble(kRecordVersion);
    archive.writeText(Name);
    archive.writeText(LeftOperand);
    archive.writeText(RightOperand);
    archive.writeInt32(LeftType);
    archive.writeInt32(RightType);
    archive.writeInt32(Intermediate);
    archive.writeInt32(Listing);
    archive.writeByte(Operator);
    archive.writeDate(StartDate);
    archive.writeDate(ThruDate);
    archive.writeInt32(ApplyDates);
}

bool CStatistic::Read(ArchiveReader& archive)
{
    CStatistic read;
    archive.readDouble();
    read.Name = archive.readText();
    read.LeftOperand = archive.readText();
    read.RightOperand = archive.readText();
    read.LeftType = archive.readInt32();
    read.RightType = archive.readInt32();
    read.Intermediate = archive.readInt32();
    read.Listing = archive.readInt32();
    read.Operator = archive.readByte();
    read.StartDate = archive.readDate();
    read.ThruDate = archive.readDate();
    read.ApplyDates = archive.readInt32();
    if (archive.hasError())
        return false;
    *this = std::move(read);
    return true;
}

QString CStatistic::OperatorText(int code)
{
    static const char* const kTexts[OperatorCount] = {"+", "-",  "*",  "/",     "^",     "=",     "<",
                                                      ">", "<=", ">=", "(SUM)", "(AVG)", "(ABS)", "(SQR)"};
    if (code < 0 || code >= OperatorCount)
        return QString();
    return QString::fromLatin1(kTexts[code]);
}
