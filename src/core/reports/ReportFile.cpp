#include "reports/ReportFile.h"

#include "common/Archive.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

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
        unreadable.readEnd = ReadEnd::Damaged;
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
        // A record without a name is where a short read left off: the end.
        if (!record.Read(archive) || record.name.isEmpty()) {
            contents.readEnd = ReadEnd::Damaged;
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

ReportFile::SaveStatus ReportFile::saveAsNew(CReportDefinition& definition, const QString& name)
{
    return replace(QString(), definition, name);
}

ReportFile::SaveStatus ReportFile::replace(const QString& oldName, CReportDefinition& definition,
                                           const QString& name)
{
    const Contents contents = read();
    // A file that is there but cannot be read must not be replaced by one
    // holding just the new record.
    if (!contents.opened && QFileInfo::exists(m_path))
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
    if (!rewrite(contents, keep, &named))
        return SaveStatus::Failed;
    definition.name = name;
    return SaveStatus::Saved;
}

bool ReportFile::remove(const QString& name)
{
    const Contents contents = read();
    if (!contents.opened)
        return false;
    QList<int> keep;
    for (int i = 0; i < contents.records.size(); ++i) {
        if (contents.records.at(i).name != name)
            keep.append(i);
    }
    if (keep.size() == contents.records.size())
        return true;
    return rewrite(contents, keep, nullptr);
}

bool ReportFile::rewrite(const Contents& contents, const QList<int>& keep,
                         const CReportDefinition* appended) const
{
    const QString temporary = temporaryPath(m_path);
    if (m_path.isEmpty() || temporary == m_path)
        return false;
    {
        QSaveFile file(temporary);
        if (!file.open(QIODevice::WriteOnly))
            return false;
        for (int index : keep) {
            const qint64 start = contents.starts.at(index);
            const qint64 end =
                index + 1 < contents.starts.size() ? contents.starts.at(index + 1) : contents.end;
            const qint64 size = end - start;
            if (file.write(contents.bytes.constData() + start, size) != size) {
                file.cancelWriting();
                return false;
            }
        }
        if (appended) {
            ArchiveWriter archive(file);
            appended->Write(archive);
            if (archive.hasError()) {
                file.cancelWriting();
                return false;
            }
        }
        if (!file.commit()) {
            QFile::remove(temporary);
            return false;
        }
    }
    // The complete new file takes the old one's place in one step; until then
    // the old file is untouched.
    std::error_code error;
    std::filesystem::rename(nativePath(temporary), nativePath(m_path), error);
    if (error) {
        QFile::remove(temporary);
        return false;
    }
    return true;
}
