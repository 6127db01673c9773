#pragma once

#include "Records.h"
#include "ReferenceCache.h"
#include "TypedTableSet.h"

#include <functional>

class CItemsSet;
class CVendorsSet;

// Order lines: one item ordered from one vendor on one purchase order.
class COrderSet : public CTypedTableSet<COrderRec, COrderRow>
{
public:
    COrderSet(ProjectDatabase& db, CVendorsSet* vendors, CItemsSet* items);

    int GetBackOrder(qint32 id = -1) { return fieldOf(id, "BackOrder").toDouble() != 0.0 ? 1 : 0; }
    qint32 GetQuanity(qint32 id = -1) { return fieldOf(id, "Quanity").toInt(); }
    qint32 GetItemID(qint32 id = -1) { return fieldOf(id, "ItemID").toInt(); }
    qint32 GetVendorID(qint32 id = -1) { return fieldOf(id, "VendorID").toInt(); }
    DateTime GetDate(qint32 id = -1);

    // The quantity on order for an item over the current dynaset; the cursor is
    // left on the first row.
    qint32 SumQuantityByItem(qint32 itemID);
    // The backorder line kept for an order line: on success the cursor stands on
    // it and `id` holds its ID; otherwise the cursor goes to the first row.
    bool FindBackorderOf(qint32 orderID, qint32& id);
    // Hands each line of purchase order `poID`, by ID, to `line` with its item's
    // name; false, with the failure noted, when the read fails part-way.
    bool ForEachLineOf(qint32 poID, const std::function<void(qint32 orderID, const QString& itemName)>& line);

protected:
    void beginResolve() override;
    void resolve(COrderRow& row) override;

private:
    CVendorsSet* m_vendors;
    CItemsSet* m_items;
    VendorItemNames m_names;
};
