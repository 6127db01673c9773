#include "ProjectTables.h"

#include "core/common/StatusCodes.h"
#include "core/db/ProjectDatabase.h"

#include <QFile>

ProjectTables::ProjectTables(ProjectDatabase& db, int inventoryStyle) : m_db(db)
{
    m_vendors = std::make_unique<CVendorsSet>(db);
    m_items = std::make_unique<CItemsSet>(db, m_vendors.get());
    m_po = std::make_unique<CPOSet>(db, m_vendors.get());
    m_stock = std::make_unique<CStockSet>(db, m_vendors.get(), m_items.get(), m_po.get(), inventoryStyle);
    m_orders = std::make_unique<COrderSet>(db, m_vendors.get(), m_items.get());
    m_received = std::make_unique<CReceivedSet>(db, m_vendors.get(), m_items.get());
    m_customers = std::make_unique<CCustomersSet>(db);
    m_sales = std::make_unique<CSalesSet>(db, m_items.get(), m_customers.get());
    m_si = std::make_unique<CSISet>(db, m_customers.get());
    m_ar = std::make_unique<CARSet>(db);
    m_items->Link(m_stock.get(), m_orders.get());
}

ProjectTables::~ProjectTables() = default;

int ProjectTables::OpenAll()
{
    CTableSet* const inOrder[] = {m_vendors.get(), m_items.get(), m_po.get(),        m_stock.get(), m_orders.get(),
                                  m_received.get(), m_customers.get(), m_sales.get(), m_si.get(),    m_ar.get()};
    const quint64 readFailures = m_db.readFailureCount();
    for (CTableSet* set : inOrder) {
        const bool exists = m_db.tableExists(set->tableName());
        if (!exists || set->Open() != 1) {
            // A project without purchase orders comes from the previous
            // version; a schema that could not be read tells nothing of the kind.
            const bool readFailed = m_db.readFailureSince(readFailures).has_value();
            return set == m_po.get() && !readFailed ? Status::PreviousVersion : Status::TableOpenFailed;
        }
    }
    return Status::Success;
}

int CreateDatabase(const QString& path)
{
    ProjectDatabase db;
    if (!db.create(path))
        return Status::FileCorrupt;
    bool ok = true;
    {
        Transaction transaction(db);
        ok = transaction.isActive() && CVendorsSet::CreateTable(db) && CItemsSet::CreateTable(db)
            && COrderSet::CreateTable(db) && CStockSet::CreateTable(db) && CSalesSet::CreateTable(db)
            && CCustomersSet::CreateTable(db) && CReceivedSet::CreateTable(db) && CPOSet::CreateTable(db)
            && CSISet::CreateTable(db) && CARSet::CreateTable(db) && transaction.commit();
    }
    db.close();
    if (!ok) {
        ProjectDatabase::removeFile(path);
        return Status::FileCorrupt;
    }
    return Status::Success;
}
