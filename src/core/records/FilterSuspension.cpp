#include "FilterSuspension.h"

#include "core/project/ProjectTables.h"

FilterSuspension::FilterSuspension(ProjectTables& tables)
{
    CTableSet* const all[] = {&tables.vendors(),    &tables.items(),  &tables.purchaseOrders(),
                              &tables.stock(),      &tables.orders(), &tables.received(),
                              &tables.customers(),  &tables.sales(),  &tables.invoices(),
                              &tables.receivables()};
    for (CTableSet* table : all) {
        if (!table->isOpen())
            continue;
        m_saved.append({table, table->filter(), table->oneShot()});
        // A one-shot filter locks the filter until the next re-query, which
        // also clears it; only then can the table be opened on all its rows.
        if (table->oneShot() == 1)
            table->Reopen();
        table->SetFilter(QString());
        table->Reopen();
    }
}

FilterSuspension::~FilterSuspension()
{
    for (const Saved& saved : m_saved) {
        saved.table->SetFilter(saved.filter, saved.oneShot);
        saved.table->Reopen();
    }
}
