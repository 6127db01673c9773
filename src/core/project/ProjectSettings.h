#pragma once

#include "core/common/Clock.h"
#include "core/project/Statistic.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>

class QIODevice;

// The order in which sales consume stock lots.
enum InventoryStyle : qint32
{
    FIFO = 0, // oldest lot first
    LIFO = 1, // newest lot first
};

// The open project's identity, inventory style and statistics, kept in the
// settings file (name.qms) beside the project database. Every change is
// written to that file at once.
class CProjectSettings
{
public:
    static constexpr int MaxStatistics = 500;

    // A new project in directory: writes a fresh settings file; status() is
    // the result of that write.
    CProjectSettings(const QString& directory, const QString& name, const Clock& clock = Clock::system());
    // An existing project, from the path of its database: reads the settings
    // file beside it; status() is the result of that read, or
    // Status::InvalidFileName when the path names no project database. The
    // name is the file name without its final ".qmp".
    explicit CProjectSettings(const QString& databasePath);

    int status() const { return m_status; }

    QString name() const { return m_name; }
    QString directory() const { return m_directory; }
    QString databasePath() const { return m_databasePath; }
    QString settingsPath() const { return m_settingsPath; }
    QString reportPath() const { return m_reportPath; }
    quint32 created() const { return m_created; }
    int inventoryStyle() const { return m_inventoryStyle; }
    QString protectionText() const { return m_protectionText; }
    qint32 protectionFlag() const { return m_protectionFlag; }
    const QList<CStatistic>& statistics() const { return m_statistics; }
    int statisticCount() const { return static_cast<int>(m_statistics.size()); }

    // Stores the style and saves; returns the save status. A failed save
    // keeps the previous style so memory never differs from the file.
    int SetInventoryStyle(int style);

    // Status::Success, InvalidFileName when the file cannot be created,
    // FileNotAccessible when writing fails, NameTooLong or ReadOnly when the
    // file system says why. The previous file survives a failed save untouched.
    int Save();
    // Status::Success, SettingsFileMissing when the file cannot be opened,
    // FileCorrupt when it is truncated or malformed; on failure the project's
    // settings return to those of a new project.
    int Load();

    // Each change below saves the file once, so the file holds either all of
    // it or none. When the save fails the change is undone and the call fails;
    // lastSaveStatus() tells why.
    bool AddStatistic(const CStatistic& statistic);
    // Appends the statistics in their order, all or none: none when a name is
    // in use or given twice, or the list would grow past MaxStatistics.
    bool AddStatistics(const QList<CStatistic>& statistics);
    // Renames every statistic operand that referred to the old name.
    bool ModifyStatistic(int index, const CStatistic& statistic);
    int FindStatistic(const QString& name) const;
    // Matches the name ignoring case.
    bool DeleteStatistic(const QString& name);
    // Deletes every statistic whose name is one of `names` in that very letter
    // case; names no statistic has are passed over.
    bool DeleteStatisticsExactly(const QStringList& names);

    int lastSaveStatus() const { return m_lastSaveStatus; }

    // The file's contents on any device: Status::Success or FileNotAccessible.
    int writeTo(QIODevice& device) const;
    // Status::Success or FileCorrupt; a failed read resets to the defaults.
    int readFrom(QIODevice& device);

private:
    void formPaths(const QString& directory, const QString& name);
    void resetToDefaults();
    // Saves, or restores the statistics and style when the save fails.
    bool saveOrUndo(const QList<CStatistic>& previousStatistics, int previousStyle);

    QString m_settingsPath;
    QList<CStatistic> m_statistics;
    QString m_name;
    QString m_directory;
    QString m_databasePath;
    QString m_reportPath;
    int m_inventoryStyle = FIFO;
    quint32 m_created = 0;
    QString m_protectionText;
    qint32 m_protectionFlag = 0;

    // What a new project would hold in "created", for resetting after a
    // failed read.
    quint32 m_defaultCreated = 0;
    int m_status = 0;
    int m_lastSaveStatus = 0;
};
