#pragma once

#include <QString>

class Prompter;

// Converts a project of the previous version (no purchase orders, invoices or
// receivables) whose database is `path`, after asking the user. Vendors, items,
// customers and stock are kept; order lines, receipts and sales are removed.
// The converted database is prepared as a copy in the working directory, the
// project's files are backed up beside it, and only then does the converted
// copy replace the project database, in one step. 1 when converted; 0 when
// the user declined or the conversion failed, with the project's own files as
// they were.
int ConvertPreviousVersion(const QString& path, Prompter& prompter);
