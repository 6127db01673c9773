#pragma once

#include "core/db/ARSet.h"
#include "core/db/CustomersSet.h"
#include "core/db/ItemsSet.h"
#include "core/db/OrderSet.h"
#include "core/db/POSet.h"
#include "core/db/ReceivedSet.h"
#include "core/db/SISet.h"
#include "core/db/SalesSet.h"
#include "core/db/StockSet.h"
#include "core/db/VendorsSet.h"

#include <memory>

class ProjectDatabase;

// The ten record access objects of one open project database, created so that
// every object exists before the objects that refer to it.
class ProjectTables
{
public:
    ProjectTables(ProjectDatabase& db, int inventoryStyle);
    ~ProjectTables();

    // Opens every table with an empty filter: 1; 8 when a table cannot be opened
    // or read; 17 when the purchase-order table is missing (a previous-version
    // project).
    int OpenAll();

    ProjectDatabase& database() const { return m_db; }

    CVendorsSet& vendors() const { return *m_vendors; }
    CItemsSet& items() const { return *m_items; }
    CPOSet& purchaseOrders() const { return *m_po; }
    CStockSet& stock() const { return *m_stock; }
    COrderSet& orders() const { return *m_orders; }
    CReceivedSet& received() const { return *m_received; }
    CCustomersSet& customers() const { return *m_customers; }
    CSalesSet& sales() const { return *m_sales; }
    CSISet& invoices() const { return *m_si; }
    CARSet& receivables() const { return *m_ar; }

private:
    ProjectDatabase& m_db;
    std::unique_ptr<CVendorsSet> m_vendors;
    std::unique_ptr<CItemsSet> m_items;
    std::unique_ptr<CPOSet> m_po;
    std::unique_ptr<CStockSet> m_stock;
    std::unique_ptr<COrderSet> m_orders;
    std::unique_ptr<CReceivedSet> m_received;
    std::unique_ptr<CCustomersSet> m_customers;
    std::unique_ptr<CSalesSet> m_sales;
    std::unique_ptr<CSISet> m_si;
    std::unique_ptr<CARSet> m_ar;
};

// Creates a new project database file with its ten tables, in the order Vendors,
// Items, Order, Stock, Sales, Customers, Received, PO, SI, AR: 1, or 4 when the
// file or a table cannot be created (nothing is left behind then).
int CreateDatabase(const QString& path);
