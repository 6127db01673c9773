#include "core/reports/ReportFile.h"

#include "core/common/Archive.h"
#include "core/common/Clock.h"
#include "core/common/Prompter.h"
#include "core/common/StatusCodes.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace {

const QString kReportExtension = QStringLiteral(".irp");
const QString kTemporaryExtension = QStringLiteral(".tmp");

// The path without the extension of its last component.
QString withoutExtension(const QString& path)
{
    const qsizetype slash = path.lastIndexOf(u'/');
    const qsizetype dot = path.lastIndexOf(u'.');
    return dot > slash ? path.left(dot) : path;
}

std::filesystem::path nativePath(const QString& path)
{
    return std::filesystem::path(path.toStdU16String());
}

QString damagedFileQuestion(const QString& file, qsizetype readable, const QString& copy)
{
    const QString before =
        readable == 0   ? QStringLiteral("No report before the damage can be read")
        : readable == 1 ? QStringLiteral("Only the report before the damage can be read")
                        : QStringLiteral("Only the %1 reports before the damage can be read").arg(readable);
    return QStringLiteral("The report file \"%1\" is damaged.  %2; the rest of the file cannot.\n\n"
                          "Click 'Yes' to keep the damaged file as \"%3\" beside the project and save the "
                          "readable reports with this change, or 'No' to cancel and leave the file as it is.")
        .arg(file, before, copy);
}

} // namespace

QString ReportFile::pathForDatabase(const QString& databasePath)
{
    return withoutExtension(databasePath) + kReportExtension;
}

QString ReportFile::temporaryPath(const QString& reportPath)
{
    return withoutExtension(reportPath) + kTemporaryExtension;
}

ReportFile::ReportFile(QString path) : m_path(std::move(path)) {}

ReportFile::Contents ReportFile::read() const
{
    QFile file(m_path);
    if (m_path.isEmpty() || !file.open(QIODevice::ReadOnly))
        return Contents();
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        Contents unreadable;
        unreadable.opened = true;
        unreadable.readEnd = ReadEnd::Unreadable;
        return unreadable;
    }
    Contents contents = parse(bytes);
    contents.opened = true;
    return contents;
}

ReportFile::Contents ReportFile::parse(QByteArray bytes)
{
    Contents contents;
    contents.bytes = std::move(bytes);
    QBuffer buffer(&contents.bytes);
    buffer.open(QIODevice::ReadOnly);
    while (buffer.pos() < contents.bytes.size()) {
        const qint64 start = buffer.pos();
        ArchiveReader archive(buffer);
        CReportDefinition record;
        if (!record.Read(archive)) {
            contents.readEnd = archive.ranOut() ? ReadEnd::CutShort : ReadEnd::Damaged;
            break;
        }
        contents.records.append(std::move(record));
        contents.starts.append(start);
        contents.end = buffer.pos();
    }
    return contents;
}

int ReportFile::count() const
{
    return static_cast<int>(read().records.size());
}

bool ReportFile::getByIndex(int index)
{
    const Contents contents = read();
    if (index < 0 || index >= contents.records.size())
        return false;
    m_readBuffer = contents.records.at(index);
    return true;
}

bool ReportFile::getByName(const QString& name)
{
    const Contents contents = read();
    for (const CReportDefinition& record : contents.records) {
        if (record.name == name) {
            m_readBuffer = record;
            return true;
        }
    }
    return false;
}

bool ReportFile::exists(const QString& name) const
{
    const Contents contents = read();
    return std::any_of(contents.records.cbegin(), contents.records.cend(),
                       [&](const CReportDefinition& record) { return record.name == name; });
}

QStringList ReportFile::names(const QString& table) const
{
    QStringList result;
    for (const CReportDefinition& record : read().records) {
        if (record.table == table)
            result.append(record.name);
    }
    return result;
}

bool ReportFile::isTaken(const Contents& contents, const QString& name, const QString& exceptName) const
{
    if (!exceptName.isEmpty() && name == exceptName)
        return false;
    return std::any_of(contents.records.cbegin(), contents.records.cend(),
                       [&](const CReportDefinition& record) { return record.name == name; });
}

ReportFile::SaveStatus ReportFile::saveAsNew(CReportDefinition& definition, const QString& name,
                                             Prompter& prompter, const Clock& clock)
{
    return replace(QString(), definition, name, prompter, clock);
}

