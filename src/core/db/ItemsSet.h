#pragma once

#include "Records.h"
#include "ReferenceCache.h"
#include "TypedTableSet.h"

class COrderSet;
class CStockSet;
class CVendorsSet;

// Stock-keeping items.
class CItemsSet : public CTypedTableSet<CItemsRec, CItemsRow>
{
public:
    CItemsSet(ProjectDatabase& db, CVendorsSet* vendors);

    // Linked once every record access object exists.
    void Link(CStockSet* stock, COrderSet* orders);
    CStockSet* stockSet() const { return m_stock; }
    COrderSet* orderSet() const { return m_orders; }

    qint32 GetVendorID1(qint32 id = -1) { return fieldOf(id, "VendorID1").toInt(); }
    qint32 GetVendorID2(qint32 id = -1) { return fieldOf(id, "VendorID2").toInt(); }
    Money GetSellingPrice(qint32 id = -1) { return money(id, "SellingPrice"); }
    Money GetCost(qint32 id = -1) { return money(id, "Cost"); }
    qint32 GetReorderLevel(qint32 id = -1) { return fieldOf(id, "ReorderLevel").toInt(); }
    qint32 GetStocked(qint32 id = -1) { return fieldOf(id, "Stocked").toInt(); }
    qint32 GetOrdered(qint32 id = -1) { return fieldOf(id, "Ordered").toInt(); }
    qint32 GetReorderQuanity(qint32 id = -1) { return fieldOf(id, "ReorderQuanity").toInt(); }
    QString GetName(qint32 id = -1) { return fieldOf(id, "Name").toString(); }
    QString GetNumber(qint32 id = -1) { return fieldOf(id, "Number").toString(); }

    // The items that the order lines or receipts of a purchase order name, in
    // one read; only the given columns (and the ID) are read.
    QList<CItemsRec> ItemsOfPurchaseOrder(qint32 poID, const QStringList& columns);

protected:
    void beginResolve() override { m_vendorNames.clear(); }
    void resolve(CItemsRow& row) override;

private:
    Money money(qint32 id, const char* column);

    CVendorsSet* m_vendors;
    CStockSet* m_stock = nullptr;
    COrderSet* m_orders = nullptr;
    ReferenceCache m_vendorNames;
};
