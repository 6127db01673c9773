#include "ScriptedFileChooser.h"

QString ScriptedFileChooser::openFile(const QString& title, const QString& directory, const QString& filter,
                                      const QString& defaultSuffix)
{
    return next({Kind::Open, title, directory, filter, defaultSuffix});
}

QString ScriptedFileChooser::saveFile(const QString& title, const QString& proposedPath,
                                      const QString& filter, const QString& defaultSuffix)
{
    return next({Kind::Save, title, proposedPath, filter, defaultSuffix});
}

QString ScriptedFileChooser::chooseFolder(const QString& title, const QString& directory)
{
    return next({Kind::Folder, title, directory, QString(), QString()});
}

QString ScriptedFileChooser::next(Request request)
{
    m_requests.append(std::move(request));
    return m_answers.isEmpty() ? QString() : m_answers.takeFirst();
}
