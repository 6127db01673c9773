#include "core/project/ProjectSettings.h"

#include "core/common/Archive.h"
#include "core/common/StatusCodes.h"

#include <QFile>
#include <QIODevice>

namespace {

constexpr double kFormatVersion = 3.51;

// Carried through every read and write; nothing else uses it.
const QString kDefaultProtectionText = QStringLiteral("veltrane");

const QString kDatabaseExtension = QStringLiteral(".qmp");
const QString kSettingsExtension = QStringLiteral(".qms");
const QString kReportExtension = QStringLiteral(".irp");
constexpr QChar kSeparator = u'/';

quint32 secondsSinceEpoch(const Clock& clock)
{
    return static_cast<quint32>(clock.now().toSecsSinceEpoch());
}

} // namespace

CProjectSettings::CProjectSettings(const QString& directory, const QString& name, const Clock& clock)
    : m_defaultCreated(secondsSinceEpoch(clock))
{
    QString trimmed = directory;
    while (trimmed.endsWith(kSeparator))
        trimmed.chop(1);
    formPaths(trimmed, name);
    m_databasePath = m_directory + kSeparator + m_name + kDatabaseExtension;
    resetToDefaults();
    m_status = Save();
}

CProjectSettings::CProjectSettings(const QString& databasePath)
    : m_defaultCreated(secondsSinceEpoch(Clock::system()))
{
    resetToDefaults();
    // The name is the file name without its final extension; the extension
    // may also appear inside the name ("old.qmp copy.qmp" is "old.qmp copy").
    const qsizetype separator = databasePath.lastIndexOf(kSeparator);
    if (separator < 0 || !databasePath.endsWith(kDatabaseExtension)) {
        m_status = Status::InvalidFileName;
        return;
    }
    const qsizetype extension = databasePath.size() - kDatabaseExtension.size();
    formPaths(databasePath.left(separator), databasePath.mid(separator + 1, extension - separator - 1));
    m_databasePath = databasePath;
    m_status = Load();
}

void CProjectSettings::formPaths(const QString& directory, const QString& name)
{
    m_directory = directory;
    m_name = name;
    const QString stem = m_directory + kSeparator + m_name;
    m_settingsPath = stem + kSettingsExtension;
    m_reportPath = stem + kReportExtension;
}

void CProjectSettings::resetToDefaults()
{
    m_statistics.clear();
    m_inventoryStyle = FIFO;
    m_created = m_defaultCreated;
    m_protectionText = kDefaultProtectionText;
    m_protectionFlag = 0;
}

int CProjectSettings::Save()
{
    m_lastSaveStatus = writeFileSafely(m_settingsPath, [this](QIODevice& device) { return writeTo(device); });
    return m_lastSaveStatus;
}

int CProjectSettings::Load()
{
    QFile file(m_settingsPath);
    if (m_settingsPath.isEmpty() || !file.open(QIODevice::ReadOnly)) {
        resetToDefaults();
        return Status::SettingsFileMissing;
    }
    return readFrom(file);
}

int CProjectSettings::writeTo(QIODevice& device) const
{
    ArchiveWriter archive(device);
    archive.writeDouble(kFormatVersion);
    archive.writeText(m_name);
    archive.writeText(m_directory);
    archive.writeText(m_databasePath);
    archive.writeText(m_settingsPath);
    archive.writeText(m_reportPath);
    archive.writeInt32(m_inventoryStyle);
    archive.writeUInt32(m_created);
    archive.writeText(m_protectionText);
    archive.writeInt32(m_protectionFlag);
    archive.writeInt32(static_cast<qint32>(m_statistics.size()));
    for (const CStatistic& statistic : m_statistics)
        statistic.Write(archive);
    return archive.hasError() ? Status::FileNotAccessible : Status::Success;
}

