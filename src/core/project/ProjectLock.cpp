#include "core/project/ProjectLock.h"

#include <QCoreApplication>
#include <QDir>
#include <QLockFile>
#include <QSysInfo>

ProjectLock::ProjectLock(const QString& databasePath)
    : m_databasePath(databasePath), m_file(std::make_unique<QLockFile>(lockPath(databasePath)))
{
    // A project stays open for hours: only a holder that is gone makes the
    // lock stale, never its age.
    m_file->setStaleLockTime(0);
    if (m_file->tryLock(0)) {
        m_state = State::Held;
        return;
    }
    if (m_file->error() != QLockFile::LockFailedError) {
        m_state = State::Unavailable;
        return;
    }
    m_state = State::InUse;
    QString application;
    if (!m_file->getLockInfo(&m_holderPid, &m_holderHost, &application))
        m_holderPid = 0;
}

ProjectLock::~ProjectLock() = default; // the lock file goes with the lock

QString ProjectLock::lockPath(const QString& databasePath)
{
    return databasePath + QStringLiteral(".lock");
}

QString ProjectLock::refusal() const
{
    const QString project = QDir::toNativeSeparators(m_databasePath);
    switch (m_state) {
    case State::Held:
        return QString();
    case State::Unavailable:
        return QStringLiteral("The project \"%1\" could not be reserved for this window: its folder "
                              "takes no new files (a read-only disk or folder, or a full disk).  It "
                              "opens, but changes to it may not be saved.")
            .arg(project);
    case State::InUse:
        break;
    }
    if (m_holderPid == QCoreApplication::applicationPid())
        return QStringLiteral("The project \"%1\" is in use: it is already open in this window.")
            .arg(project);
    QString holder = QStringLiteral("another Quillmark window");
    if (m_holderPid > 0) {
        holder += QStringLiteral(" (process %1").arg(m_holderPid);
        if (!m_holderHost.isEmpty() && m_holderHost != QSysInfo::machineHostName())
            holder += QStringLiteral(" on %1").arg(m_holderHost);
        holder += QLatin1Char(')');
    }
    return QStringLiteral("The project \"%1\" is in use: %2 has it open.  Close it there before opening "
                          "it here.")
        .arg(project, holder);
}
