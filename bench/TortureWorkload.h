#pragma once

#include "core/common/Prompter.h"

#include <QMap>
#include <QString>
#include <QtGlobal>

#include <functional>
#include <memory>

class Project;

// Answers every question Yes, except while a caller has asked for No, and
// keeps the messages shown.
class TorturePrompter final : public Prompter
{
public:
    void message(const QString& text, const QString& title, Icon icon) override;
    bool askYesNo(const QString& text, const QString& title, Icon icon) override;

    void setAnswer(bool yes) { m_answer = yes; }
    int messageCount() const { return m_messages; }
    QString lastMessage() const { return m_lastMessage; }

private:
    bool m_answer = true;
    int m_messages = 0;
    QString m_lastMessage;
};

// The work of a torture run: an endless sequence of the application's own
// operations on an open project, each through the model or function its dialog
// uses, chosen by a generator seeded with `seed` from what the project holds at
// that moment. "Today" is a fixed day, so the same seed on the same project
// makes the same records and the same files, whichever process runs it.
class TortureWorkload
{
public:
    TortureWorkload(Project& project, quint32 seed);
    ~TortureWorkload();
    TortureWorkload(const TortureWorkload&) = delete;
    TortureWorkload& operator=(const TortureWorkload&) = delete;

    // Runs operations until `acknowledge` answers false. Every operation the
    // user confirms is acknowledged with its number (1, 2, ...) once it is
    // over; automated ordering and receiving, whose every step the user
    // confirms, count each step. False when the project could not go on (a
    // compaction that could not reopen it), with failure() saying why.
    bool run(const std::function<bool(qint64 number)>& acknowledge);
    QString failure() const;
    // The kind of the operation running now, or last run.
    QString kind() const;

    // For each kind of operation: how many ran and how many saved.
    struct Tally
    {
        int ran = 0;
        int saved = 0;
    };
    const QMap<QString, Tally>& tallies() const;

private:
    class Runner;
    std::unique_ptr<Runner> m_runner;
};
