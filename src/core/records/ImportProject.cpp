#include "ImportProject.h"

#include "ImportWriter.h"
#include "core/common/Prompter.h"
#include "core/common/StatusCodes.h"
#include "core/db/ProjectDatabase.h"
#include "core/project/ProjectTables.h"

namespace {

struct SourceRecords
{
    QList<CVendorsRec> vendors;
    QList<CItemsRec> items;
    QList<CCustomersRec> customers;
};

template <typename Set> bool ReadAll(Set& set, QList<typename Set::Record>& records)
{
    if (set.Open() != 1)
        return false;
    records = set.RecordsWhere(QString());
    return set.lastError().isEmpty();
}

// Reads the wanted tables of a source project whole and closes it again; the
// message to show when that fails, nullptr when it succeeded.
const char* ReadSource(const QString& path, bool vendors, bool items, bool customers, SourceRecords& out)
{
    ProjectDatabase db;
    if (!db.open(path))
        return "Unable to open source database.";
    CVendorsSet vendorSet(db);
    CItemsSet itemSet(db, &vendorSet);
    CCustomersSet customerSet(db);
    if (vendors && !ReadAll(vendorSet, out.vendors))
        return "Unable to open vendor records!";
    if (items && !ReadAll(itemSet, out.items))
        return "Unable to open item records!";
    if (customers && !ReadAll(customerSet, out.customers))
        return "Unable to open customer records!";
    return nullptr;
}

QString SourceLabel(const char* kind, qint32 id)
{
    return QLatin1String(kind) + QLatin1Char(' ') + FormatRecordId(id);
}

// Source vendors whose names the project does not know yet are added; the
// others are left as the project has them.
bool AddNewVendors(ImportWriter& writer, const QList<CVendorsRec>& vendors)
{
    for (CVendorsRec vendor : vendors) {
        if (!ImportWriter::textsFit(vendor)) {
            writer.refuse(SourceLabel("vendor", vendor.ID));
            continue;
        }
        if (writer.vendorByName(vendor.Name) == NoID && !writer.addVendor(vendor))
            return false;
    }
    return true;
}

} // namespace

ImportProject::ImportProject(ProjectTables& tables, ImportWriter& writer, Prompter& prompter)
    : m_tables(tables), m_writer(writer), m_prompter(prompter)
{
}

void ImportProject::tell(const char* message)
{
    m_prompter.message(QString::fromLatin1(message), AppTitle(), Prompter::Icon::Exclamation);
}

bool ImportProject::importVendors(const QString& path)
{
    SourceRecords source;
    if (const char* failure = ReadSource(path, true, false, false, source)) {
        tell(failure);
        return false;
    }
    Transaction transaction(m_tables.database());
    return transaction.isActive() && m_writer.loadVendorNames() && AddNewVendors(m_writer, source.vendors) &&
           transaction.commit();
}

bool ImportProject::importItems(const QString& path)
{
    m_skippedItems = 0;
    SourceRecords source;
    if (const char* failure = ReadSource(path, true, true, false, source)) {
        tell(failure);
        return false;
    }
    Transaction transaction(m_tables.database());
    if (!transaction.isActive() || !m_writer.loadVendorNames() || !AddNewVendors(m_writer, source.vendors))
        return false;

    // Items refer to vendors by the source's IDs; the project knows them by name.
    QHash<qint32, QString> sourceNames;
    for (const CVendorsRec& vendor : std::as_const(source.vendors))
        sourceNames.insert(vendor.ID, vendor.Name);
    const auto projectVendor = [&](qint32 sourceID) {
        const auto name = sourceNames.constFind(sourceID);
        return name == sourceNames.constEnd() ? NoID : m_writer.vendorByName(*name);
    };

    for (CItemsRec item : std::as_const(source.items)) {
        const qint32 vendor1 = projectVendor(item.VendorID1);
        if (vendor1 == NoID) {
            ++m_skippedItems;
            continue;
        }
        const qint32 quantity = item.Stocked;
        if (!ImportWriter::isSound(item, quantity)) {
            m_writer.refuse(SourceLabel("item", item.ID));
            continue;
        }
        const qint32 vendor2 = projectVendor(item.VendorID2);
        item.VendorID1 = vendor1;
        item.VendorID2 = vendor2 == NoID ? vendor1 : vendor2;
        if (!m_writer.addItemWithLot(item, quantity))
            return false;
    }
    return transaction.commit();
}

bool ImportProject::importCustomers(const QString& path)
{
    SourceRecords source;
    if (const char* failure = ReadSource(path, false, false, true, source)) {
        tell(failure);
        return false;
    }
    Transaction transaction(m_tables.database());
    if (!transaction.isActive())
        return false;
    for (CCustomersRec customer : std::as_const(source.customers)) {
        if (!ImportWriter::textsFit(customer)) {
            m_writer.refuse(SourceLabel("customer", customer.ID));
            continue;
        }
        if (!m_writer.addCustomer(customer))
            return false;
    }
    return transaction.commit();
}