int CProjectSettings::readFrom(QIODevice& device)
{
    ArchiveReader archive(device);
    // The version and the stored paths are skipped: a project that was copied
    // or renamed goes by where it was opened from.
    archive.readDouble();
    for (int field = 0; field < 5; ++field)
        archive.readText();
    const qint32 style = archive.readInt32();
    const quint32 created = archive.readUInt32();
    const QString protectionText = archive.readText();
    const qint32 protectionFlag = archive.readInt32();
    const qint32 count = archive.readInt32();
    QList<CStatistic> statistics;
    if (!archive.hasError() && count >= 0 && count <= MaxStatistics) {
        statistics.resize(count);
        for (CStatistic& statistic : statistics) {
            if (!statistic.Read(archive))
                break;
        }
    } else {
        archive.setError();
    }
    if (archive.hasError()) {
        resetToDefaults();
        return Status::FileCorrupt;
    }
    m_inventoryStyle = style;
    m_created = created;
    m_protectionText = protectionText;
    m_protectionFlag = protectionFlag;
    m_statistics = std::move(statistics);
    return Status::Success;
}

bool CProjectSettings::saveOrUndo(const QList<CStatistic>& previousStatistics, int previousStyle)
{
    if (Save() == Status::Success)
        return true;
    m_statistics = previousStatistics;
    m_inventoryStyle = previousStyle;
    return false;
}

int CProjectSettings::SetInventoryStyle(int style)
{
    const int previous = m_inventoryStyle;
    m_inventoryStyle = style;
    saveOrUndo(m_statistics, previous);
    return m_lastSaveStatus;
}

bool CProjectSettings::AddStatistic(const CStatistic& statistic)
{
    return AddStatistics({statistic});
}

bool CProjectSettings::AddStatistics(const QList<CStatistic>& statistics)
{
    if (m_statistics.size() + statistics.size() > MaxStatistics)
        return false;
    const QList<CStatistic> previous = m_statistics;
    for (const CStatistic& statistic : statistics) {
        if (FindStatistic(statistic.Name) >= 0) {
            m_statistics = previous;
            return false;
        }
        m_statistics.append(statistic);
    }
    return saveOrUndo(previous, m_inventoryStyle);
}

bool CProjectSettings::ModifyStatistic(int index, const CStatistic& statistic)
{
    if (index < 0 || index >= m_statistics.size())
        return false;
    for (int i = 0; i < m_statistics.size(); ++i) {
        if (i != index && m_statistics.at(i).Name == statistic.Name)
            return false;
    }
    const QList<CStatistic> previous = m_statistics;
    const QString oldName = m_statistics.at(index).Name;
    for (CStatistic& other : m_statistics) {
        if (other.LeftType == CStatistic::OperandStatistic && other.LeftOperand == oldName)
            other.LeftOperand = statistic.Name;
        if (other.RightType == CStatistic::OperandStatistic && other.RightOperand == oldName)
            other.RightOperand = statistic.Name;
    }
    m_statistics[index] = statistic;
    return saveOrUndo(previous, m_inventoryStyle);
}

int CProjectSettings::FindStatistic(const QString& name) const
{
    for (int i = 0; i < m_statistics.size(); ++i) {
        if (m_statistics.at(i).Name == name)
            return i;
    }
    return -1;
}

bool CProjectSettings::DeleteStatistic(const QString& name)
{
    for (int i = 0; i < m_statistics.size(); ++i) {
        if (m_statistics.at(i).Name.compare(name, Qt::CaseInsensitive) == 0) {
            const QList<CStatistic> previous = m_statistics;
            m_statistics.removeAt(i);
            return saveOrUndo(previous, m_inventoryStyle);
        }
    }
    return false;
}

bool CProjectSettings::DeleteStatisticsExactly(const QStringList& names)
{
    const QList<CStatistic> previous = m_statistics;
    if (m_statistics.removeIf(
            [&names](const CStatistic& statistic) { return names.contains(statistic.Name); }) == 0)
        return true;
    return saveOrUndo(previous, m_inventoryStyle);
}