ReportFile::SaveStatus ReportFile::replace(const QString& oldName, CReportDefinition& definition,
                                           const QString& name, Prompter& prompter, const Clock& clock)
{
    const Contents contents = read();
    // A file that is there but cannot be read must not be replaced by one
    // holding just the new record.
    if ((!contents.opened && QFileInfo::exists(m_path)) || contents.readEnd == ReadEnd::Unreadable)
        return SaveStatus::Failed;
    if (isTaken(contents, name, oldName))
        return SaveStatus::NameTaken;
    QList<int> keep;
    for (int i = 0; i < contents.records.size(); ++i) {
        if (oldName.isEmpty() || contents.records.at(i).name != oldName)
            keep.append(i);
    }
    CReportDefinition named = definition;
    named.name = name;
    const SaveStatus status = rewrite(contents, keep, &named, prompter, clock);
    if (status == SaveStatus::Saved)
        definition.name = name;
    return status;
}

ReportFile::SaveStatus ReportFile::remove(const QString& name, Prompter& prompter, const Clock& clock)
{
    const Contents contents = read();
    if (!contents.opened || contents.readEnd == ReadEnd::Unreadable)
        return SaveStatus::Failed;
    QList<int> keep;
    for (int i = 0; i < contents.records.size(); ++i) {
        if (contents.records.at(i).name != name)
            keep.append(i);
    }
    if (keep.size() == contents.records.size())
        return SaveStatus::Saved;
    return rewrite(contents, keep, nullptr, prompter, clock);
}

QString ReportFile::damagedCopyPath(const QDate& date) const
{
    const QString stem = withoutExtension(m_path);
    const QString extension = m_path.mid(stem.size());
    const QString dated = stem + QStringLiteral("-damaged-") + date.toString(QStringLiteral("yyyy-MM-dd"));
    QString candidate = dated + extension;
    for (int n = 2; QFileInfo::exists(candidate); ++n)
        candidate = dated + u'-' + QString::number(n) + extension;
    return candidate;
}

ReportFile::SaveStatus ReportFile::keepDamagedCopy(const Contents& contents, Prompter& prompter,
                                                   const Clock& clock) const
{
    const QString copy = damagedCopyPath(clock.now().date());
    if (!prompter.askYesNo(damagedFileQuestion(QFileInfo(m_path).fileName(), contents.records.size(),
                                               QFileInfo(copy).fileName()),
                           AppTitle(), Prompter::Icon::Question))
        return SaveStatus::Cancelled;
    const int written = writeFileSafely(copy, [&contents](QIODevice& file) {
        return file.write(contents.bytes) == contents.bytes.size() ? Status::Success
                                                                   : Status::FileNotAccessible;
    });
    return written == Status::Success ? SaveStatus::Saved : SaveStatus::Failed;
}

ReportFile::SaveStatus ReportFile::rewrite(const Contents& contents, const QList<int>& keep,
                                           const CReportDefinition* appended, Prompter& prompter,
                                           const Clock& clock) const
{
    const QString temporary = temporaryPath(m_path);
    if (m_path.isEmpty() || temporary == m_path)
        return SaveStatus::Failed;
    if (contents.readEnd == ReadEnd::Damaged) {
        const SaveStatus kept = keepDamagedCopy(contents, prompter, clock);
        if (kept != SaveStatus::Saved)
            return kept;
    }
    const int written = writeFileSafely(temporary, [&](QIODevice& file) {
        for (int index : keep) {
            const qint64 start = contents.starts.at(index);
            const qint64 end =
                index + 1 < contents.starts.size() ? contents.starts.at(index + 1) : contents.end;
            const qint64 size = end - start;
            if (file.write(contents.bytes.constData() + start, size) != size)
                return Status::FileNotAccessible;
        }
        if (appended) {
            ArchiveWriter archive(file);
            appended->Write(archive);
            if (archive.hasError())
                return Status::FileNotAccessible;
        }
        return Status::Success;
    });
    if (written != Status::Success) {
        QFile::remove(temporary);
        return SaveStatus::Failed;
    }
    // The complete new file takes the old one's place in one step; until then
    // the old file is untouched.
    std::error_code error;
    std::filesystem::rename(nativePath(temporary), nativePath(m_path), error);
    if (error) {
        QFile::remove(temporary);
        return SaveStatus::Failed;
    }
    return SaveStatus::Saved;
}
