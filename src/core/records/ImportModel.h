#pragma once

#include "common/ChangeList.h"
#include "common/RecordIds.h"

#include <QString>

class Clock;
class ProjectTables;
class Prompter;

// The File menu's Import commands: what each asks the file chooser for, and the
// import itself with its messages. The window asks for the file, shows the wait
// cursor, calls run() and refreshes the list of the imported kind when it is
// the one showing.
class ImportModel
{
public:
    enum class Source
    {
        Version2Vendors,
        Version2Items,
        Version2Customers,
        ProjectItems,
        ProjectVendors,
        ProjectCustomers,
    };

    struct Command
    {
        QString caption;          // the menu text
        QString defaultFileName;  // what the open-file chooser starts with
        QString defaultExtension; // with its dot
        ListingKind importedKind; // the list to refresh when it is showing
    };

    ImportModel(ProjectTables& tables, Prompter& prompter, const Clock& clock);

    static Command command(Source source);

    // Imports the file; false (after telling the user) when nothing was imported
    // because the file or the project could not be read or written.
    bool run(Source source, const QString& path);

    // The records every successful run added or changed, by list kind.
    const ChangeList& changes() const { return m_changes; }

private:
    void tell(const QString& text);

    ProjectTables& m_tables;
    Prompter& m_prompter;
    const Clock& m_clock;
    ChangeList m_changes;
};
