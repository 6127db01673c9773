#pragma once

#include "Records.h"
#include "ReferenceCache.h"
#include "TypedTableSet.h"

#include <functional>

class CItemsSet;
class CPOSet;
class CVendorsSet;

// The stock register: lots of one item at one unit cost. The current dynaset
// runs in consumption order: oldest lot first under FIFO, newest first under
// LIFO, lots of one day in the order they were entered (reversed under LIFO).
// The style is the project's as it is when the lots are read, so a change of
// style holds from the next read on, without reopening the project.
class CStockSet : public CTypedTableSet<CStockRec, CStockRow>
{
public:
    static constexpr int kFifo = 0;
    static constexpr int kLifo = 1;

    CStockSet(ProjectDatabase& db, CVendorsSet* vendors, CItemsSet* items, CPOSet* orders, int inventoryStyle);

    // A fixed style, in place of any source; its sort takes effect at the next Reopen.
    void SetInventoryStyle(int inventoryStyle);
    // From now on the style is asked of `source` each time it is needed: at
    // every Reopen and every consumption of lots.
    void SetInventoryStyleSource(std::function<int()> source);
    int inventoryStyle() const;
    static QString SortFor(int inventoryStyle);

    // The current dynaset in the order of the style as it is now.
    int Reopen() override;

    // The quantity held in the lots of the current dynaset that belong to an item;
    // the cursor is left on the first row.
    qint32 SumQuantityByItem(qint32 itemID);
    // An item's lots in consumption order, whatever the list shows, with ID,
    // Quanity and Cost read; only until they hold `quantity` units (all of them
    // when they hold less). Nothing when the table cannot be read (*ok false).
    QList<CStockRec> LotsInConsumptionOrder(qint32 itemID, qint64 quantity, bool* ok = nullptr);

protected:
    void beginResolve() override;
    void resolve(CStockRow& row) override;

private:
    int m_inventoryStyle = kFifo;
    std::function<int()> m_styleSource;
    CVendorsSet* m_vendors;
    CItemsSet* m_items;
    CPOSet* m_purchaseOrders;
    VendorItemNames m_names;
    ReferenceCache m_poNumbers;
};
