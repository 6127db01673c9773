#include "Pickers.h"

#include "common/RecordIds.h"
#include "db/ProjectDatabase.h"
#include "project/ProjectTables.h"

#include <QSqlQuery>

namespace {

QStringList Entries(ProjectTables& tables, const QString& sql, bool numberAsId)
{
    QStringList entries;
    QSqlQuery query(tables.database().connection());
    query.setForwardOnly(true);
    query.exec(sql);
    while (query.next()) {
        const QString visible = numberAsId ? FormatRecordId(query.value(1).toInt()) : query.value(1).toString();
        entries.append(PickerEntryText(visible, query.value(0).toInt()));
    }
    if (!tables.database().readSucceeded(query))
        entries.clear();
    return entries;
}

} // namespace

QStringList VendorPickerEntries(ProjectTables& tables)
{
    return Entries(tables, QStringLiteral("SELECT \"ID\", \"Name\" FROM \"Vendors\" ORDER BY \"ID\""), false);
}

QStringList ItemPickerEntries(ProjectTables& tables)
{
    return Entries(tables, QStringLiteral("SELECT \"ID\", \"Name\" FROM \"Items\" ORDER BY \"ID\""), false);
}

QStringList POPickerEntries(ProjectTables& tables)
{
    return Entries(tables, QStringLiteral("SELECT \"ID\", \"Number\" FROM \"PO\" ORDER BY \"ID\""), true);
}

QStringList InvoicePickerEntries(ProjectTables& tables)
{
    return Entries(tables, QStringLiteral("SELECT \"ID\", \"Number\" FROM \"SI\" ORDER BY \"ID\""), true);
}

int PickerIndexOf(const QStringList& entries, qint32 id)
{
    for (int i = 0; i < entries.size(); ++i) {
        if (EntryId(entries.at(i)) == id)
            return i;
    }
    return -1;
}
