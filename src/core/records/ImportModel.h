#pragma once

#include "core/common/DialogModel.h"
#include "core/common/RecordIds.h"

#include <QString>

class Clock;
class ProjectTables;
class Prompter;

// The File menu's Import commands: what each asks the file chooser for, and the
// import itself with its messages. The window asks for the file, hands the source
// and the file to the setters, shows the wait cursor, calls save() and refreshes
// the list of the imported kind when it is the one showing.
class ImportModel : public DialogModel
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

    enum class Field
    {
        None,
        Path
    };
    using Result = SaveResult<Field>;

    ImportModel(ProjectTables& tables, Prompter& prompter, const Clock& clock,
                Source source = Source::Version2Vendors);

    static Command command(Source source);
    // The command's menu text.
    QString caption() const override { return command(m_source).caption; }

    Source source() const { return m_source; }
    void setSource(Source source) { m_source = source; }
    QString path() const { return m_path; }
    void setPath(const QString& path) { m_path = path; }

    // Imports the file. Refused, after telling the user, when nothing was imported
    // because the file or the project could not be read or written. changes()
    // gathers the records every successful import added or changed, by list kind.
    Result save();

private:
    ProjectTables& m_tables;
    Prompter& m_prompter;
    const Clock& m_clock;
    Source m_source;
    QString m_path;
};
