#include "StockConsumption.h"

#include "core/project/ProjectTables.h"

StockConsumption ConsumeStock(ProjectTables& tables, qint32 itemID, qint32 quantity)
{
    StockConsumption result;
    if (quantity < 1) {
        result.outcome = StockConsumption::Outcome::NotEnough;
        return result;
    }
    bool ok = false;
    const QList<CStockRec> lots = tables.stock().LotsInConsumptionOrder(itemID, quantity, &ok);
    if (!ok)
        return result;
    // Availability first: a line that cannot be filled must leave every lot as it was.
    qint64 held = 0;
    Money cost;
    for (const CStockRec& lot : lots) {
        held += lot.Quanity;
        cost += lot.Cost * lot.Quanity;
    }
    if (held < quantity) {
        result.outcome = StockConsumption::Outcome::NotEnough;
        return result;
    }
    // Every lot before the last one reached is emptied; the last gives only what
    // the line still needs, so its surplus comes off the accumulated cost.
    CStockRec last = lots.constLast();
    const qint32 surplus = static_cast<qint32>(held - quantity);
    cost -= last.Cost * surplus;
    for (qsizetype i = 0; i + 1 < lots.size(); ++i) {
        if (!tables.stock().RecordDelete(lots[i].ID))
            return result;
        result.lots.append(lots[i].ID);
    }
    if (surplus > 0) {
        CStockRec kept;
        if (!tables.stock().RecordRead(kept, last.ID))
            return result;
        kept.Quanity = surplus;
        if (!tables.stock().RecordModify(kept))
            return result;
    } else if (!tables.stock().RecordDelete(last.ID)) {
        return result;
    }
    result.lots.append(last.ID);
    result.unitCost = cost / quantity;
    result.outcome = result.unitCost.isValid() ? StockConsumption::Outcome::Consumed : StockConsumption::Outcome::Failed;
    return result;
}

qint32 PutSaleBackIntoStock(ProjectTables& tables, const CSalesRec& sale, const DateTime& invoiceDate,
                            qint32 quantity, qint32 origin)
{
    CStockRec lot;
    lot.ItemID = sale.ItemID;
    lot.OrderID = origin;
    lot.POID = origin;
    CItemsRec item;
    if (tables.items().RecordRead(item, sale.ItemID))
        lot.VendorID = item.VendorID1;
    lot.Quanity = quantity;
    lot.Cost = sale.Cost;
    lot.Date = invoiceDate;
    return tables.stock().RecordAdd(lot) ? lot.ID : 0;
}
