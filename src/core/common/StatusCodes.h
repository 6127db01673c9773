#pragma once

#include <QString>

class Prompter;

// Status codes returned by project and record operations; 1 is success.
namespace Status {
inline constexpr int Failure = 0;
inline constexpr int Success = 1;
inline constexpr int OperationFailed = 2;
inline constexpr int FileNotFound = 3;
inline constexpr int FileCorrupt = 4;
inline constexpr int InvalidFileName = 5;
inline constexpr int NewFileGenerated = 6;
inline constexpr int FileNotAccessible = 7;
inline constexpr int TableOpenFailed = 8;
inline constexpr int InvalidDate = 10;
inline constexpr int InvalidQuantity = 11;
inline constexpr int RecordNotFound = 12;
inline constexpr int InvalidName = 13;
inline constexpr int NoMatchingEntry = 14;
inline constexpr int InvalidSearchString = 15;
inline constexpr int SettingsFileMissing = 16;
inline constexpr int PreviousVersion = 17;
// Codes of our own for write failures whose cause the file system tells.
inline constexpr int NameTooLong = 18;
inline constexpr int ReadOnly = 19;
} // namespace Status

// The application's title, used on its message boxes.
inline constexpr const char* kAppTitle = "Quillmark 3.5";
// The title of the application's message boxes and windows.
inline QString AppTitle()
{
    return QString::fromLatin1(kAppTitle);
}

// The message shown for a status code.
QString StatusMessage(int code);

// Why the file at `path` could not be written, when the file system can tell:
// NameTooLong when its name is longer than the file system takes, ReadOnly when
// the medium, the folder or the file does not take writes; otherwise `fallback`.
int WriteFailureStatus(const QString& path, int fallback);

// Shows the message of a status code, titled with the application's name, with the
// exclamation icon.
void ReportErrorCode(Prompter& prompter, int code);

// The one way the engine warns the user: a message with the exclamation icon, titled
// with the application's name unless the dialog gives its own title.
void warn(Prompter& prompter, const QString& text, const QString& title = AppTitle());
