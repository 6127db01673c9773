#pragma once

#include <QString>

#include <memory>

class QLockFile;

// Keeps a project to one window at a time: a lock file beside the project's
// database ("name.qmp.lock"), held for as long as the project is open. The
// lock names the process that holds it, so one left behind by a process that
// is gone (a crash, a power cut) is taken over instead of keeping the project
// closed for good.
class ProjectLock
{
public:
    enum class State
    {
        Held,       // this object holds the lock
        InUse,      // another window, in this process or another, holds it
        Unavailable // the lock file cannot be made: a read-only folder or disk
    };

    // Tries to take the lock of the project whose database is at `databasePath`.
    explicit ProjectLock(const QString& databasePath);
    ~ProjectLock();
    ProjectLock(const ProjectLock&) = delete;
    ProjectLock& operator=(const ProjectLock&) = delete;

    State state() const { return m_state; }
    QString databasePath() const { return m_databasePath; }
    // What the user is told when the lock is not held; empty while it is.
    QString refusal() const;

    // The lock file of the project whose database is at `databasePath`.
    static QString lockPath(const QString& databasePath);

private:
    QString m_databasePath;
    std::unique_ptr<QLockFile> m_file;
    State m_state = State::Unavailable;
    // Who holds the lock when it is in use: 0 when the lock file does not say.
    qint64 m_holderPid = 0;
    QString m_holderHost;
};
