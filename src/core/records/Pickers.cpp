#include "Pickers.h"

#include "CustomerTexts.h"
#include "core/common/RecordIds.h"
#include "core/db/ProjectDatabase.h"
#include "core/db/TableReads.h"
#include "core/project/ProjectTables.h"

namespace {

// Every record's entry, its visible text from `column`, in ID order; none
// when the read fails. The texts are made as the engine steps through the rows.
QStringList Entries(ProjectTables& tables, const char* table, const char* column, bool numberAsId)
{
    QStringList entries;
    ProjectDatabase& db = tables.database();
    const bool read = numberAsId
                          ? StreamIdAndWholeNumber(db, QLatin1String(table), QLatin1String(column),
                                                   [&entries](qint32 id, qint32 number) {
                                                       entries.append(NumberedPickerEntryText(number, id));
                                                   })
                          : StreamIdAndText(db, QLatin1String(table), QLatin1String(column),
                                            [&entries](qint32 id, QStringView text) {
                                                entries.append(PickerEntryText(text, id));
                                            });
    if (!read)
        entries.clear();
    return entries;
}

} // namespace

QStringList VendorPickerEntries(ProjectTables& tables)
{
    return Entries(tables, "Vendors", "Name", false);
}

QStringList ItemPickerEntries(ProjectTables& tables)
{
    return Entries(tables, "Items", "Name", false);
}

QStringList POPickerEntries(ProjectTables& tables)
{
    return Entries(tables, "PO", "Number", true);
}

QStringList InvoicePickerEntries(ProjectTables& tables)
{
    return Entries(tables, "SI", "Number", true);
}

QStringList CustomerPickerEntries(ProjectTables& tables)
{
    QStringList entries;
    const QList<CCustomersRec> customers = tables.customers().RecordsWhere(QString());
    entries.reserve(customers.size());
    for (const CCustomersRec& customer : customers)
        entries.append(CustomerSelectionEntry(customer));
    return entries;
}

int PickerIndexOf(const QStringList& entries, qint32 id)
{
    // Entries come in ID order, so a binary search finds the ID at once; a list in
    // another order falls through to the scan below.
    qsizetype low = 0;
    qsizetype high = entries.size();
    while (low < high) {
        const qsizetype middle = low + (high - low) / 2;
        const qint32 found = EntryId(entries.at(middle));
        if (found == id)
            return static_cast<int>(middle);
        if (found < id)
            low = middle + 1;
        else
            high = middle;
    }
    for (int i = 0; i < entries.size(); ++i) {
        if (EntryId(entries.at(i)) == id)
            return i;
    }
    return -1;
}
