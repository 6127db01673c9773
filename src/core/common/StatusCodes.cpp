#include "StatusCodes.h"

#include "Prompter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/statvfs.h>
#include <unistd.h>

QString StatusMessage(int code)
{
    switch (code) {
    case Status::OperationFailed:
        return QStringLiteral("The current operation was unable to be completed.");
    case Status::FileNotFound:
        return QStringLiteral("The file specified was unable to be located");
    case Status::FileCorrupt:
        return QStringLiteral("The specified file is corrupt or missing!");
    case Status::InvalidFileName:
        return QStringLiteral("The file name specified is invalid.");
    case Status::NewFileGenerated:
        return QStringLiteral("The specified file could not be located and a new file has been generated.");
    case Status::FileNotAccessible:
        return QStringLiteral(
            "The specified file could not be accessed.  Be sure disk is not write protected or "
            "file is not in use by another application.");
    case Status::InvalidDate:
        return QStringLiteral(
            "The date specified cannot be recognized in its current format.  Please check the "
            "date and re-enter it if necessary.");
    case Status::InvalidQuantity:
        return QStringLiteral(
            "The quanity specified is invalid.  This quanity must be a positive integer greater "
            "than 0.  Please check the value and re-enter it if necessary.");
    case Status::RecordNotFound:
        return QStringLiteral("Quillmark was unable to locate the record for this operation.");
    case Status::InvalidName:
        return QStringLiteral(
            "The name specified is not valid.  This is a required field for this operation. "
            "Please check the value and re-enter it if necessary.");
    case Status::NoMatchingEntry:
        return QStringLiteral("Unable to find a matching entry.");
    case Status::InvalidSearchString:
        return QStringLiteral("Invalid search string.");
    case Status::SettingsFileMissing:
        return QStringLiteral("The settings file for this project (.qms) was unable to be located.");
    case Status::NameTooLong:
        return QStringLiteral(
            "The file name is too long for the disk it is to be stored on.  Please choose a shorter name.");
    case Status::ReadOnly:
        return QStringLiteral(
            "The file could not be written because the disk, the folder or the file itself is read-only.  "
            "Be sure the disk is not write protected and that you may change files in this folder.");
    default:
        return QStringLiteral("An unknown error has occurred with the current operation.");
    }
}

void ReportErrorCode(Prompter& prompter, int code)
{
    warn(prompter, StatusMessage(code));
}

void warn(Prompter& prompter, const QString& text, const QString& title)
{
    prompter.message(text, title, Prompter::Icon::Exclamation);
}

int WriteFailureStatus(const QString& path, int fallback)
{
    const QFileInfo file(path);
    const QByteArray folder = QFile::encodeName(file.absolutePath());
    const QByteArray name = QFile::encodeName(file.fileName());
    // File systems count a name's limit in bytes, so a name in a script of
    // three bytes a character reaches it long before any character limit.
    long nameMax = ::pathconf(folder.constData(), _PC_NAME_MAX);
    if (nameMax <= 0)
        nameMax = 255;
    if (name.size() > nameMax)
        return Status::NameTooLong;
    struct statvfs medium = {};
    if (::statvfs(folder.constData(), &medium) == 0 && (medium.f_flag & ST_RDONLY) != 0)
        return Status::ReadOnly;
    // A new file needs a folder that takes new names; the old file is
    // replaced only when it may be written itself.
    if (file.dir().exists() && ::access(folder.constData(), W_OK | X_OK) != 0)
        return Status::ReadOnly;
    if (file.exists() && ::access(QFile::encodeName(file.absoluteFilePath()).constData(), W_OK) != 0)
        return Status::ReadOnly;
    return fallback;
}
