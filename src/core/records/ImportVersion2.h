#pragma once

#include <QString>

class ImportWriter;
class ProjectTables;

// Imports the vendor, item and customer files of version 2.0 into the open
// project, each file in one transaction: a file that cannot be read, or a write
// that fails, leaves the project as it was, so the import can simply be run
// again. A record whose numbers or names cannot be sound is left out and
// tallied by the writer; the rest of the file is imported.
class ImportVersion2
{
public:
    static constexpr int kVendorRecordLength = 375;
    static constexpr int kItemRecordLength = 272;
    static constexpr int kCustomerRecordLength = 135;

    ImportVersion2(ProjectTables& tables, ImportWriter& writer);

    // A vendor whose name the project knows already is overwritten with the
    // record; any other is added.
    bool importVendors(const QString& path);
    // Every record becomes a new item with an initial lot of its stock; vendors
    // named by the record are found by name or added with only their name.
    bool importItems(const QString& path);
    // Every record becomes a new customer.
    bool importCustomers(const QString& path);

private:
    ProjectTables& m_tables;
    ImportWriter& m_writer;
};
