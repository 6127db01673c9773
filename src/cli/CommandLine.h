#pragma once

#include <QStringList>

class QTextStream;

// The exit codes of quillmark-cli.
namespace CliExit {
inline constexpr int Ok = 0;
// check: the project is not consistent.
inline constexpr int Inconsistent = 1;
// The command line was not understood.
inline constexpr int Usage = 2;
// The project or a file could not be read or written, or is in use.
inline constexpr int Failed = 3;
} // namespace CliExit

// Runs one command of quillmark-cli (`arguments` without the program's name):
// results go to `out`, messages to `err`. Never asks anything.
int RunCommandLine(const QStringList& arguments, QTextStream& out, QTextStream& err);
