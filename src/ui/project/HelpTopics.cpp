#include "ui/project/HelpTopics.h"

#include "core/common/Prompter.h"
#include "core/common/StatusCodes.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace {

// Beside the program while developing, under share/ once installed.
QStringList helpDirectories()
{
    const QString program = QCoreApplication::applicationDirPath();
    return {program + QStringLiteral("/help"), program + QStringLiteral("/../share/quillmark/help")};
}

} // namespace

QString FindHelpPage(int context, const QString& helpDirectory)
{
    QStringList pages;
    if (context > 0)
        pages.append(QStringLiteral("%1.html").arg(context));
    pages.append(QStringLiteral("index.html"));
    const QStringList directories = helpDirectory.isEmpty() ? helpDirectories() : QStringList{helpDirectory};
    for (const QString& directory : directories) {
        for (const QString& page : pages) {
            const QFileInfo file(QDir(directory).filePath(page));
            if (file.isFile())
                return file.canonicalFilePath();
        }
    }
    return QString();
}

void ShowHelpTopic(Prompter& prompter, int context)
{
    const QString page = FindHelpPage(context);
    if (!page.isEmpty() && QDesktopServices::openUrl(QUrl::fromLocalFile(page)))
        return;
    prompter.message(QStringLiteral("The help for Quillmark 3.5 is not installed on this computer."),
                     AppTitle(), Prompter::Icon::Information);
}
