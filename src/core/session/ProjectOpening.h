#pragma once

#include <QString>

#include <memory>

class CProjectSettings;
class Project;
class Prompter;

// Creating and opening a project: every step from the files on disk to a
// project the application can work on. This folder sits above every other
// engine folder, because an opened project's invoices are brought up to date
// with its sales.

// Reads the settings file beside the database at `path`, opens the database
// and, for a project of the previous version, offers its conversion; then
// re-synchronises the invoice balances. 1: the project replaced the open one.
// Otherwise the failure's status, with the open project unchanged and the
// user told why: a settings failure (16 for a missing settings file), a
// database file that is not there (3), a project open in another window or a
// database another program holds locked or the disk fails to read (7), a
// database engine that is not available; a database that is not a project
// database (4, 8, 17) goes
// without a message, so the caller asks for another project. The project
// holds its lock (see ProjectLock) until it is closed or replaced.
// With `backupsToKeep` above 0 (the application passes BackupsToKeep, see
// core/project/Backup.h) a backup of the project's files is taken once it has
// opened and before anything is written to it, keeping that many; a backup
// that fails is a warning, never a failed open.
int OpenProjectFromPath(Project& project, const QString& path, Prompter& prompter, int backupsToKeep = 0);

// Creates the database of the new project that `settings` describes (its
// settings file written, as the New Inventory Project dialog leaves it) and
// opens the project, which then replaces the open one: 1. Refuses a project
// whose database exists already; the new project holds its lock like an
// opened one. On any failure the user is told why, the open project stays as
// it was, and no file of the new project is left that would stand in the way
// of trying again: the database is removed, and so is the settings file
// unless it holds statistics.
int CreateProject(Project& project, std::unique_ptr<CProjectSettings> settings, Prompter& prompter);

// What the user is told when a project's database file is not where it was.
QString ProjectNotFoundMessage(const QString& path);

// What the user is told when a new project's database cannot be made.
QString DatabaseNotCreatedMessage(const QString& path);
