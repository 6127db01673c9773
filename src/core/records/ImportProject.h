#pragma once

#include <QString>

class ImportWriter;
class ProjectTables;
class Prompter;

// Imports the vendors, items or customers of another project database into the
// open project. The source is opened on a connection of its own and only read;
// its records are read in full and the source closed before anything is written,
// so the source may even be the open project itself. The writes of one import
// run in one transaction.
class ImportProject
{
public:
    ImportProject(ProjectTables& tables, ImportWriter& writer, Prompter& prompter);

    // Adds each source vendor whose name the project does not know yet.
    bool importVendors(const QString& path);
    // The vendors first, then every source item whose primary vendor the project
    // knows by name, with an initial lot of the item's stock.
    bool importItems(const QString& path);
    // Adds every source customer.
    bool importCustomers(const QString& path);

    // How many source items the last items import left out for want of their
    // primary vendor.
    qint64 skippedItems() const { return m_skippedItems; }

private:
    void tell(const char* message);

    ProjectTables& m_tables;
    ImportWriter& m_writer;
    Prompter& m_prompter;
    qint64 m_skippedItems = 0;
};
