#pragma once

#include "core/common/FileChooser.h"

#include <QList>
#include <QString>

// A file chooser for tests: records every request and answers from a script
// (an empty path, as a cancelled chooser, once the script runs out).
class ScriptedFileChooser final : public FileChooser
{
public:
    enum class Kind
    {
        Open,
        Save,
        Folder
    };

    struct Request
    {
        Kind kind;
        QString title;
        QString directory; // the proposed path for Save
        QString filter;
        QString defaultSuffix;
    };

    QString openFile(const QString& title, const QString& directory, const QString& filter,
                     const QString& defaultSuffix) override;
    QString saveFile(const QString& title, const QString& proposedPath, const QString& filter,
                     const QString& defaultSuffix) override;
    QString chooseFolder(const QString& title, const QString& directory) override;

    // Queues the paths the next choosers answer.
    void answer(std::initializer_list<QString> paths) { m_answers.append(paths); }

    const QList<Request>& requests() const { return m_requests; }
    int pendingAnswers() const { return static_cast<int>(m_answers.size()); }

private:
    QString next(Request request);

    QList<Request> m_requests;
    QList<QString> m_answers;
};
