#pragma once

#include <QByteArray>
#include <QFile>
#include <QHash>
#include <QString>

#include <sys/inotify.h>
#include <unistd.h>

// What happened to the files of one folder since construction, as the kernel
// reports it: how often a file was written where it lies, and how often a file
// took its name whole (a save through a temporary file, a rename). A change
// that takes several such steps can be cut short between them by a crash.
class FolderEvents
{
public:
    explicit FolderEvents(const QString& folder) : m_fd(inotify_init1(IN_NONBLOCK))
    {
        if (m_fd >= 0)
            inotify_add_watch(m_fd, QFile::encodeName(folder).constData(),
                              IN_MODIFY | IN_MOVED_TO | IN_CREATE);
    }
    ~FolderEvents()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FolderEvents(const FolderEvents&) = delete;
    FolderEvents& operator=(const FolderEvents&) = delete;

    bool isValid() const { return m_fd >= 0; }
    int writes(const QString& name) { return collect().value(name).writes; }
    int replacements(const QString& name) { return collect().value(name).replacements; }

private:
    struct Counts
    {
        int writes = 0;
        int replacements = 0;
    };
    const QHash<QString, Counts>& collect()
    {
        alignas(inotify_event) char buffer[4096];
        ssize_t size = 0;
        while ((size = ::read(m_fd, buffer, sizeof buffer)) > 0) {
            for (ssize_t at = 0; at < size;) {
                const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
                if (event->len > 0) {
                    Counts& counts = m_counts[QFile::decodeName(event->name)];
                    if ((event->mask & IN_MODIFY) != 0)
                        ++counts.writes;
                    else
                        ++counts.replacements;
                }
                at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
            }
        }
        return m_counts;
    }

    int m_fd;
    QHash<QString, Counts> m_counts;
};
