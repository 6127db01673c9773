#include "StatusCodes.h"

#include "Prompter.h"

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
    default:
        return QStringLiteral("An unknown error has occurred with the current operation.");
    }
}

void ReportErrorCode(Prompter& prompter, int code)
{
    prompter.message(StatusMessage(code), AppTitle(), Prompter::Icon::Exclamation);
}
